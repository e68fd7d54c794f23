#include "render/face_normal.h"

#include <cmath>

namespace bw {

std::optional<Vec3f> FaceNormal(const Vec3f& a, const Vec3f& b, const Vec3f& c) {
    const double ux = double(b.x) - a.x, uy = double(b.y) - a.y, uz = double(b.z) - a.z;
    const double vx = double(c.x) - a.x, vy = double(c.y) - a.y, vz = double(c.z) - a.z;
    const double nx = uy * vz - uz * vy;
    const double ny = uz * vx - ux * vz;
    const double nz = ux * vy - uy * vx;
    if (nx == 0.0 && ny == 0.0 && nz == 0.0) return std::nullopt;
    const double length = std::sqrt(nx * nx + ny * ny + nz * nz);
    // Written so that a NaN length fails too.
    if (!(length > kMinFaceNormalLength) || !std::isfinite(length)) return std::nullopt;
    return Vec3f{float(nx / length), float(ny / length), float(nz / length)};
}

}  // namespace bw
