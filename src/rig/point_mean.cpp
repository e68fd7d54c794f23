#include "rig/point_mean.h"

namespace bw {

Vec3d MeanOfPoints(std::span<const Vec3f> points, std::span<const std::uint16_t> set) {
    Vec3d sum;
    std::size_t used = 0;
    for (const std::uint16_t i : set) {
        if (i >= points.size()) continue;
        sum = sum + Widened(points[i]);
        ++used;
    }
    return used == 0 ? Vec3d{} : (1.0 / double(used)) * sum;
}

Vec3d MeanOfPoints(std::span<const Vec3f> points) {
    Vec3d sum;
    for (const Vec3f& p : points) sum = sum + Widened(p);
    return points.empty() ? Vec3d{} : (1.0 / double(points.size())) * sum;
}

}  // namespace bw
