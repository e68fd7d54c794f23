#include "converter/seam_points.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace bw {
namespace {

bool HasMaterial(const ConverterPoint& point, std::int32_t material) {
    for (int i = 0; i < point.materialCount; ++i)
        if (point.materials[std::size_t(i)] == material) return true;
    return false;
}

std::uint64_t EdgeKey(std::int32_t u, std::int32_t v) {
    if (u > v) std::swap(u, v);
    return (std::uint64_t(std::uint32_t(u)) << 32) | std::uint32_t(v);
}

}  // namespace

std::vector<std::int32_t> SeamPoints(const ConverterModel& model, std::int32_t a, std::int32_t b) {
    std::vector<std::int32_t> seam;
    const auto points = model.ModelPoints();
    for (std::size_t p = 0; p < points.size(); ++p)
        if (HasMaterial(points[p], a) && HasMaterial(points[p], b)) seam.push_back(std::int32_t(p));
    return seam;
}

std::vector<std::int32_t> OrderedSeam(const ConverterModel& model, std::int32_t a, std::int32_t b) {
    const std::int32_t lower = std::min(a, b);
    const std::int32_t higher = std::max(a, b);
    const std::vector<std::int32_t> seam = SeamPoints(model, a, b);
    if (seam.empty() || a == b) return seam;

    std::unordered_set<std::uint64_t> higherEdges;
    for (const ConverterPolygon& polygon : model.Polygons()) {
        if (polygon.material != higher) continue;
        for (int k = 0; k < 4; ++k)
            higherEdges.insert(EdgeKey(polygon.vertices[std::size_t(k)],
                                       polygon.vertices[std::size_t((k + 1) % 4)]));
    }
    // The shared edges, directed as the lower material's polygons run; the first one found
    // from a point wins where the seam branches.
    std::unordered_map<std::int32_t, std::int32_t> next;
    std::unordered_set<std::int32_t> hasPrevious;
    for (const ConverterPolygon& polygon : model.Polygons()) {
        if (polygon.material != lower) continue;
        for (int k = 0; k < 4; ++k) {
            const std::int32_t u = polygon.vertices[std::size_t(k)];
            const std::int32_t v = polygon.vertices[std::size_t((k + 1) % 4)];
            if (u == v || !higherEdges.count(EdgeKey(u, v)) || next.count(u)) continue;
            next.emplace(u, v);
            hasPrevious.insert(v);
        }
    }

    std::vector<std::int32_t> ordered;
    std::unordered_set<std::int32_t> placed;
    const auto walk = [&](std::int32_t from) {
        for (std::int32_t p = from; !placed.count(p);) {
            placed.insert(p);
            ordered.push_back(p);
            const auto step = next.find(p);
            if (step == next.end()) break;
            p = step->second;
        }
    };
    for (std::int32_t p : seam)
        if (next.count(p) && !hasPrevious.count(p)) walk(p);
    for (std::int32_t p : seam)
        if (next.count(p) && !placed.count(p)) walk(p);
    for (std::int32_t p : seam)
        if (!placed.count(p)) {
            placed.insert(p);
            ordered.push_back(p);
        }
    return ordered;
}

}  // namespace bw
