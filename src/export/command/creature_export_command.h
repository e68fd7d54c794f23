// The window's exports: which format a button writes, the save dialog, the choices, the export
// itself and the one line that tells its outcome. The choices and the directory of the last
// export are kept for the session.
//
// Ownership: refers to the creature and the platform services, which its owner keeps alive
// longer than it.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "export/export_choices.h"
#include "export/writers/creature_export.h"
#include "model/creature.h"
#include "model/notifier.h"
#include "platform/platform_dialogs.h"
#include "rig/pose.h"

namespace bw {

// What an export button asks for: one fixed format, or any format the file name (or the save
// dialog's filter) names.
enum class ExportKind { ThreeDs, Dxf, Obj, BodyParts };

// The format and the path a save dialog's choice names: the format the path's extension names
// (any letter case), or else the filter's, whose extension is then added. nullopt when neither
// names a format.
struct ExportTarget {
    std::string path;
    const ExportFormat* format = nullptr;
};
std::optional<ExportTarget> ExportTargetOfChoice(const SaveFileChoice& choice);

// "male.stl: watertight, 1 shell", "male.stl: not watertight (3 open edges), 2 shells" or
// "male.glb: 22 body parts": the outcome of an export of `bodyParts` parts to `path`.
std::string ExportStatusLine(const std::string& path, const ExportResult& result, int bodyParts);

class CreatureExportCommand {
  public:
    CreatureExportCommand(const Creature& creature, FileDialogs& fileDialogs,
                          ExportChoicesAsker& choices, Notifier& notifier)
        : creature_(creature), fileDialogs_(fileDialogs), asker_(&choices), notifier_(notifier) {}

    void SetChoicesAsker(ExportChoicesAsker& asker) { asker_ = &asker; }
    // The directory the first save dialog opens in.
    void SetProjectDirectory(const std::string& directory) { projectDirectory_ = directory; }
    // The pose the next exports show the creature in (the rest shape until set, or after
    // nullopt). A printing or plain export gets the posed points; one that carries the skeleton
    // gets the rest shape with the joints turned by the pose.
    void SetPose(std::optional<Pose> pose) { pose_ = std::move(pose); }
    const std::optional<Pose>& CurrentPose() const { return pose_; }
    // The subdivision level the choices start at, whatever the last export of the format
    // chose: the preview's surface level.
    void SetSurfaceLevel(int level) { surfaceLevel_ = level; }

    // Asks for the file and the choices, then exports. The status line when a file was
    // written; nullopt when the creature is empty (after a message), when the user cancelled
    // a dialog, or when the export failed (after a message naming the file and the reason;
    // every file is then as it was). `progress` hears each stage of the export.
    std::optional<std::string> Run(ExportKind kind, bool typeInSurfaceNames,
                                   const ExportProgress& progress = {});

    // The save dialog that `kind` shows.
    FileDialogRequest SaveRequest(ExportKind kind) const;
    const std::string& LastDirectory() const { return lastDirectory_; }

  private:
    const Creature& creature_;
    FileDialogs& fileDialogs_;
    ExportChoicesAsker* asker_;
    Notifier& notifier_;
    std::string projectDirectory_;
    std::optional<Pose> pose_;
    int surfaceLevel_ = 0;
    std::string lastDirectory_;                                  // empty until a file was written
    std::map<std::string, ExportChoices, std::less<>> choices_;  // by the format's extension
};

}  // namespace bw
