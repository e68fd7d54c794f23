#include "model/part_transform.h"

#include <cmath>
#include <cstdlib>

namespace bw {
namespace {

float Coordinate(const Vec3f& v, int axis) { return axis == 0 ? v.x : axis == 1 ? v.y : v.z; }
float& Coordinate(Vec3f& v, int axis) { return axis == 0 ? v.x : axis == 1 ? v.y : v.z; }

}  // namespace

float PointDistance(const Vec3f& p, const Vec3f& q) {
    const float dx = p.x - q.x, dy = p.y - q.y, dz = p.z - q.z;
    const float sum = dx * dx + dy * dy + dz * dz;
    return sum == 0.0f ? 0.0f : std::sqrt(sum);
}

std::optional<Bounds> BaseBounds(const PartObject& part) {
    const auto points = part.BasePoints();
    if (points.empty()) return std::nullopt;
    Bounds b{points[0], points[0]};
    for (const Vec3f& p : points) {
        b.min = {std::min(b.min.x, p.x), std::min(b.min.y, p.y), std::min(b.min.z, p.z)};
        b.max = {std::max(b.max.x, p.x), std::max(b.max.y, p.y), std::max(b.max.z, p.z)};
    }
    return b;
}

void TransformPart(PartObject& part) {
    const auto base = part.BasePoints();
    const auto out = part.TransformedPoints();
    const std::size_t n = base.size();
    if (n == 0 || out.size() != n) return;
    const PartAdjustments& adj = part.adjustments;

    double sx = 0, sy = 0, sz = 0;
    for (const Vec3f& p : base) {
        sx += p.x;
        sy += p.y;
        sz += p.z;
    }
    const Vec3f c{float(sx / double(n)), float(sy / double(n)), float(sz / double(n))};

    // Scale: the None value everywhere, Positive below the centroid, Negative above it, each
    // weakened by the cosine of the distance from the centroid.
    const auto& v = adj.scaleValue;
    for (std::size_t i = 0; i < n; ++i) {
        const Vec3f& p = base[i];
        const float w = std::cos(PointDistance(p, c));
        const float kx = v[0] + (p.x < c.x ? v[3] : 0.0f) + (p.x > c.x ? v[6] : 0.0f);
        const float ky = v[1] + (p.y < c.y ? v[4] : 0.0f) + (p.y > c.y ? v[7] : 0.0f);
        const float kz = v[2] + (p.z < c.z ? v[5] : 0.0f) + (p.z > c.z ? v[8] : 0.0f);
        out[i] = {p.x + p.x * w * kx, p.y + p.y * w * ky, p.z + p.z * w * kz};
    }

    // No taper for 0 or for a number a damaged project file gave; the direction plays no part.
    const std::optional<TaperAxis> taperAxis = TaperAxis::FromFileValue(adj.taperAxis);
    if (!taperAxis) return;
    const int a = taperAxis->Index();
    const std::optional<Bounds> bounds = BaseBounds(part);
    const float low = Coordinate(bounds->min, a);
    const float extent = Coordinate(bounds->max, a) - low;
    if (!(extent > 0.0f) || !std::isfinite(extent)) return;  // flat along the axis
    const int b1 = (a + 1) % 3, b2 = (a + 2) % 3;
    const float ca = Coordinate(c, a), cb1 = Coordinate(c, b1), cb2 = Coordinate(c, b2);
    const auto& t = adj.taperValue;

    // Taper: widens the cross-section towards the maximum end by (1 + value) about the
    // centroid's line and narrows it towards the minimum end; Left/Bottom acts above the
    // centroid, Right/Top below it.
    for (std::size_t i = 0; i < n; ++i) {
        const Vec3f& p = base[i];
        const float pa = Coordinate(p, a);
        const float s = 2.0f * ((pa - low) / extent - 0.5f);
        const float k = s * t[0] + (pa > ca ? s * t[1] : 0.0f) + (pa < ca ? s * t[2] : 0.0f);
        Coordinate(out[i], b1) += k * (Coordinate(p, b1) - cb1);
        Coordinate(out[i], b2) += k * (Coordinate(p, b2) - cb2);
    }
}

}  // namespace bw
