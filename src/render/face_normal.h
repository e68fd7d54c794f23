// The face normal of flat shading: one unit normal per polygon from its first three corners.
//
// Pure arithmetic, safe for any input (degenerate, huge or non-finite points give no normal).
#pragma once

#include <optional>

#include "model/vec3.h"

namespace bw {

// Cross products this short or shorter (in the squared units of the points) count as no normal.
inline constexpr double kMinFaceNormalLength = 0.00001;

// The unit vector along (b - a) x (c - a), so a counter-clockwise a, b, c faces the viewer.
// No value when the cross product is zero, its length is not greater than kMinFaceNormalLength
// or it is not finite: the caller then keeps the normal it had.
std::optional<Vec3f> FaceNormal(const Vec3f& a, const Vec3f& b, const Vec3f& c);

}  // namespace bw
