// A rigid placement in model space: a 3x3 linear part (row major) and a translation. Points are
// mapped as p' = linear * p + translation, directions without the translation.
#pragma once

#include <array>

#include "rig/point_mean.h"
#include "rig/quaternion.h"

namespace bw {

struct AffineTransform {
    std::array<double, 9> linear{1.0, 0.0, 0.0, 0.0, 1.0, 0.0, 0.0, 0.0, 1.0};
    Vec3d translation;

    static AffineTransform Translation(const Vec3d& offset);
    static AffineTransform Rotation(const Quaternion& rotation);

    Vec3d ApplyToPoint(const Vec3d& p) const;
    Vec3d ApplyToDirection(const Vec3d& v) const;
    // The 3x4 matrix [linear | translation], row major: the top three rows of the 4x4 matrix
    // exporters write (their bottom row is 0 0 0 1).
    std::array<double, 12> RowMajor3x4() const;

    friend bool operator==(const AffineTransform&, const AffineTransform&) = default;
};

// `a` applied after `b`.
AffineTransform operator*(const AffineTransform& a, const AffineTransform& b);

}  // namespace bw
