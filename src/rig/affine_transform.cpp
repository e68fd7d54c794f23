#include "rig/affine_transform.h"

#include <cstddef>

namespace bw {

AffineTransform AffineTransform::Translation(const Vec3d& offset) {
    AffineTransform t;
    t.translation = offset;
    return t;
}

AffineTransform AffineTransform::Rotation(const Quaternion& rotation) {
    AffineTransform t;
    t.linear = RotationMatrix(rotation);
    return t;
}

Vec3d AffineTransform::ApplyToPoint(const Vec3d& p) const {
    return ApplyToDirection(p) + translation;
}

Vec3d AffineTransform::ApplyToDirection(const Vec3d& v) const {
    const auto& m = linear;
    return {m[0] * v.x + m[1] * v.y + m[2] * v.z, m[3] * v.x + m[4] * v.y + m[5] * v.z,
            m[6] * v.x + m[7] * v.y + m[8] * v.z};
}

std::array<double, 12> AffineTransform::RowMajor3x4() const {
    const auto& m = linear;
    return {m[0], m[1],          m[2], translation.x, m[3], m[4],
            m[5], translation.y, m[6], m[7],          m[8], translation.z};
}

AffineTransform operator*(const AffineTransform& a, const AffineTransform& b) {
    AffineTransform c;
    for (std::size_t row = 0; row < 3; ++row) {
        for (std::size_t col = 0; col < 3; ++col) {
            double sum = 0.0;
            for (std::size_t k = 0; k < 3; ++k)
                sum += a.linear[row * 3 + k] * b.linear[k * 3 + col];
            c.linear[row * 3 + col] = sum;
        }
    }
    c.translation = a.ApplyToPoint(b.translation);
    return c;
}

}  // namespace bw
