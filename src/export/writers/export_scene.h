// The scene the export library writes: built from the creature's geometry, owned by the
// caller, never shared.
//
// Parts: a root node "creature" with one child node per part named after its body part
// ("Left hand"); the child holds one mesh per surface its polygons use, each named after the
// body part too, with the points those polygons use, their normals, and the surface's own
// material named "<body part> <surface name>" (or the surface name alone) whose diffuse and
// base colour is the surface's.
// Welded surface: one node and one mesh "creature" of triangles.
#pragma once

#include <assimp/scene.h>

#include <memory>
#include <span>
#include <string>

#include "export/creature_geometry.h"
#include "export/export_format.h"
#include "export/welded_surface.h"

namespace bw {

// Materials are named by ExportSurfaceName, each name once.
std::unique_ptr<aiScene> PartsScene(std::span<const PartGeometry> parts, const ExportFormat& format,
                                    bool typeInSurfaceNames = true);
std::unique_ptr<aiScene> WeldedSurfaceScene(const WeldedSurface& surface);

// `text` as a name in a written file: valid UTF-8 (a byte that is not part of valid UTF-8
// becomes U+FFFD), control characters as '_', and for `blankFree` blanks as '_' too. An empty
// text stays empty.
std::string ExportName(const std::string& text, bool blankFree);

}  // namespace bw
