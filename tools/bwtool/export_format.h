// The file formats a creature can be exported to, chosen by the extension of the output path.
#pragma once

#include <string>
#include <string_view>

#include "bwtool/creature_geometry.h"

namespace bw::tool {

struct ExportFormat {
    std::string_view extension;  // lower case, with the dot
    std::string_view name;       // as messages name it: "glTF", "OBJ", ...
    // The id of the format's writer in the export library; nullptr for 3MF, which the 3MF
    // consortium's library writes.
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
};

// The format the extension of `path` names (any letter case); nullptr for none.
const ExportFormat* ExportFormatOfPath(std::string_view path);
// Wavefront OBJ, whatever the path's extension (bwtool assemble --obj).
const ExportFormat& ObjExportFormat();
// ".glb, .gltf, .fbx, .obj, .stl, .3mf, .ply or .dae", for messages and help.
std::string ExportExtensionList();

}  // namespace bw::tool
