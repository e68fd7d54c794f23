// bwtool random: a batch of random creatures made by the window's Random Creature rules (a
// random file for every body part, never " (none) " where a list has files, optionally only
// files of one creature type), each from its own seed so any of them can be made again.
#include <cctype>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>

#include "bwtool/commands.h"
#include "bwtool/export_arguments.h"
#include "bwtool/reporting_notifier.h"
#include "model/creature.h"
#include "model/file_enumerator.h"
#include "project/creature_project_writer.h"
#include "select/part_list.h"
#include "select/part_selection.h"
#include "select/random_creature.h"
#include "select/random_source.h"
#if BW_HAS_RENDER
#include "bwtool/creature_picture.h"
#endif

namespace bw::tool {
namespace {

struct RandomArguments {
    std::string objectDirectory;
    std::string type = "all";
    std::optional<std::int64_t> seed;
    int count = 1;
    std::optional<std::string> saveDirectory;
    std::optional<std::string> exportPath;
    ExportArguments exportArguments;
    std::optional<std::string> renderDirectory;
};

// The creatureType of a type name (any letter case): 0 for "all".
int CreatureTypeOfName(const std::string& name) {
    for (int type = 1; type < int(kCreatureTypeItems.size()); ++type) {
        const std::string_view item = kCreatureTypeItems[std::size_t(type)];
        if (item.size() != name.size()) continue;
        bool equal = true;
        for (std::size_t i = 0; i < item.size(); ++i)
            equal = equal && std::tolower(static_cast<unsigned char>(item[i])) ==
                                 std::tolower(static_cast<unsigned char>(name[i]));
        if (equal) return type;
    }
    return 0;
}

bool MakeDirectory(const std::filesystem::path& directory) {
    if (directory.empty()) return true;
    std::error_code error;
    std::filesystem::create_directories(directory, error);
    if (error) std::cerr << "error: " << directory.string() << ": " << error.message() << "\n";
    return !error;
}

// One creature: the window's Random Creature on fresh lists of every body part's files, with
// the random numbers seeded by `seed`. True when every drawn part was added.
bool MakeRandomCreature(Creature& creature, const std::string& objectDirectory, int creatureType,
                        std::uint32_t seed, const ReportingNotifier& notifier) {
    const DirectoryFileEnumerator files;
    PartSelection selection(creature, files);
    selection.SetObjectDirectory(objectDirectory);
    std::array<MemoryPartList, kBodyPartCount> lists;
    for (BodyPartId i = 0; i < kBodyPartCount; ++i) selection.SetList(i, &lists[std::size_t(i)]);
    selection.FillPartLists();
    // The window's generator, seeded with the given number instead of the clock's.
    ClockSeededRandom random([seed] { return std::int64_t(seed); });
    const std::size_t messagesBefore = notifier.shown;
    RandomCreature(selection, creatureType, random);
    return notifier.shown == messagesBefore;
}

int RunRandom(const RandomArguments& args) {
    const int creatureType = CreatureTypeOfName(args.type);
    // Seeds are 32-bit: the generator's state.
    const std::uint32_t firstSeed =
        std::uint32_t(args.seed ? *args.seed : std::int64_t(std::time(nullptr)));
    // NAME and EXT of --export DIR/NAME.EXT; projects take the same NAME.
    std::filesystem::path exportDirectory, name = "creature", extension;
    if (args.exportPath) {
        const std::filesystem::path path(*args.exportPath);
        exportDirectory = path.parent_path();
        name = path.stem();
        extension = path.extension();
        if (!MakeDirectory(exportDirectory)) return kExitFileError;
    }
    if (args.saveDirectory && !MakeDirectory(*args.saveDirectory)) return kExitFileError;
    if (args.renderDirectory && !MakeDirectory(*args.renderDirectory)) return kExitFileError;
#if BW_HAS_RENDER
    PictureRenderer renderer;  // one context for the whole batch
#endif

    int status = kExitOk;
    for (int k = 0; k < args.count; ++k) {
        const std::uint32_t seed = firstSeed + std::uint32_t(k);  // wraps past 2^32 - 1
        const std::string stem = name.string() + "-" + std::to_string(seed);
        ReportingNotifier notifier;
        Creature creature(notifier);
        if (!MakeRandomCreature(creature, args.objectDirectory, creatureType, seed, notifier))
            status = kExitFileError;
        std::string written;
        if (args.saveDirectory) {
            const std::string path =
                (std::filesystem::path(*args.saveDirectory) / (stem + ".bwp")).string();
            std::string reason;
            if (WriteProject(creature, path, args.objectDirectory, "20", &reason)) {
                written += " " + path;
            } else {
                std::cerr << "error: " << path << ": " << reason << "\n";
                status = kExitFileError;
            }
        }
        if (args.exportPath) {
            const std::string path = (exportDirectory / (stem + extension.string())).string();
            const ExportFormat& format = *ExportFormatOfPath(path);
            if (ExportReporting(creature, path, format, args.exportArguments.Options(format)))
                written += " " + path;
            else
                status = kExitFileError;
        }
#if BW_HAS_RENDER
        if (args.renderDirectory) {
            const std::string path =
                (std::filesystem::path(*args.renderDirectory) / (stem + ".png")).string();
            if (WritePictureReporting(renderer, creature, PictureOptions(), path))
                written += " " + path;
            else
                status = kExitFileError;
        }
#endif
        std::cout << "seed " << seed << ":" << written << std::endl;
    }
    return status;
}

}  // namespace

void AddRandomCommand(CLI::App& app, CommandAction& action) {
    CLI::App* command = app.add_subcommand(
        "random",
        "Make random creatures by the window's Random Creature rules and save each as a "
        "project, an export or both; creature k of a batch (from 0) has the seed N + k, which "
        "--seed makes again");
    auto args = std::make_shared<RandomArguments>();
    AddObjectsOption(*command, args->objectDirectory, "Object directory: one folder per body part")
        ->required();
    std::vector<std::string> types{"all"};
    for (std::size_t t = 1; t < kCreatureTypeItems.size(); ++t)
        types.emplace_back(kCreatureTypeItems[t]);
    command
        ->add_option("--type", args->type,
                     "Only files whose name begins with TYPE where a body part has any: Fantasy, "
                     "Female, Insect, Male or Manga (any letter case), or all (default)")
        ->check(CLI::IsMember(types, CLI::ignore_case).description(""))
        ->type_name("TYPE")
        ->take_last();
    command
        ->add_option("--seed", args->seed,
                     "Seed of the first creature, 0 to 4294967295 (default: the clock's seconds)")
        ->check(CLI::Range(std::int64_t(0), std::int64_t(UINT32_MAX)).description(""))
        ->type_name("N")
        ->take_last();
    command->add_option("--count", args->count, "How many creatures, 1 to 100000 (default 1)")
        ->check(CLI::Range(1, 100000).description(""))
        ->type_name("K")
        ->take_last();
    CLI::Option* save =
        command
            ->add_option("--save", args->saveDirectory,
                         "Save each creature as the project DIR/NAME-SEED.bwp (NAME is "
                         "\"creature\" without --export)")
            ->type_name("DIR")
            ->take_last();
    CLI::Option* exported =
        command
            ->add_option("--export", args->exportPath,
                         "Export each creature as DIR/NAME-SEED.EXT, in the format EXT names: " +
                             ExportExtensionList())
            ->type_name("DIR/NAME.EXT")
            ->check(ExportPathValidator())
            ->take_last();
    AddExportArguments(*command, args->exportArguments);
    CLI::Option* rendered = nullptr;
#if BW_HAS_RENDER
    rendered = command
                   ->add_option("--render", args->renderDirectory,
                                "Draw each creature as the picture DIR/NAME-SEED.png (256 x 256, "
                                "as bwtool render draws it)")
                   ->type_name("DIR")
                   ->take_last();
#endif
    command->callback([&action, args, save, exported, rendered] {
        if (!save->count() && !exported->count() && !(rendered && rendered->count()))
            throw CLI::ValidationError(rendered
                                           ? "--save DIR, --export DIR/NAME.EXT or --render DIR "
                                             "is needed"
                                           : "--save DIR or --export DIR/NAME.EXT is needed");
        if (args->exportArguments.Given() && !exported->count())
            throw CLI::ValidationError("--up, --scale and --height go with --export");
        if (args->exportArguments.SubdivideGiven() && !exported->count())
            throw CLI::ValidationError("--subdivide goes with --export");
        args->exportArguments.CheckRig(args->exportPath);
        std::string& objects = args->objectDirectory;
        while (objects.size() > 1 && objects.back() == '/') objects.pop_back();
        action = [args] { return RunRandom(*args); };
    });
}

}  // namespace bw::tool
