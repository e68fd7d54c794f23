#include "export/welded_surface.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <unordered_map>

#include "export/edge_key.h"
#include "export/seam_caps.h"
#include "model/disjoint_sets.h"
#include "model/vec3.h"

namespace bw {
namespace {

// Merges points closer than a tolerance: each point becomes the first point within reach that
// came before it, or a new one. Points are found through a grid of cells one tolerance wide,
// so only the 27 cells around a point are searched.
class PointMerger {
  public:
    // Cells are counted from `origin`, the low corner of all points' bounding box.
    PointMerger(double tolerance, const Vec3f& origin) : tolerance_(tolerance), origin_(origin) {}

    // The index of the merged point for `p`; `added` tells whether it is a new one.
    std::uint32_t Merge(const Vec3f& p, std::vector<Vec3f>& points, bool& added) {
        const Cell cell = CellOf(p);
        for (std::int64_t dx = -1; dx <= 1; ++dx) {
            for (std::int64_t dy = -1; dy <= 1; ++dy) {
                for (std::int64_t dz = -1; dz <= 1; ++dz) {
                    const auto found = cells_.find({cell[0] + dx, cell[1] + dy, cell[2] + dz});
                    if (found == cells_.end()) continue;
                    for (std::uint32_t index : found->second) {
                        if (Distance(points[index], p) <= tolerance_) {
                            added = false;
                            return index;
                        }
                    }
                }
            }
        }
        const auto index = std::uint32_t(points.size());
        points.push_back(p);
        cells_[cell].push_back(index);
        added = true;
        return index;
    }

  private:
    using Cell = std::array<std::int64_t, 3>;
    struct CellHash {
        std::size_t operator()(const Cell& c) const {
            std::uint64_t h = 1469598103934665603ull;
            for (std::int64_t v : c) h = (h ^ std::uint64_t(v)) * 1099511628211ull;
            return std::size_t(h);
        }
    };

    static double Distance(const Vec3f& a, const Vec3f& b) {
        return Length(Widened(a) - Widened(b));
    }

    Cell CellOf(const Vec3f& p) const {
        // Without a tolerance every cell is a single position: equal coordinates only (the
        // sum with +0 makes -0 and 0 one value).
        const double size = tolerance_ > 0.0 ? tolerance_ : 1.0;
        if (tolerance_ > 0.0) {
            return {std::int64_t(std::floor((double(p.x) - origin_.x) / size)),
                    std::int64_t(std::floor((double(p.y) - origin_.y) / size)),
                    std::int64_t(std::floor((double(p.z) - origin_.z) / size))};
        }
        Cell cell{};
        const float values[3] = {p.x + 0.0f, p.y + 0.0f, p.z + 0.0f};
        for (int a = 0; a < 3; ++a) {
            std::uint32_t bits = 0;
            std::memcpy(&bits, &values[a], sizeof bits);
            cell[std::size_t(a)] = bits;
        }
        return cell;
    }

    double tolerance_;
    Vec3f origin_;
    std::unordered_map<Cell, std::vector<std::uint32_t>, CellHash> cells_;
};

// A millionth of the diagonal of the points' bounding box: far below any feature of a part,
// far above the rounding of points moved with their parts. Sets `origin` to the box's low
// corner.
double MergeTolerance(std::span<const PartGeometry> parts, Vec3f& origin) {
    double low[3] = {HUGE_VAL, HUGE_VAL, HUGE_VAL}, high[3] = {-HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
    for (const PartGeometry& part : parts) {
        for (const Vec3f& p : part.points) {
            const double v[3] = {p.x, p.y, p.z};
            for (int a = 0; a < 3; ++a) {
                low[a] = std::min(low[a], v[a]);
                high[a] = std::max(high[a], v[a]);
            }
        }
    }
    if (!(high[0] >= low[0])) return 0.0;
    origin = {float(low[0]), float(low[1]), float(low[2])};
    const double diagonal =
        Length(Vec3d{high[0], high[1], high[2]} - Vec3d{low[0], low[1], low[2]});
    return diagonal * 1e-6;
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
    WeldedPolygon polygon;  // corners in the part's order
    Cycle cycle;
    bool removed = false;
};

// Whether `weld` names two parts and two sets of the same size among `parts`.
bool IsSound(const SeamWeld& weld, std::span<const PartGeometry> parts) {
    if (weld.first >= parts.size() || weld.second >= parts.size()) return false;
    if (weld.firstSet < 0 || weld.firstSet >= kMaxConnectionSets || weld.secondSet < 0 ||
        weld.secondSet >= kMaxConnectionSets)
        return false;
    const auto& a = parts[weld.first].sets[std::size_t(weld.firstSet)];
    const auto& b = parts[weld.second].sets[std::size_t(weld.secondSet)];
    const auto inRange = [](const std::vector<std::uint32_t>& set, const PartGeometry& part) {
        return std::all_of(set.begin(), set.end(),
                           [&](std::uint32_t i) { return i < part.points.size(); });
    };
    return !a.empty() && a.size() == b.size() && inRange(a, parts[weld.first]) &&
           inRange(b, parts[weld.second]);
}

// The index in `surfaces` of the part's surface `s`, added when it is new.
std::uint32_t SurfaceIndex(
    const PartGeometry& part, std::uint16_t s, bool typeInNames,
    std::vector<ExportSurface>& surfaces,
    std::map<std::pair<std::string, std::array<float, 3>>, std::uint32_t>& known) {
    ExportSurface surface;
    if (s < part.surfaces.size()) surface = part.surfaces[s];
    surface.name = ExportSurfaceName(part.bodyPart, surface.name, typeInNames);
    const auto [entry, added] =
        known.try_emplace({surface.name, surface.colour}, std::uint32_t(surfaces.size()));
    if (added) surfaces.push_back(surface);
    return entry->second;
}

// Every part's points numbered one after the other: point i of part p is offset[p] + i.
std::vector<std::size_t> PointOffsets(std::span<const PartGeometry> parts) {
    std::vector<std::size_t> offset(parts.size() + 1, 0);
    for (std::size_t p = 0; p < parts.size(); ++p)
        offset[p + 1] = offset[p] + parts[p].points.size();
    return offset;
}

// Joins the points that are one point: the pairs of every sound weld, and points within the
// tolerance of an earlier point.
void JoinSamePoints(std::span<const PartGeometry> parts, std::span<const SeamWeld> welds,
                    const std::vector<std::size_t>& offset, DisjointSets& same) {
    for (const SeamWeld& weld : welds) {
        if (!IsSound(weld, parts)) continue;
        const auto& a = parts[weld.first].sets[std::size_t(weld.firstSet)];
        const auto& b = parts[weld.second].sets[std::size_t(weld.secondSet)];
        for (std::size_t k = 0; k < a.size(); ++k)
            same.Join(offset[weld.first] + a[k], offset[weld.second] + b[k]);
    }
    Vec3f origin;
    PointMerger merger(MergeTolerance(parts, origin), origin);
    std::vector<Vec3f> nearbyPoints;
    std::vector<std::size_t> firstOfNearby;
    for (std::size_t p = 0; p < parts.size(); ++p) {
        for (std::size_t i = 0; i < parts[p].points.size(); ++i) {
            bool added = false;
            const std::uint32_t near = merger.Merge(parts[p].points[i], nearbyPoints, added);
            if (added)
                firstOfNearby.push_back(offset[p] + i);
            else
                same.Join(offset[p] + i, firstOfNearby[near]);
        }
    }
}

// Fills the surface's points (each where the first of its points lies) and unit normals;
// returns the merged index of every numbered point.
std::vector<std::uint32_t> MergePoints(std::span<const PartGeometry> parts,
                                       const std::vector<std::size_t>& offset, DisjointSets& same,
                                       WeldedSurface& surface) {
    std::vector<std::uint32_t> mergedOfSet(offset.back(), UINT32_MAX);
    std::vector<std::uint32_t> merged(offset.back());
    std::vector<Vec3f> normalSums;
    for (std::size_t p = 0; p < parts.size(); ++p) {
        for (std::size_t i = 0; i < parts[p].points.size(); ++i) {
            std::uint32_t& index = mergedOfSet[same.Find(offset[p] + i)];
            if (index == UINT32_MAX) {
                index = std::uint32_t(surface.points.size());
                surface.points.push_back(parts[p].points[i]);
                surface.pointSources.push_back({std::uint32_t(p), std::uint32_t(i)});
                normalSums.push_back({});
            }
            merged[offset[p] + i] = index;
            Vec3f& sum = normalSums[index];
            const Vec3f& n = parts[p].normals[i];
            sum += n;
        }
    }
    for (const Vec3f& sum : normalSums) {
        const double length = Length(Widened(sum));
        surface.normals.push_back(length > 0.0 ? Vec3f{float(sum.x / length), float(sum.y / length),
                                                       float(sum.z / length)}
                                               : Vec3f{0.0f, 1.0f, 0.0f});
    }
    return merged;
}

// Per part and polygon, whether it belongs to a cap of a sound weld; counts them.
std::vector<std::vector<bool>> WeldedCaps(std::span<const PartGeometry> parts,
                                          std::span<const SeamWeld> welds, WeldedSurface& surface) {
    std::vector<std::vector<bool>> capped(parts.size());
    for (std::size_t p = 0; p < parts.size(); ++p)
        capped[p].assign(parts[p].polygons.size(), false);
    for (const SeamWeld& weld : welds) {
        if (!IsSound(weld, parts)) continue;
        for (const auto& [part, set] :
             {std::pair{weld.first, weld.firstSet}, std::pair{weld.second, weld.secondSet}}) {
            for (std::size_t polygon :
                 SeamCapPolygons(parts[part], parts[part].sets[std::size_t(set)])) {
                if (!capped[part][polygon]) ++surface.removedCapPolygons;
                capped[part][polygon] = true;
            }
        }
    }
    return capped;
}

// The polygons that are not capped, over merged points, without corners repeated by the merge;
// those left with fewer than three corners are dropped.
std::vector<MergedPolygon> MergedPolygons(std::span<const PartGeometry> parts,
                                          const std::vector<std::size_t>& offset,
                                          const std::vector<std::uint32_t>& merged,
                                          const std::vector<std::vector<bool>>& capped,
                                          bool typeInNames, WeldedSurface& surface) {
    std::map<std::pair<std::string, std::array<float, 3>>, std::uint32_t> knownSurfaces;
    std::vector<MergedPolygon> polygons;
    for (std::size_t p = 0; p < parts.size(); ++p) {
        const PartGeometry& part = parts[p];
        for (std::size_t q = 0; q < part.polygons.size(); ++q) {
            if (capped[p][q]) continue;
            const ExportPolygon& polygon = part.polygons[q];
            std::array<std::uint32_t, 4> corners{};
            std::uint32_t count = 0;
            for (std::uint32_t k = 0; k < polygon.cornerCount; ++k) {
                const std::uint32_t c = merged[offset[p] + polygon.corners[k]];
                if (std::find(corners.begin(), corners.begin() + count, c) ==
                    corners.begin() + count)
                    corners[count++] = c;
            }
            if (count < 3) continue;
            const std::uint32_t s =
                SurfaceIndex(part, polygon.surface, typeInNames, surface.surfaces, knownSurfaces);
            polygons.push_back({{corners, count, std::uint32_t(p), polygon.surface, s},
                                Canonical(corners, count)});
        }
    }
    return polygons;
}

// Takes out pairs of the same cycle wound opposite ways, each polygon in at most one pair.
void RemoveFacingPairs(std::vector<MergedPolygon>& polygons, WeldedSurface& surface) {
    std::map<std::pair<Cycle, std::uint32_t>, std::vector<std::size_t>> byCycle;
    for (std::size_t i = 0; i < polygons.size(); ++i)
        byCycle[{polygons[i].cycle, polygons[i].polygon.cornerCount}].push_back(i);
    for (std::size_t i = 0; i < polygons.size(); ++i) {
        MergedPolygon& polygon = polygons[i];
        if (polygon.removed) continue;
        const std::uint32_t count = polygon.polygon.cornerCount;
        const auto partners = byCycle.find({Reversed(polygon.cycle, count), count});
        if (partners == byCycle.end()) continue;
        for (std::size_t j : partners->second) {
            if (j == i || polygons[j].removed) continue;
            polygon.removed = polygons[j].removed = true;
            ++surface.removedPolygonPairs;
            break;
        }
    }
}

}  // namespace

WeldedSurface WeldParts(std::span<const PartGeometry> parts, std::span<const SeamWeld> welds,
                        bool typeInSurfaceNames) {
    WeldedSurface surface;
    const std::vector<std::size_t> offset = PointOffsets(parts);
    DisjointSets same(offset.back());
    JoinSamePoints(parts, welds, offset, same);
    const std::vector<std::uint32_t> merged = MergePoints(parts, offset, same, surface);
    const std::vector<std::vector<bool>> capped = WeldedCaps(parts, welds, surface);
    std::vector<MergedPolygon> polygons =
        MergedPolygons(parts, offset, merged, capped, typeInSurfaceNames, surface);
    RemoveFacingPairs(polygons, surface);
    for (const MergedPolygon& merged : polygons) {
        if (merged.removed) continue;
        const WeldedPolygon& polygon = merged.polygon;
        const auto& c = polygon.corners;
        surface.triangles.push_back({c[0], c[1], c[2]});
        surface.triangleSurfaces.push_back(polygon.surface);
        if (polygon.cornerCount == 4) {
            surface.triangles.push_back({c[0], c[2], c[3]});
            surface.triangleSurfaces.push_back(polygon.surface);
        }
        surface.polygons.push_back(polygon);
    }
    return surface;
}

std::size_t CountOpenEdges(const WeldedSurface& surface) {
    std::unordered_map<std::uint64_t, std::uint32_t> uses;
    for (const auto& triangle : surface.triangles) {
        for (int k = 0; k < 3; ++k) {
            const std::uint32_t a = triangle[std::size_t(k)];
            const std::uint32_t b = triangle[std::size_t((k + 1) % 3)];
            ++uses[UndirectedEdgeKey(a, b)];
        }
    }
    return std::size_t(std::count_if(uses.begin(), uses.end(),
                                     [](const auto& entry) { return entry.second != 2; }));
}

Vec3f FacetNormal(const WeldedSurface& surface, const std::array<std::uint32_t, 3>& triangle) {
    const Vec3f& a = surface.points[triangle[0]];
    const Vec3f& b = surface.points[triangle[1]];
    const Vec3f& c = surface.points[triangle[2]];
    const Vec3d n = Cross(Widened(b) - Widened(a), Widened(c) - Widened(a));
    const double length = Length(n);
    if (!(length > 0.0)) return {0.0f, 0.0f, 0.0f};
    return {float(n.x / length), float(n.y / length), float(n.z / length)};
}

std::size_t CountShells(const WeldedSurface& surface) {
    DisjointSets shells(surface.triangles.size());
    std::unordered_map<std::uint64_t, std::size_t> firstUser;
    for (std::size_t t = 0; t < surface.triangles.size(); ++t) {
        const auto& triangle = surface.triangles[t];
        for (int k = 0; k < 3; ++k) {
            const std::uint32_t a = triangle[std::size_t(k)];
            const std::uint32_t b = triangle[std::size_t((k + 1) % 3)];
            const auto [entry, added] = firstUser.try_emplace(UndirectedEdgeKey(a, b), t);
            if (!added) shells.Join(t, entry->second);
        }
    }
    std::size_t count = 0;
    for (std::size_t t = 0; t < surface.triangles.size(); ++t) count += shells.Find(t) == t;
    return count;
}

}  // namespace bw
