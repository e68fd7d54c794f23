#include "bwtool/welded_surface.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <unordered_map>

namespace bw::tool {
namespace {

struct PositionKey {
    std::array<std::uint32_t, 3> bits;
    friend bool operator==(const PositionKey&, const PositionKey&) = default;
};

struct PositionHash {
    std::size_t operator()(const PositionKey& key) const {
        std::uint64_t h = 1469598103934665603ull;
        for (std::uint32_t b : key.bits) h = (h ^ b) * 1099511628211ull;
        return std::size_t(h);
    }
};

PositionKey KeyOf(const Vec3f& p) {
    PositionKey key;
    const float values[3] = {p.x + 0.0f, p.y + 0.0f, p.z + 0.0f};  // -0 becomes +0
    std::memcpy(key.bits.data(), values, sizeof values);
    return key;
}

// A polygon over merged points: its corners rotated so the smallest index comes first, so
// that equal cycles compare equal. Unused corners are left at the largest index value.
using Cycle = std::array<std::uint32_t, 4>;

Cycle Canonical(const std::array<std::uint32_t, 4>& corners, std::uint32_t count) {
    const auto first = std::min_element(corners.begin(), corners.begin() + count);
    Cycle cycle;
    cycle.fill(UINT32_MAX);
    const std::uint32_t start = std::uint32_t(first - corners.begin());
    for (std::uint32_t k = 0; k < count; ++k) cycle[k] = corners[(start + k) % count];
    return cycle;
}

Cycle Reversed(const Cycle& cycle, std::uint32_t count) {
    std::array<std::uint32_t, 4> reversed{};
    for (std::uint32_t k = 0; k < count; ++k) reversed[k] = cycle[count - 1 - k];
    return Canonical(reversed, count);
}

struct MergedPolygon {
    std::array<std::uint32_t, 4> corners;  // in the part's order
    Cycle cycle;
    std::uint32_t count;
    bool removed = false;
};

}  // namespace

WeldedSurface WeldParts(std::span<const PartGeometry> parts) {
    WeldedSurface surface;
    std::unordered_map<PositionKey, std::uint32_t, PositionHash> merged;
    std::vector<Vec3f> normalSums;
    std::vector<MergedPolygon> polygons;
    for (const PartGeometry& part : parts) {
        std::vector<std::uint32_t> index(part.points.size());
        for (std::size_t i = 0; i < part.points.size(); ++i) {
            const auto [it, added] =
                merged.try_emplace(KeyOf(part.points[i]), std::uint32_t(surface.points.size()));
            if (added) {
                surface.points.push_back(part.points[i]);
                normalSums.push_back({});
            }
            index[i] = it->second;
            Vec3f& sum = normalSums[it->second];
            const Vec3f& n = part.normals[i];
            sum = {sum.x + n.x, sum.y + n.y, sum.z + n.z};
        }
        for (const ExportPolygon& polygon : part.polygons) {
            // Corners that merged into one point leave fewer corners.
            std::array<std::uint32_t, 4> corners{};
            std::uint32_t count = 0;
            for (std::uint32_t k = 0; k < polygon.cornerCount; ++k) {
                const std::uint32_t c = index[polygon.corners[k]];
                if (std::find(corners.begin(), corners.begin() + count, c) ==
                    corners.begin() + count)
                    corners[count++] = c;
            }
            if (count >= 3) polygons.push_back({corners, Canonical(corners, count), count});
        }
    }
    for (const Vec3f& sum : normalSums) {
        const double length = std::sqrt(double(sum.x) * sum.x + double(sum.y) * sum.y +
                                        double(sum.z) * sum.z);
        surface.normals.push_back(length > 0.0 ? Vec3f{float(sum.x / length),
                                                        float(sum.y / length),
                                                        float(sum.z / length)}
                                               : Vec3f{0.0f, 1.0f, 0.0f});
    }

    // Pairs of the same cycle wound opposite ways, each polygon in at most one pair.
    std::map<std::pair<Cycle, std::uint32_t>, std::vector<std::size_t>> byCycle;
    for (std::size_t i = 0; i < polygons.size(); ++i)
        byCycle[{polygons[i].cycle, polygons[i].count}].push_back(i);
    for (std::size_t i = 0; i < polygons.size(); ++i) {
        MergedPolygon& polygon = polygons[i];
        if (polygon.removed) continue;
        const auto partners = byCycle.find({Reversed(polygon.cycle, polygon.count), polygon.count});
        if (partners == byCycle.end()) continue;
        for (std::size_t j : partners->second) {
            if (j == i || polygons[j].removed) continue;
            polygon.removed = polygons[j].removed = true;
            ++surface.removedPolygonPairs;
            break;
        }
    }

    for (const MergedPolygon& polygon : polygons) {
        if (polygon.removed) continue;
        const auto& c = polygon.corners;
        surface.triangles.push_back({c[0], c[1], c[2]});
        if (polygon.count == 4) surface.triangles.push_back({c[0], c[2], c[3]});
    }
    return surface;
}

std::size_t CountOpenEdges(const WeldedSurface& surface) {
    std::unordered_map<std::uint64_t, std::uint32_t> uses;
    for (const auto& triangle : surface.triangles) {
        for (int k = 0; k < 3; ++k) {
            const std::uint64_t a = triangle[std::size_t(k)];
            const std::uint64_t b = triangle[std::size_t((k + 1) % 3)];
            ++uses[std::min(a, b) << 32 | std::max(a, b)];
        }
    }
    return std::size_t(std::count_if(uses.begin(), uses.end(),
                                     [](const auto& entry) { return entry.second != 2; }));
}

}  // namespace bw::tool
