// The creature as one surface for printing: the parts' points that the welds made coincide
// become one point, the walls where two parts' closing caps lie on each other are taken out,
// and every polygon is split into triangles. Whether the result is watertight is counted by
// its edges.
//
// A weld makes the points of a seam's ring equal. The inner points of the two caps over it
// were made to lie on each other too, but each moved with its own part, so they agree only to
// within rounding (a few billionths of a unit where a creature is a third of a unit tall):
// points closer than a millionth of the creature's size are therefore one point.
//
// Why the walls go: every part is a closed mesh, closed at each seam by a cap over the seam's
// ring of points. Where two parts meet, their rings are welded point for point, and where the
// parts were made to fit, their caps lie on each other, wound opposite ways. Both caps are
// then inside the merged body and enclose nothing; left in, each ring edge would be shared by
// four faces instead of two. A cap that no longer lies on its partner (a part scaled on its
// own pulls its cap's inner points along, while the weld holds the ring) stays, and the edge
// count reports it.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "bwtool/creature_geometry.h"

namespace bw::tool {

struct WeldedSurface {
    std::vector<Vec3f> points;   // one per merged point, in the export frame
    std::vector<Vec3f> normals;  // per point: the unit mean of the normals merged into it
    // Point indices, counter-clockwise seen from outside.
    std::vector<std::array<std::uint32_t, 3>> triangles;
    // Pairs of polygons that lay on each other with opposite winding and were taken out.
    std::size_t removedPolygonPairs = 0;
};

// Merges points closer than a millionth of the diagonal of all points' bounding box (equal
// points always; -0 equals 0), each into the first of them; takes out pairs of polygons over the
// same points wound opposite ways, drops polygons whose merged corners leave no area, and splits
// the rest into triangles: (0, 1, 2) and (0, 2, 3), as the preview splits a quad.
WeldedSurface WeldParts(std::span<const PartGeometry> parts);

// The number of edges (unordered pairs of points) used by a number of triangles other than
// two: 0 for a watertight surface.
std::size_t CountOpenEdges(const WeldedSurface& surface);

}  // namespace bw::tool
