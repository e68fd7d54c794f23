// bwtool cut: cuts a prepared whole-creature object into one object file per body part, with
// the connection point sets of every seam, exactly as the converter page saves them by hand.
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <system_error>

#include "bwtool/commands.h"
#include "bwtool/reporting_notifier.h"
#include "converter/converter_cut.h"
#include "converter/converter_model.h"
#include "converter/object_name.h"
#include "model/body_part_directory.h"

namespace bw::tool {
namespace {

// Makes sure every body part directory exists below `objects` (an existing one is found
// without regard to letter case). False, with the reason printed, when one cannot be made.
bool MakeBodyPartDirectories(const std::string& objects) {
    std::error_code error;
    std::filesystem::create_directories(objects.empty() ? "/" : objects, error);
    if (error) {
        std::cerr << "error: " << objects << ": " << error.message() << "\n";
        return false;
    }
    for (BodyPartId id = 0; id < kBodyPartCount; ++id) {
        const std::string directory =
            ResolvePathIgnoringCase(objects, std::string(ConverterDirectoryName(id)));
        std::filesystem::create_directory(directory, error);
        if (error) {
            std::cerr << "error: " << directory << ": " << error.message() << "\n";
            return false;
        }
    }
    return true;
}

struct CutArguments {
    std::string prepared;
    std::string objects;
    std::optional<std::string> name;
};

int RunCut(const CutArguments& args) {
    ReportingNotifier notifier;
    ConverterModel model(notifier);
    NoProgress progress;
    if (!model.LoadPreparedObject(args.prepared, progress)) return kExitFileError;
    if (!MakeBodyPartDirectories(args.objects)) return kExitFileError;
    model.SetObjectDirectory(args.objects);
    model.SetObjectName(*args.name);

    CutListener listener;
    listener.partWritten = [](BodyPartId, const std::string& path, const PartGroup& group) {
        std::cout << "wrote " << path << " (" << group.pointCount << " points, "
                  << group.polygonCount << " polygons)\n";
    };
    listener.setWritten = [](BodyPartId id, int set, std::size_t count) {
        std::cout << "set " << set << " of " << BodyPartName(id) << " (" << ConnectionLabel(id, set)
                  << "): " << count << " points\n";
    };
    return CutAllParts(model, listener) ? kExitOk : kExitFileError;
}

}  // namespace

void AddCutCommand(CLI::App& app, CommandAction& action) {
    CLI::App* command = app.add_subcommand(
        "cut",
        "Cut a prepared whole-creature object into one object file per body part, with "
        "the connection point sets of every seam, as the converter page saves them");
    auto args = std::make_shared<CutArguments>();
    command->add_option("PREPARED", args->prepared, "The prepared object (.bwo, or .obj with .mtl)")
        ->required()
        ->type_name("");
    AddObjectsOption(*command, args->objects, "Object directory to write the parts into")
        ->required();
    command
        ->add_option("--name", args->name,
                     "File name of the parts (default: the prepared object's name)")
        ->type_name("NAME")
        ->take_last();
    command->callback([&action, args] {
        if (!args->name) args->name = std::filesystem::path(args->prepared).stem().string();
        std::string problem;
        if (!IsSafeObjectName(*args->name, &problem)) throw CLI::ValidationError(problem);
        action = [args] { return RunCut(*args); };
    });
}

}  // namespace bw::tool
