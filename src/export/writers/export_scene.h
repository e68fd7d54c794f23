// The scene the export library writes: built from the creature's geometry, owned by the
// caller, never shared.
//
// Parts: a root node "creature" with one child node per part named after its body part
// ("Left hand"); the child holds one mesh per surface its polygons use, each named after the
// body part too, with the points those polygons use, their normals, and the surface's own
// material named "<body part> <surface name>" (or the surface name alone) whose diffuse and
// base colour is the surface's.
// Rigged parts: the same meshes and materials, every mesh held by the root node "creature" (a
// skinned mesh is placed by its joints alone, so it hangs from nothing), and below the root
// one node per joint named after its body part, in the skeleton's tree. A joint's node stands
// at its rest position relative to its parent's and is turned by the pose's rotation, so the
// scene opens posed. Each mesh has a bone for every joint that moves any of its points, with
// the inverse of the joint's rest frame and at most four weights per point summing to one.
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
// Rigged: `skeleton` as TakeCreatureGeometry gives it, `parts` with their weights.
std::unique_ptr<aiScene> RiggedPartsScene(std::span<const PartGeometry> parts,
                                          std::span<const ExportJoint> skeleton,
                                          const ExportFormat& format,
                                          bool typeInSurfaceNames = true);
std::unique_ptr<aiScene> WeldedSurfaceScene(const WeldedSurface& surface);

// `text` as a name in a written file: valid UTF-8 (a byte that is not part of valid UTF-8
// becomes U+FFFD), control characters as '_', and for `blankFree` blanks as '_' too. An empty
// text stays empty.
std::string ExportName(const std::string& text, bool blankFree);

}  // namespace bw
