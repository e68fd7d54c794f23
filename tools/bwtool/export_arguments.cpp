#include "bwtool/export_arguments.h"

#include <cmath>
#include <iostream>

namespace bw::tool {
namespace {

CLI::Validator PositiveNumber() {
    return CLI::Validator(
        [](std::string& text) -> std::string {
            double value = 0.0;
            if (!CLI::detail::lexical_cast(text, value) || !std::isfinite(value) || value <= 0.0)
                return "\"" + text + "\" is no positive number";
            return {};
        },
        "");
}

}  // namespace

ExportOptions ExportArguments::Options(const ExportFormat& format) const {
    ExportOptions options;
    options.up = up.empty() ? format.defaultUp : up == "z" || up == "Z" ? UpAxis::Z : UpAxis::Y;
    options.scale = scale;
    options.height = height;
    return options;
}

void AddExportArguments(CLI::App& command, ExportArguments& arguments) {
    arguments.upOption =
        command
            .add_option("--up", arguments.up,
                        "Up axis of the exported file: y (the glTF convention, default) or z "
                        "(default for .3mf, the 3MF convention)")
            ->check(CLI::IsMember({"y", "z"}, CLI::ignore_case).description(""))
            ->type_name("y|z")
            ->take_last();
    arguments.scaleOption =
        command.add_option("--scale", arguments.scale, "Multiply every exported coordinate by S")
            ->check(PositiveNumber())
            ->type_name("S")
            ->take_last();
    arguments.heightOption = command
                                 .add_option("--height", arguments.height,
                                             "Scale the exported creature so that it is H tall")
                                 ->check(PositiveNumber())
                                 ->type_name("H")
                                 ->take_last()
                                 ->excludes(arguments.scaleOption);
}

CLI::Validator ExportPathValidator() {
    return CLI::Validator(
        [](std::string& path) -> std::string {
            if (ExportFormatOfPath(path)) return {};
            return "\"" + path + "\" names no export format; use " + ExportExtensionList();
        },
        "");
}

bool ExportReporting(const Creature& creature, const std::string& path, const ExportFormat& format,
                     const ExportOptions& options) {
    ExportResult result;
    std::string reason;
    if (!ExportCreature(creature, path, format, options, result, &reason)) {
        std::cerr << "error: " << path << ": " << reason << "\n";
        return false;
    }
    if (result.openEdges) {
        if (*result.openEdges == 0)
            std::cerr << path << ": watertight";
        else
            std::cerr << path << ": not watertight: " << *result.openEdges
                      << " open edges (edges not shared by exactly two triangles)";
        if (result.shells && *result.shells > 1) std::cerr << "; " << *result.shells << " shells";
        std::cerr << "\n";
    }
    return true;
}

}  // namespace bw::tool
