// bwtool assemble: builds a creature exactly as the program does (project first, then each
// --add in order) and writes what was asked: JSON on standard output, a project, an OBJ.
#include <charconv>
#include <cstdlib>
#include <iostream>
#include <nlohmann/json.hpp>
#include <optional>

#include "bwtool/commands.h"
#include "bwtool/json_number.h"
#include "bwtool/json_text.h"
#include "bwtool/obj_export.h"
#include "model/creature.h"
#include "project/project_loader.h"

namespace bw::tool {
namespace {

using Json = nlohmann::ordered_json;

struct AssembleOptions {
    std::string objectDirectory;
    bool haveObjectDirectory = false;
    std::optional<std::string> project;
    std::vector<std::pair<std::string, std::string>> adds;  // body part name, path
    bool json = false;
    std::optional<std::string> savePath;
    bool standard = false;
    std::optional<std::string> objPath;
};

// Prints each message as "caption: text" on standard error and keeps it for the JSON.
class ReportingNotifier : public Notifier {
  public:
    MessageResult ShowMessage(const std::string& text, const std::string& caption, MessageIcon,
                              MessageButtons) override {
        std::cerr << caption << ": " << text << "\n";
        messages.push_back({{"caption", caption}, {"text", text}});
        return MessageResult::Ok;
    }
    Json messages = Json::array();
};

// The reader's reason for a part that could not be added, which the message (the path under
// its caption) leaves out: "error: PATH: reason" on standard error.
void ReportAddFailure(const Creature& creature) {
    const Creature::AddFailure& failure = creature.LastAddFailure();
    std::cerr << "error: " << failure.path << ": " << failure.reason << "\n";
}

// Translates renamed paths without asking again, reports the list like any message, and the
// reason of every record whose part could not be added.
class TranslatingListener : public ProjectLoadListener {
  public:
    TranslatingListener(Notifier& notifier, const Creature& creature)
        : notifier_(notifier), creature_(creature) {}
    TranslationAnswer AskTranslation(const std::string&, const std::string&,
                                     const TranslationAnswer&) override {
        return {true, true, true, true};
    }
    void ShowTranslationList(const std::vector<std::string>& oldPaths,
                             const std::vector<std::string>& newPaths) override {
        std::string text = "Original name:";
        for (const std::string& p : oldPaths) text += "\n" + p;
        text += "\nNew name:";
        for (const std::string& p : newPaths) text += "\n" + p;
        notifier_.ShowMessage(text, "Translated Body Part Names", MessageIcon::Information);
    }
    void RecordLoaded(const ProjectRecord&, PartObject* part) override {
        if (!part) ReportAddFailure(creature_);
    }

  private:
    Notifier& notifier_;
    const Creature& creature_;
};

// Points that are no finite numbers (from scale values near the float limit, or a file's own)
// would reach the JSON as null and an OBJ as "nan": the user is told which part has them.
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

template <class Range>
Json Numbers(const Range& values) {
    Json array = Json::array();
    for (auto v : values) {
        if constexpr (std::is_floating_point_v<decltype(v)>)
            array.push_back(JsonFloat(v));
        else
            array.push_back(v);
    }
    return array;
}

Json Points(std::span<const Vec3f> points) {
    Json array = Json::array();
    for (const Vec3f& p : points)
        array.push_back(Json::array({JsonFloat(p.x), JsonFloat(p.y), JsonFloat(p.z)}));
    return array;
}

Json DescribePart(const PartObject& part) {
    const PartAdjustments& a = part.adjustments;
    return {{"typeName", part.TypeName()},
            {"bodyPart", part.bodyPart},
            {"typeCode", part.GetTypeCode()},
            {"name", part.Name()},
            {"highlight", part.highlight},
            {"points", Points(part.TransformedPoints())},
            {"basePoints", Points(part.BasePoints())},
            {"normals", Points(part.Normals())},
            {"adjustments",
             {{"adjustPosition", Numbers(a.adjustPosition)},
              {"sliderStep", Numbers(a.sliderStep)},
              {"scaleValue", Numbers(a.scaleValue)},
              {"scaleLock", Numbers(a.scaleLock)},
              {"reserved", a.reserved},
              {"taperAxis", a.taperAxis},
              {"taperLock", a.taperLock},
              {"taperStep", JsonFloat(a.taperStep)},
              {"taperValue", Numbers(a.taperValue)},
              {"taperAdjustPosition", Numbers(a.taperAdjustPosition)}}}};
}

bool Usage(const std::string& problem) {
    std::cerr
        << "bwtool assemble: " << problem << "\n"
        << "usage: bwtool assemble --objects DIR [PROJECT.bwp] [--add \"BODY PART=PATH\"]...\n"
           "                       [--json] [--save OUT.bwp [--standard]] [--obj OUT.obj]\n";
    return false;
}

bool ParseArguments(const std::vector<std::string>& args, AssembleOptions& options) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--objects" || arg == "--add" || arg == "--save" || arg == "--obj") {
            if (!hasValue) return Usage(arg + " needs a value");
            const std::string& value = args[++i];
            if (arg == "--objects") {
                options.objectDirectory = value;
                options.haveObjectDirectory = true;
            } else if (arg == "--add") {
                const std::size_t eq = value.find('=');
                if (eq == std::string::npos) return Usage("--add takes \"BODY PART=PATH\"");
                const std::string name = value.substr(0, eq);
                if (!BodyPartIdOfName(name)) return Usage("\"" + name + "\" is no body part");
                options.adds.emplace_back(name, value.substr(eq + 1));
            } else if (arg == "--save") {
                options.savePath = value;
            } else {
                options.objPath = value;
            }
        } else if (arg == "--json") {
            options.json = true;
        } else if (arg == "--standard") {
            options.standard = true;
        } else if (!arg.empty() && arg[0] == '-') {
            return Usage("unknown option " + arg);
        } else if (options.project) {
            return Usage("more than one project file given");
        } else {
            options.project = arg;
        }
    }
    if (!options.haveObjectDirectory) return Usage("--objects DIR is required");
    if (options.standard && !options.savePath) return Usage("--standard goes with --save");
    // Directories are kept without a trailing separator.
    while (options.objectDirectory.size() > 1 && options.objectDirectory.back() == '/')
        options.objectDirectory.pop_back();
    return true;
}

}  // namespace

int RunAssemble(const std::vector<std::string>& args) {
    AssembleOptions options;
    if (!ParseArguments(args, options)) return kExitUsage;

    ReportingNotifier notifier;
    Creature creature(notifier);
    int status = kExitOk;
    if (options.project) {
        TranslatingListener listener(notifier, creature);
        TranslationFlags flags;
        ProjectLoadResult loaded;
        if (!LoadProject(creature, *options.project, options.objectDirectory, flags, listener,
                         &loaded) ||
            loaded.partsAdded < loaded.recordsRead)
            status = kExitFileError;
    }
    for (const auto& [name, path] : options.adds) {
        if (!creature.AddPart(name, path, *BodyPartIdOfName(name))) {
            ReportAddFailure(creature);
            status = kExitFileError;
        }
    }
    WarnAboutNonFinitePoints(creature);

    if (options.savePath) {
        std::string reason;
        const std::string version = options.standard ? "1" : "20";
        if (!creature.WriteProject(*options.savePath, options.objectDirectory, version, &reason)) {
            std::cerr << "error: " << *options.savePath << ": " << reason << "\n";
            status = kExitFileError;
        }
    }
    if (options.objPath) {
        std::string reason;
        if (!WriteCreatureObj(creature, *options.objPath, &reason)) {
            std::cerr << "error: " << *options.objPath << ": " << reason << "\n";
            status = kExitFileError;
        }
    }
    if (options.json) {
        Json parts = Json::array();
        for (int i = 0; i < creature.PartCount(); ++i)
            parts.push_back(DescribePart(*creature.Part(i)));
        std::cout << JsonText(Json{{"parts", parts}, {"messages", notifier.messages}}) << "\n";
    }
    return status;
}

}  // namespace bw::tool
