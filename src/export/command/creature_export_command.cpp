#include "export/command/creature_export_command.h"

#include <filesystem>
#include <utility>

namespace bw {
namespace {

const ExportFormat& FixedFormat(ExportKind kind) {
    switch (kind) {
        case ExportKind::ThreeDs:
            return *ExportFormatOfExtension(".3ds");
        case ExportKind::Dxf:
            return *ExportFormatOfExtension(".dxf");
        default:
            return ObjExportFormat();
    }
}

const char* TitleOf(ExportKind kind) {
    switch (kind) {
        case ExportKind::ThreeDs:
            return "Export in 3DS format";
        case ExportKind::Dxf:
            return "Export in DXF format";
        case ExportKind::Obj:
            return "Export in Wavefront OBJ format";
        default:
            return "Export the model with named body parts";
    }
}

std::string Plural(std::size_t count, const std::string& word) {
    return std::to_string(count) + " " + word + (count == 1 ? "" : "s");
}

}  // namespace

std::optional<ExportTarget> ExportTargetOfChoice(const SaveFileChoice& choice) {
    if (const ExportFormat* format = ExportFormatOfPath(choice.path, ExportFormatSet::Every))
        return ExportTarget{choice.path, format};
    // "glTF binary (*.glb)": the extension between "*" and ")".
    const std::size_t star = choice.filter.rfind("(*");
    const std::size_t close = choice.filter.find(')', star == std::string::npos ? 0 : star);
    if (star == std::string::npos || close == std::string::npos) return std::nullopt;
    const ExportFormat* format =
        ExportFormatOfExtension(std::string_view(choice.filter).substr(star + 2, close - star - 2));
    if (!format || choice.path.empty() || choice.path.back() == '/') return std::nullopt;
    return ExportTarget{choice.path + std::string(format->extension), format};
}

std::string ExportStatusLine(const std::string& path, const ExportResult& result, int bodyParts) {
    std::string line = std::filesystem::path(path).filename().string() + ": ";
    if (!result.openEdges) return line + Plural(std::size_t(bodyParts), "body part");
    line += *result.openEdges == 0
                ? "watertight"
                : "not watertight (" + Plural(*result.openEdges, "open edge") + ")";
    return line + ", " + Plural(result.shells.value_or(0), "shell");
}

FileDialogRequest CreatureExportCommand::SaveRequest(ExportKind kind) const {
    FileDialogRequest request;
    request.title = TitleOf(kind);
    request.initialDirectory = lastDirectory_.empty() ? projectDirectory_ : lastDirectory_;
    request.proposedName = request.initialDirectory + "/creature";
    if (kind == ExportKind::BodyParts) {
        // Every format the library writes; the first is the one chosen when the user picks none.
        for (const ExportFormat& format : ExportFormats(ExportFormatSet::Every)) {
            if (!request.filter.empty()) request.filter += ";;";
            request.filter += format.filter;
        }
        return request;
    }
    const ExportFormat& format = FixedFormat(kind);
    request.filter = format.filter;
    request.defaultExtension = std::string(format.extension.substr(1));
    return request;
}

std::optional<std::string> CreatureExportCommand::Run(ExportKind kind, bool typeInSurfaceNames,
                                                      const ExportProgress& progress) {
    if (creature_.PartCount() == 0) {
        notifier_.ShowMessage("The creature has no body parts to export.", "Export",
                              MessageIcon::Information, MessageButtons::Ok);
        return std::nullopt;
    }
    const std::optional<SaveFileChoice> chosen = fileDialogs_.SaveFileWithFilter(SaveRequest(kind));
    if (!chosen) return std::nullopt;
    ExportTarget target{chosen->path, nullptr};
    if (kind == ExportKind::BodyParts) {
        const std::optional<ExportTarget> named = ExportTargetOfChoice(*chosen);
        if (!named) {
            notifier_.ShowMessage(chosen->path + "\nThe name does not say which format to write; " +
                                      "use " + ExportExtensionList(ExportFormatSet::Every) + ".",
                                  "Unable to export", MessageIcon::Warning, MessageButtons::Ok);
            return std::nullopt;
        }
        target = *named;
    } else {
        target.format = &FixedFormat(kind);
    }

    const std::string key(target.format->extension);
    const auto kept = choices_.find(key);
    ExportChoices start =
        kept != choices_.end() ? kept->second : DefaultExportChoices(*target.format);
    start.subdivisionLevel = surfaceLevel_;
    const std::optional<ExportChoices> choices = asker_->Ask(*target.format, start);
    if (!choices) return std::nullopt;
    choices_[key] = *choices;

    ExportOptions options = ExportOptionsOf(*choices, typeInSurfaceNames);
    options.pose = pose_;
    ExportResult result;
    std::string reason;
    if (!ExportCreature(creature_, target.path, *target.format, options, result, &reason,
                        progress)) {
        notifier_.ShowMessage(target.path + "\n" + reason, "Unable to export", MessageIcon::Warning,
                              MessageButtons::Ok);
        return std::nullopt;
    }
    lastDirectory_ = std::filesystem::path(target.path).parent_path().string();
    return ExportStatusLine(target.path, result, creature_.PartCount());
}

}  // namespace bw
