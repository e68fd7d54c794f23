#include "bwtool/export_arguments.h"

#include <cmath>
#include <iostream>
#include <string_view>
#include <vector>

#include "subdivide/surface_level.h"

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

// ".glb, .gltf or .fbx": the formats of the command line that can carry a skeleton.
std::string SkeletonExtensionList() {
    std::vector<std::string_view> extensions;
    for (const ExportFormat& format : ExportFormats())
        if (format.skeleton) extensions.push_back(format.extension);
    std::string list;
    for (std::size_t i = 0; i < extensions.size(); ++i) {
        if (i > 0) list += i + 1 == extensions.size() ? " or " : ", ";
        list += extensions[i];
    }
    return list;
}

}  // namespace

ExportOptions ExportArguments::Options(const ExportFormat& format) const {
    ExportOptions options;
    options.up = up.empty() ? format.defaultUp : up == "z" || up == "Z" ? UpAxis::Z : UpAxis::Y;
    options.scale = scale;
    options.height = height;
    options.includeSkeleton = rig && format.skeleton;
    options.subdivisionLevel = subdivide;
    return options;
}

void ExportArguments::CheckRig(const std::optional<std::string>& exportPath,
                               const std::optional<std::string>& otherPath) const {
    if (!rig) return;
    if (!exportPath)
        throw CLI::ValidationError("--rig goes with --export OUT.EXT, where EXT is " +
                                   SkeletonExtensionList());
    const auto refuse = [](const std::string& path) {
        throw CLI::ValidationError("--rig needs an export that can carry a skeleton: " +
                                   SkeletonExtensionList() + ", not \"" + path + "\"");
    };
    const ExportFormat* format = ExportFormatOfPath(*exportPath);
    if (!format || !format->skeleton) refuse(*exportPath);
    if (otherPath) refuse(*otherPath);
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
    command.add_flag("--rig", arguments.rig,
                     "Export the creature's skeleton with it: one joint per body part, the skin "
                     "weights, and the pose as the joints' turns (" +
                         SkeletonExtensionList() + " only)");
    arguments.subdivideOption =
        command
            .add_option("--subdivide", arguments.subdivide,
                        "Smooth the exported surface: 0 leaves the parts as they are, 1 and 2 "
                        "subdivide the welded creature once or twice (four faces of each face "
                        "per level), seams closed, each body part keeping its own faces")
            ->check(CLI::Range(0, kMaxSubdivisionLevel).description(""))
            ->type_name("0|1|2")
            ->take_last();
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
