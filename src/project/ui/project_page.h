// The "Project" tab page: New, Load and Save of project files, the manual and the About box, in
// bitmap buttons under a banner; and the Export group: "3DS...", "DXF...", "OBJ..." and
// "Export with Body Parts" export the creature as the preview shows it (CreatureExportCommand),
// the check box chooses the surface names, the progress bar follows the export's stages and the
// text beside it tells the outcome. "Export For Render" and "COB..." stay hidden and disabled.
//
// Loading clears the creature through the Select Parts lists (every list back to " (none) "),
// shows each record's file in its list without loading through the list, asks about renamed
// object files (Translate Body Part Names) and lists the translations at the end (Translated
// Body Part Names). The translation flags last for the whole run.
//
// Ownership: a Qt child of the tab strip; owns its controls. It refers to the Creature, the
// part lists' selection (the Select Parts page's) and the platform services, which the main dialog
// or the program owns and which outlive it. `repaint` asks the preview to redraw. Positions are
// dialog units converted to logical pixels (y down) from the page's font.
#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "export/command/creature_export_command.h"
#include "model/creature.h"
#include "model/notifier.h"
#include "model/step_listener.h"
#include "platform/platform_dialogs.h"
#include "project/project_loader.h"
#include "project/unsaved_creature.h"
#include "rig/creature_pose.h"

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace bw {

class BitmapButton;
class PartSelection;

// The file dialogs of Load and Save: opening in the project directory with the proposed name
// "<project directory>/temp", project files only.
FileDialogRequest ProjectFileRequest(const std::string& title, const std::string& projectDirectory);

class ProjectPage : public QWidget {
    Q_OBJECT

  public:
    // Control identifiers: they name the bitmap buttons and the export buttons, and choose
    // their tooltips.
    enum ControlId {
        kNewId = 1107,
        kLoadId = 1108,
        kSaveId = 1109,
        kAboutId = 1110,
        kDocsId = 1111,
        kExportRenderId = 1018,
        kExportBodyPartsId = 1020,
        kExport3dsId = 1125,
        kExportDxfId = 1126,
        kExportObjId = 1127,
        kExportCobId = 1128,
    };

    ProjectPage(Creature& creature, PartSelection& selection, FileDialogs& fileDialogs,
                Notifier& notifier, ShellOpener& shell, QWidget* parent = nullptr);
    ~ProjectPage() override;

    void SetRepaint(std::function<void()> repaint) { repaint_ = std::move(repaint); }
    // Hears "New" and each project loaded as one step. Not owned; null for none.
    void SetStepListener(StepListener* listener) { steps_ = listener ? listener : &noSteps_; }
    void SetProjectDirectory(const std::string& directory) {
        projectDirectory_ = directory;
        exporter_.SetProjectDirectory(directory);
    }
    // Asks the choices of each export; the page's own dialog unless set. Not owned.
    void SetExportChoicesAsker(ExportChoicesAsker& asker) { exporter_.SetChoicesAsker(asker); }
    void SetObjectDirectory(const std::string& directory) { objectDirectory_ = directory; }
    const std::string& ProjectDirectory() const { return projectDirectory_; }
    const std::string& ObjectDirectory() const { return objectDirectory_; }

    // Asks before New and Load lose unsaved work, and hears what is saved, loaded or new. Not
    // owned; null for none (nothing is asked).
    void SetUnsavedCreature(UnsavedCreature* unsaved) { unsaved_ = unsaved; }
    // The pose "Save Project" writes beside the project and "Load Project" reads from beside
    // it; "New" sets it to rest. Not owned; null for none.
    void SetCreaturePose(CreaturePose* pose) { pose_ = pose; }
    // The preview's subdivision level, where each export's choices start.
    void SetSurfaceLevel(int level) { exporter_.SetSurfaceLevel(level); }

    // Empties the creature and shows " (none) " in every list.
    void NewProject();
    // Asks for a project file and loads it. Cancelling, or choosing a file that cannot be read
    // or is no project file, changes nothing (the latter with a warning).
    void LoadProject();
    // Loads the project file at `path` as Load does after its dialog. False when the file was
    // refused and nothing changed.
    bool LoadProjectFile(const std::string& path);
    // Asks for a file name and the file version and writes the creature; confirms with
    // "Project file "<name>" has been saved.", or warns when the file could not be written (an
    // old file of that name is then kept as it was). True when the file was written.
    bool SaveProject();
    void OpenManual();
    void ShowAbout();
    // Exports the creature (see CreatureExportCommand::Run), with the progress bar and the
    // outcome shown on the page. Changes nothing of the creature and is no undo step.
    void Export(ExportKind kind);

    const TranslationFlags& Flags() const { return flags_; }

    BitmapButton* Button(ControlId id) const;
    QPushButton* ExportButton(ControlId id) const;
    QCheckBox* SurfaceNamesBox() const { return surfaceNames_; }
    QProgressBar* ExportProgressBar() const { return progress_; }
    QLabel* ExportStatus() const { return exportStatus_; }
    // The hidden push buttons that run the same commands as the bitmap buttons.
    QPushButton* HiddenButton(ControlId id) const;

  protected:
    void keyReleaseEvent(QKeyEvent* event) override;

  private:
    // The pose beside a project, read after its load or written after its save; a failure is
    // one message (a pose that cannot be read leaves the rest pose).
    void LoadPose(const std::string& projectPath);
    void SavePose(const std::string& projectPath);
    class LoadListener;

    void BuildControls();
    void Repaint();

    Creature& creature_;
    PartSelection& selection_;
    FileDialogs& fileDialogs_;
    Notifier& notifier_;
    ShellOpener& shell_;
    std::function<void()> repaint_;
    NoStepListener noSteps_;
    StepListener* steps_ = &noSteps_;
    std::string projectDirectory_;
    std::string objectDirectory_;
    TranslationFlags flags_;
    UnsavedCreature* unsaved_ = nullptr;
    CreaturePose* pose_ = nullptr;
    std::unique_ptr<ExportChoicesAsker> choicesDialog_;
    CreatureExportCommand exporter_;

    QLabel* banner_ = nullptr;
    std::array<BitmapButton*, 5> bitmapButtons_{};  // New, Load, Save, About, Docs
    std::array<QPushButton*, 5> hiddenButtons_{};   // the same order
    std::array<QPushButton*, 6> exportButtons_{};   // Render, Body Parts, 3DS, DXF, OBJ, COB
    QCheckBox* surfaceNames_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* exportStatus_ = nullptr;
};

}  // namespace bw
