// The export options that `assemble` and `random` share (--up, --scale, --height, --rig,
// --subdivide), their
// checks, and the writing of an export with its report on standard error.
#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <string>

#include "export/writers/creature_export.h"

namespace bw::tool {

struct ExportArguments {
    std::string up;  // "y", "z" or empty for the format's own
    std::optional<double> scale;
    std::optional<double> height;
    bool rig = false;
    int subdivide = 0;  // Catmull–Clark levels, 0 to kMaxSubdivisionLevel

    // True when --up, --scale or --height was given on the command line.
    bool Given() const {
        return upOption && (upOption->count() || scaleOption->count() || heightOption->count());
    }
    // True when --subdivide was given on the command line.
    bool SubdivideGiven() const { return subdivideOption && subdivideOption->count(); }
    // The options for `format`: its own up axis when --up was not given, the skeleton with
    // --rig, the subdivision level of --subdivide.
    ExportOptions Options(const ExportFormat& format) const;
    // Throws CLI::ValidationError when --rig was given without an export to `exportPath`, or
    // for a format that cannot carry a skeleton (`otherPath` is a further export that --rig
    // would not apply to, as assemble's --obj).
    void CheckRig(const std::optional<std::string>& exportPath,
                  const std::optional<std::string>& otherPath = std::nullopt) const;

    CLI::Option* upOption = nullptr;
    CLI::Option* scaleOption = nullptr;
    CLI::Option* heightOption = nullptr;
    CLI::Option* subdivideOption = nullptr;
};

// Adds --up y|z, --scale S and --height H (not both), --rig and --subdivide 0|1|2 to
// `command`; `arguments` must outlive the parse.
void AddExportArguments(CLI::App& command, ExportArguments& arguments);

// Accepts a path whose extension names an export format.
CLI::Validator ExportPathValidator();

// Exports and reports on standard error: "error: PATH: reason" on failure, and for a welded
// surface "PATH: watertight" or "PATH: not watertight: N open edges (edges not shared by
// exactly two triangles)", followed by "; K shells" when there is more than one. True when
// every file was written.
bool ExportReporting(const Creature& creature, const std::string& path, const ExportFormat& format,
                     const ExportOptions& options);

}  // namespace bw::tool
