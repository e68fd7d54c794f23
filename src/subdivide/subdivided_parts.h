// The creature's parts as one smooth surface: the parts are welded into one surface (see
// welded_surface.h), the surface is subdivided, and its faces are handed back to the parts
// they lie in. A seam's points come out as the same points in both parts, so the parts stay
// closed to each other; each part keeps its name and surfaces.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "export/creature_geometry.h"
#include "export/welded_surface.h"
#include "subdivide/subdivision_topology.h"

namespace bw {

// The welded surface's polygons refined: over the points the polygons use (a point of a cap
// taken out is left out, so that moving it changes nothing), its base faces indexing
// `surface.polygons`.
struct WeldedSurfaceTopology {
    SubdivisionTopology topology;
    // Per base point of the topology, its index in `surface.points`.
    std::vector<std::uint32_t> surfacePoints;

    // The topology's base points taken from the surface's points.
    std::vector<Vec3f> BasePoints(std::span<const Vec3f> surfacePointPositions) const;
};

// The topology of the welded surface refined to `level`; none, with `reason` set, when it
// cannot be refined.
std::optional<WeldedSurfaceTopology> RefineWeldedSurface(const WeldedSurface& surface, int level,
                                                         std::string* reason = nullptr);

// Replaces `parts` by their subdivision to `level` (0 leaves them as they are): per part the
// refined quads of its own polygons over points of its own, with normals of the subdivided
// surface and, where the parts have skin weights, the weights mixed as the points are. The
// seams' point sets are emptied (the welds are made). False, with `reason` set and `parts`
// as they were, when the surface cannot be subdivided.
bool SubdivideParts(std::vector<PartGeometry>& parts, std::span<const SeamWeld> welds, int level,
                    std::string* reason = nullptr);

}  // namespace bw
