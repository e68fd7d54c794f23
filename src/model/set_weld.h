// Centroids, moves and welds of connection point sets. Set indices are valid point indices
// (the reader refuses files where they are not), and the two sets of a pair have equal counts.
#pragma once

#include <cstdint>
#include <span>

#include "model/part_object.h"

namespace bw {

struct Vec3d {
    double x = 0.0, y = 0.0, z = 0.0;
    friend Vec3d operator-(const Vec3d& a, const Vec3d& b) {
        return {a.x - b.x, a.y - b.y, a.z - b.z};
    }
};

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
