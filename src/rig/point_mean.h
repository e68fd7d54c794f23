// Means of object-file points in double precision: the centre of a connection set, of a part.
#pragma once

#include <cstdint>
#include <span>

#include "model/vec3.h"

namespace bw {

// Mean of points[i] over the indices of `set` that lie inside `points` (others are skipped);
// the origin when none does.
Vec3d MeanOfPoints(std::span<const Vec3f> points, std::span<const std::uint16_t> set);
// Mean of all of `points`; the origin for none.
Vec3d MeanOfPoints(std::span<const Vec3f> points);

}  // namespace bw
