// The adjustment transform: recomputes a part's transformed points from its base points and
// its PartAdjustments (scale stage, then taper stage). Model space, units of the object file.
#pragma once

#include <optional>

#include "model/part_object.h"

namespace bw {

struct Bounds {
    Vec3f min;
    Vec3f max;
};

// Euclidean distance; exactly 0 (no root taken) when the points coincide.
float PointDistance(const Vec3f& p, const Vec3f& q);

// Per-axis minimum and maximum of the base points; nullopt for a part without points.
std::optional<Bounds> BaseBounds(const PartObject& part);

// Scale and taper stages only (the creature re-attaches its neighbours afterwards). One pass
// each for the centroid, the scale, the bounds and the taper, and no allocation. A part whose
// base points are flat along its taper axis is not tapered.
void TransformPart(PartObject& part);

}  // namespace bw
