// A unit quaternion for a joint's rotation: w + xi + yj + zk, the form glTF and FBX writers
// store a bone's local rotation in.
#pragma once

#include <array>

#include "rig/point_mean.h"

namespace bw {

struct Quaternion {
    double w = 1.0;
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    friend bool operator==(const Quaternion&, const Quaternion&) = default;
};

// The rotation by `degrees` about the unit vector `axis` (right-handed: counter-clockwise when
// the axis points at the viewer). Exactly the identity for 0 degrees.
Quaternion QuaternionOfAxisAngle(const Vec3d& axis, double degrees);

// The rotation `a` applied after `b`.
Quaternion operator*(const Quaternion& a, const Quaternion& b);

// The 3x3 rotation matrix of a unit quaternion, row major. Exactly the identity matrix for the
// identity quaternion.
std::array<double, 9> RotationMatrix(const Quaternion& q);

}  // namespace bw
