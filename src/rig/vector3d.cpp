#include "rig/vector3d.h"

namespace bw {

Vector3d MeanOfPoints(std::span<const Vec3f> points, std::span<const std::uint16_t> set) {
    Vector3d sum;
    std::size_t used = 0;
    for (const std::uint16_t i : set) {
        if (i >= points.size()) continue;
        sum = sum + ToVector3d(points[i]);
        ++used;
    }
    return used == 0 ? Vector3d{} : (1.0 / double(used)) * sum;
}

Vector3d MeanOfPoints(std::span<const Vec3f> points) {
    Vector3d sum;
    for (const Vec3f& p : points) sum = sum + ToVector3d(p);
    return points.empty() ? Vector3d{} : (1.0 / double(points.size())) * sum;
}

}  // namespace bw
