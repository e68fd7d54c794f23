// Exporting an assembled creature to a file format 3D programs exchange (see export_format.h),
// written by the export library and saved through the atomic multi-file save.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "export/creature_geometry.h"
#include "export/export_format.h"
#include "model/creature.h"

namespace bw {

// The stages of an export, in order; Welding only for a welded surface (STL, 3MF), Saving only
// when the files are written.
enum class ExportStage { Collecting, Subdividing, Welding, Writing, Saving };
// Told as each stage starts; may repaint a progress display.
using ExportProgress = std::function<void(ExportStage)>;

struct ExportFile {
    std::string path;
    std::string bytes;
};

struct ExportResult {
    // The file asked for first, then its companions in the same folder, named after it: the
    // material library of an OBJ ("NAME.mtl"), the buffer of a .gltf ("NAME.bin").
    std::vector<ExportFile> files;
    // For a welded surface (STL, 3MF): the number of edges not shared by exactly two
    // triangles, and of shells.
    std::optional<std::size_t> openEdges;
    std::optional<std::size_t> shells;
};

// The bytes of the export of `creature` to `path` in `format`, nothing written. The creature is
// exported in `options.pose`; with `options.includeSkeleton`, a format that can carry a
// skeleton (ExportFormat::skeleton) gets it, and any other format ignores the choice. False, with
// `reason` set, when a point or normal is no finite number, the options cannot be met (see
// TakeCreatureGeometry), the export library fails, or a companion file would have the path of
// the file itself.
bool EncodeCreatureExport(const Creature& creature, const std::string& path,
                          const ExportFormat& format, const ExportOptions& options,
                          ExportResult& result, std::string* reason,
                          const ExportProgress& progress = {});

// EncodeCreatureExport, then every file saved as one atomic save: a failed export leaves every
// file as it was. False, with `reason` set, when either step fails.
bool ExportCreature(const Creature& creature, const std::string& path, const ExportFormat& format,
                    const ExportOptions& options, ExportResult& result, std::string* reason,
                    const ExportProgress& progress = {});

}  // namespace bw
