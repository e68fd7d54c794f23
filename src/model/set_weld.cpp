#include "model/set_weld.h"

namespace bw {

Vec3d SetCentroid(const PartObject& part, std::span<const std::uint16_t> set) {
    if (set.empty()) return {};
    const auto points = part.TransformedPoints();
    Vec3d sum;
    for (std::uint16_t i : set) {
        sum.x += points[i].x;
        sum.y += points[i].y;
        sum.z += points[i].z;
    }
    const double n = double(set.size());
    return {sum.x / n, sum.y / n, sum.z / n};
}

void MoveSetOnto(PartObject& x, std::span<const std::uint16_t> a, const PartObject& y,
                 std::span<const std::uint16_t> b) {
    if (a.empty() && b.empty()) return;
    const Vec3d d = SetCentroid(y, b) - SetCentroid(x, a);
    x.Translate(float(d.x), float(d.y), float(d.z));
}

void WeldSets(PartObject& x, std::span<const std::uint16_t> a, PartObject& y,
              std::span<const std::uint16_t> b) {
    const auto xp = x.TransformedPoints();
    const auto yp = y.TransformedPoints();
    const auto xn = x.Normals();
    const auto yn = y.Normals();
    const std::size_t count = std::min(a.size(), b.size());
    for (std::size_t j = 0; j < count; ++j) {
        Vec3f& p = xp[a[j]];
        Vec3f& q = yp[b[j]];
        const Vec3f mean{(p.x + q.x) * 0.5f, (p.y + q.y) * 0.5f, (p.z + q.z) * 0.5f};
        p = mean;
        q = mean;
        Vec3f& n = xn[a[j]];
        Vec3f& m = yn[b[j]];
        const Vec3f normal{(n.x + m.x) * 0.5f, (n.y + m.y) * 0.5f, (n.z + m.z) * 0.5f};
        n = normal;
        m = normal;
    }
}

}  // namespace bw
