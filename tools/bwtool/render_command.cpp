// bwtool render: a picture of one object file, or of a creature built from a project, drawn
// as the preview draws it but with no display (see creature_picture.h).
#include <iostream>
#include <memory>
#include <optional>

#include "bwtool/commands.h"
#include "bwtool/creature_picture.h"
#include "bwtool/project_reporting.h"
#include "bwtool/reporting_notifier.h"
#include "model/creature.h"
#include "model/own_body_part.h"

namespace bw::tool {
namespace {

struct RenderArguments {
    std::string file;  // FILE.bwo, or PROJECT.bwp with --objects
    std::optional<std::string> objectDirectory;
    std::string pngPath;
    PictureOptions picture;
};

bool IsProjectPath(const std::string& path) {
    return path.size() > 4 && (path.compare(path.size() - 4, 4, ".bwp") == 0 ||
                               path.compare(path.size() - 4, 4, ".BWP") == 0);
}

int RunRender(const RenderArguments& args) {
    ReportingNotifier notifier;
    Creature creature(notifier);
    if (args.objectDirectory) {
        if (!LoadProjectReporting(creature, args.file, *args.objectDirectory, notifier) &&
            creature.PartCount() == 0)
            return kExitFileError;
    } else if (!AddPartAsItsOwnBodyPart(creature, args.file)) {
        ReportAddFailure(creature);
        return kExitFileError;
    }
    PictureRenderer renderer;
    return WritePictureReporting(renderer, creature, args.picture, args.pngPath) ? kExitOk
                                                                                 : kExitFileError;
}

}  // namespace

void AddRenderCommand(CLI::App& app, CommandAction& action) {
    CLI::App* command = app.add_subcommand(
        "render",
        "Draw a picture of an object file, or of a creature built from a project, as the "
        "preview draws it; needs no display");
    auto args = std::make_shared<RenderArguments>();
    command->add_option("FILE", args->file, "Object file (.bwo), or project (.bwp) with --objects")
        ->required()
        ->type_name("");
    AddObjectsOption(*command, args->objectDirectory,
                     "Object directory of the project: one folder per body part");
    command->add_option("--png", args->pngPath, "The picture to write")
        ->required()
        ->type_name("OUT.png")
        ->take_last();
    AddPictureArguments(*command, args->picture);
    command->callback([&action, args] {
        if (IsProjectPath(args->file) && !args->objectDirectory)
            throw CLI::ValidationError("a project needs --objects DIR");
        if (args->objectDirectory) {
            std::string& objects = *args->objectDirectory;
            while (objects.size() > 1 && objects.back() == '/') objects.pop_back();
        }
        action = [args] { return RunRender(*args); };
    });
}

}  // namespace bw::tool
