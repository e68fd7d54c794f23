// bwtool assemble: builds a creature exactly as the program does (project first, then each
// --add in order) and writes what was asked: a project, exports, JSON on standard output.
#include <iostream>
#include <memory>
#include <optional>

#include "bwtool/commands.h"
#include "bwtool/creature_description.h"
#include "bwtool/export_arguments.h"
#include "bwtool/json_text.h"
#include "bwtool/project_reporting.h"
#include "bwtool/reporting_notifier.h"
#include "export/non_finite_count.h"
#include "model/creature.h"
#include "project/creature_project_writer.h"
#include "rig/pose_file.h"

namespace bw::tool {
namespace {

struct AssembleArguments {
    std::string objectDirectory;
    std::optional<std::string> project;
    std::vector<std::string> adds;  // "BODY PART=PATH"
    bool json = false;
    std::optional<std::string> savePath;
    bool standard = false;
    std::optional<std::string> objPath;
    std::optional<std::string> exportPath;
    std::optional<std::string> posePath;
    ExportArguments exportArguments;
};

// Points that are no finite numbers (from scale values near the float limit, or a file's own)
// reach the JSON as null and no export can hold them: the user is told which part has them.
void WarnAboutNonFinitePoints(const Creature& creature) {
    for (int i = 0; i < creature.PartCount(); ++i) {
        const PartObject& part = *creature.Part(i);
        const NonFiniteCount bad = CountNonFinite(part);
        if (bad.points == 0 && bad.normals == 0) continue;
        std::cerr << "warning: " << part.TypeName() << " (" << part.Name() << "): " << bad.points
                  << " of " << part.TransformedPoints().size() << " points and " << bad.normals
                  << " of " << part.Normals().size() << " normals are not finite numbers\n";
    }
}

// "BODY PART=PATH" split at the first '='.
std::pair<std::string, std::string> SplitAdd(const std::string& add) {
    const std::size_t eq = add.find('=');
    return {add.substr(0, eq), add.substr(eq + 1)};
}

int RunAssemble(const AssembleArguments& args) {
    // The pose is read first: a pose file that cannot be used stops the command before it
    // writes anything.
    std::optional<Pose> pose;
    if (args.posePath) {
        std::string reason;
        if (!ReadPoseFile(*args.posePath, &pose.emplace(), &reason)) {
            std::cerr << "error: " << *args.posePath << ": " << reason << "\n";
            return kExitFileError;
        }
    }
    const auto optionsOf = [&args, &pose](const ExportFormat& format) {
        ExportOptions options = args.exportArguments.Options(format);
        options.pose = pose;
        return options;
    };
    ReportingNotifier notifier;
    Creature creature(notifier);
    int status = kExitOk;
    if (args.project &&
        !LoadProjectReporting(creature, *args.project, args.objectDirectory, notifier))
        status = kExitFileError;
    for (const std::string& add : args.adds) {
        const auto [name, path] = SplitAdd(add);
        if (!creature.AddPart(name, path, *BodyPartIdOfName(name))) {
            ReportAddFailure(creature);
            status = kExitFileError;
        }
    }
    WarnAboutNonFinitePoints(creature);

    if (args.savePath) {
        std::string reason;
        const std::string version = args.standard ? "1" : "20";
        if (!WriteProject(creature, *args.savePath, args.objectDirectory, version, &reason)) {
            std::cerr << "error: " << *args.savePath << ": " << reason << "\n";
            status = kExitFileError;
        }
    }
    const ExportFormat& obj = ObjExportFormat();
    if (args.objPath && !ExportReporting(creature, *args.objPath, obj, optionsOf(obj)))
        status = kExitFileError;
    if (args.exportPath) {
        const ExportFormat& format = *ExportFormatOfPath(*args.exportPath);
        if (!ExportReporting(creature, *args.exportPath, format, optionsOf(format)))
            status = kExitFileError;
    }
    if (args.json)
        std::cout << JsonText(DescribeCreature(creature, notifier.messages, notifier.NotKept()))
                  << "\n";
    return status;
}

}  // namespace

void AddAssembleCommand(CLI::App& app, CommandAction& action) {
    CLI::App* command = app.add_subcommand(
        "assemble",
        "Build a creature exactly as the program does: the project's records first (renamed "
        "object files translated), then each --add in order; then write what is asked");
    auto args = std::make_shared<AssembleArguments>();
    AddObjectsOption(*command, args->objectDirectory, "Object directory: one folder per body part")
        ->required();
    command->add_option("PROJECT.bwp", args->project, "Project file to load first")->type_name("");
    command
        ->add_option("--add", args->adds,
                     "Add the object file at PATH as the part of BODY PART (a catalogue name "
                     "such as \"Left thigh\"); may be repeated")
        ->type_name("\"BODY PART=PATH\"")
        ->allow_extra_args(false)  // one value each time: a project may follow
        ->check(CLI::Validator(
            [](std::string& add) -> std::string {
                if (add.find('=') == std::string::npos) return "--add takes \"BODY PART=PATH\"";
                const std::string name = SplitAdd(add).first;
                if (!BodyPartIdOfName(name)) return "\"" + name + "\" is no body part";
                return {};
            },
            ""));
    command->add_flag("--json", args->json,
                      "Print the creature (every part's points, normals and adjustments, and the "
                      "messages shown) as JSON");
    CLI::Option* save =
        command->add_option("--save", args->savePath, "Save the creature as a project file")
            ->type_name("OUT.bwp")
            ->take_last();
    command->add_flag("--standard", args->standard, "Save project version \"1\" instead of \"20\"")
        ->needs(save);
    command
        ->add_option("--obj", args->objPath,
                     "Export as Wavefront OBJ with its material library beside it, whatever the "
                     "extension (the same as --export OUT.obj)")
        ->type_name("OUT.obj")
        ->take_last();
    command
        ->add_option("--export", args->exportPath,
                     "Export in the format the extension names: " + ExportExtensionList())
        ->type_name("OUT.EXT")
        ->check(ExportPathValidator())
        ->take_last();
    AddExportArguments(*command, args->exportArguments);
    command
        ->add_option("--pose", args->posePath,
                     "Export the creature in the pose the pose file holds (each body part's "
                     "bend, side and twist in degrees); with --rig, as the joints' turns")
        ->type_name("FILE.bwpose")
        ->take_last();
    command->callback([&action, args] {
        if (args->exportArguments.Given() && !args->exportPath && !args->objPath)
            throw CLI::ValidationError("--up, --scale and --height go with --export or --obj");
        if (args->exportArguments.SubdivideGiven() && !args->exportPath && !args->objPath)
            throw CLI::ValidationError("--subdivide goes with --export or --obj");
        if (args->posePath && !args->exportPath && !args->objPath)
            throw CLI::ValidationError("--pose goes with --export or --obj");
        args->exportArguments.CheckRig(args->exportPath, args->objPath);
        // Directories are kept without a trailing separator.
        std::string& objects = args->objectDirectory;
        while (objects.size() > 1 && objects.back() == '/') objects.pop_back();
        action = [args] { return RunAssemble(*args); };
    });
}

}  // namespace bw::tool
