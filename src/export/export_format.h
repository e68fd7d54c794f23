// The file formats a creature can be exported to, chosen by the extension of the output path.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "export/creature_geometry.h"

namespace bw {

// The library that writes a format.
enum class ExportWriter { Assimp, Lib3mf, Dxflib };

struct ExportFormat {
    std::string_view extension;  // lower case, with the dot
    std::string_view name;       // as messages name it: "glTF", "OBJ", ...
    ExportWriter writer;
    // The id of the format's writer in Assimp; nullptr for the formats other libraries write.
    const char* writerId;
    // Only triangles can be written: every quad is split into two.
    bool trianglesOnly;
    // The whole creature as one surface with the welds merged (no parts, no materials).
    bool weldedSurface;
    // Names may hold no blanks (OBJ reads a blank as the end of a name).
    bool blankFreeNames;
    // Material colours are linear, not the display values the surfaces store.
    bool linearColours;
    // The up axis when --up is not given: the format's own convention.
    UpAxis defaultUp;
    // Offered by the command line too; the others (3DS, DXF) only by the window.
    bool commandLine;
    // As a file dialog's filter names it: "glTF binary (*.glb)".
    std::string_view filter;
    // Can carry the creature's skeleton and skin weights (glTF, FBX).
    bool skeleton;
};

// Which formats a front end offers.
enum class ExportFormatSet { CommandLine, Every };

// Every format of `set`, in the order lists show them.
std::span<const ExportFormat> ExportFormats(ExportFormatSet set = ExportFormatSet::CommandLine);
// The format of `set` the extension of `path` names (any letter case); nullptr for none.
const ExportFormat* ExportFormatOfPath(std::string_view path,
                                       ExportFormatSet set = ExportFormatSet::CommandLine);
// The format whose extension is `extension` (".3ds"), whatever the set; nullptr for none.
const ExportFormat* ExportFormatOfExtension(std::string_view extension);
// Wavefront OBJ, whatever the path's extension (bwtool assemble --obj).
const ExportFormat& ObjExportFormat();
// ".glb, .gltf, .fbx, .obj, .stl, .3mf, .ply or .dae" for the command line, for messages and
// help.
std::string ExportExtensionList(ExportFormatSet set = ExportFormatSet::CommandLine);

}  // namespace bw
