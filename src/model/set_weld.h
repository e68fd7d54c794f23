// Centroids, moves and welds of connection point sets. Set indices are valid point indices
// (the reader refuses files where they are not), and the two sets of a pair have equal counts.
#pragma once

#include <cstdint>
#include <span>

#include "model/part_object.h"
#include "model/vec3.h"

namespace bw {

// Mean of the part's transformed points at `set`; zero for an empty set.
Vec3d SetCentroid(const PartObject& part, std::span<const std::uint16_t> set);

// Translates `x` so that the centroid of its set `a` meets the centroid of `y`'s set `b`.
// No move when the sets are empty.
void MoveSetOnto(PartObject& x, std::span<const std::uint16_t> a, const PartObject& y,
                 std::span<const std::uint16_t> b);

// Point j of `a` and point j of `b` both become their average, and so do their normals (not
// renormalised). Base points are not changed.
void WeldSets(PartObject& x, std::span<const std::uint16_t> a, PartObject& y,
              std::span<const std::uint16_t> b);

}  // namespace bw
