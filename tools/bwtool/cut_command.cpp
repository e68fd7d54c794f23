// bwtool cut: cuts a prepared whole-creature object into one object file per body part, with
// the connection point sets of every seam, exactly as the converter page saves them by hand.
#include <filesystem>
#include <iostream>
#include <optional>
#include <system_error>

#include "bwtool/commands.h"
#include "converter/converter_cut.h"
#include "converter/converter_model.h"
#include "converter/object_name.h"
#include "model/body_part_directory.h"

namespace bw::tool {
namespace {

// Prints each message as "caption: text" on standard error.
class StandardErrorNotifier : public Notifier {
  public:
    MessageResult ShowMessage(const std::string& text, const std::string& caption, MessageIcon,
                              MessageButtons) override {
        std::cerr << caption << ": " << text << "\n";
        return MessageResult::Ok;
    }
};

int Usage(const std::string& problem) {
    std::cerr << "error: " << problem << "\n"
              << "usage: bwtool cut PREPARED --objects DIR [--name NAME]\n";
    return kExitUsage;
}

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

}  // namespace

int RunCut(const std::vector<std::string>& args) {
    std::optional<std::string> prepared, objects, name;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--objects" || arg == "--name") {
            if (i + 1 == args.size()) return Usage(arg + " needs a value");
            (arg == "--objects" ? objects : name) = args[++i];
        } else if (!arg.empty() && arg[0] == '-' && arg != "-") {
            return Usage("unknown option " + arg);
        } else if (prepared) {
            return Usage("only one prepared object can be cut at a time");
        } else {
            prepared = arg;
        }
    }
    if (!prepared) return Usage("no prepared object given");
    if (!objects) return Usage("--objects DIR is needed");
    if (!name) name = std::filesystem::path(*prepared).stem().string();
    std::string problem;
    if (!IsSafeObjectName(*name, &problem)) return Usage(problem);

    StandardErrorNotifier notifier;
    ConverterModel model(notifier);
    NoProgress progress;
    if (!model.LoadPreparedObject(*prepared, progress)) return kExitFileError;
    if (!MakeBodyPartDirectories(*objects)) return kExitFileError;
    model.SetObjectDirectory(*objects);
    model.SetObjectName(*name);

    CutListener listener;
    listener.partWritten = [](BodyPartId, const std::string& path, const PartGroup& group) {
        std::cout << "wrote " << path << " (" << group.pointCount << " points, "
                  << group.polygonCount << " polygons)\n";
    };
    listener.setWritten = [](BodyPartId id, int set, std::size_t count) {
        std::cout << "set " << set << " of " << BodyPartName(id) << " ("
                  << ConnectionLabel(id, set) << "): " << count << " points\n";
    };
    return CutAllParts(model, listener) ? kExitOk : kExitFileError;
}

}  // namespace bw::tool
