// The cap that closes a part at one of its seams, found by the mesh's topology alone.
//
// A part is a closed mesh; at a seam its surface runs through the seam's ring of points and is
// closed by a cap that the ring encloses. Cut along the ring (every edge whose two points both
// lie on it), the part's polygons fall apart into the part itself and the cap: the part is the
// largest piece, the cap everything else (several pieces where the cap has polygons with all
// their corners on the ring). A ring that does not cut the part apart encloses no cap.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "export/creature_geometry.h"

namespace bw {

// Indices into `part.polygons` of the cap that `ring` (point indices of the part) encloses,
// ascending; empty when the ring encloses none.
std::vector<std::size_t> SeamCapPolygons(const PartGeometry& part,
                                         std::span<const std::uint32_t> ring);

}  // namespace bw
