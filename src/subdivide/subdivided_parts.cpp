#include "subdivide/subdivided_parts.h"

#include <algorithm>

namespace bw {
namespace {

// Each base point's weights: those of the part point it was taken from.
std::vector<PointWeights> BaseWeights(std::span<const PartGeometry> parts,
                                      const WeldedSurface& surface,
                                      const WeldedSurfaceTopology& welded) {
    std::vector<PointWeights> weights(welded.surfacePoints.size());
    for (std::size_t i = 0; i < weights.size(); ++i) {
        const PointSource& source = surface.pointSources[welded.surfacePoints[i]];
        const auto& own = parts[source.part].weights;
        if (source.point < own.size()) weights[i] = own[source.point];
    }
    return weights;
}

}  // namespace

std::vector<Vec3f> WeldedSurfaceTopology::BasePoints(
    std::span<const Vec3f> surfacePointPositions) const {
    std::vector<Vec3f> base(surfacePoints.size());
    for (std::size_t i = 0; i < base.size(); ++i)
        if (surfacePoints[i] < surfacePointPositions.size())
            base[i] = surfacePointPositions[surfacePoints[i]];
    return base;
}

std::optional<WeldedSurfaceTopology> RefineWeldedSurface(const WeldedSurface& surface, int level,
                                                         std::string* reason) {
    // Base points are numbered in the order the polygons first use them.
    std::vector<std::uint32_t> baseOf(surface.points.size(), UINT32_MAX);
    std::vector<std::uint32_t> surfacePoints;
    std::vector<std::uint32_t> counts, corners;
    for (const WeldedPolygon& polygon : surface.polygons) {
        counts.push_back(polygon.cornerCount);
        for (std::uint32_t k = 0; k < polygon.cornerCount && k < 4; ++k) {
            const std::uint32_t point = polygon.corners[k];
            if (point >= baseOf.size()) {
                if (reason) *reason = "a polygon's corner is not a point";
                return std::nullopt;
            }
            if (baseOf[point] == UINT32_MAX) {
                baseOf[point] = std::uint32_t(surfacePoints.size());
                surfacePoints.push_back(point);
            }
            corners.push_back(baseOf[point]);
        }
    }
    std::optional<SubdivisionTopology> topology =
        SubdivisionTopology::Refine(surfacePoints.size(), counts, corners, level, reason);
    if (!topology) return std::nullopt;
    return WeldedSurfaceTopology{std::move(*topology), std::move(surfacePoints)};
}

bool SubdivideParts(std::vector<PartGeometry>& parts, std::span<const SeamWeld> welds, int level,
                    std::string* reason) {
    if (level == 0) return true;
    const WeldedSurface surface = WeldParts(parts, welds);
    const std::optional<WeldedSurfaceTopology> welded = RefineWeldedSurface(surface, level, reason);
    if (!welded) return false;
    const SubdivisionTopology& topology = welded->topology;
    std::vector<Vec3f> points;
    topology.Evaluate(welded->BasePoints(surface.points), points);
    std::vector<Vec3f> normals;
    topology.EvaluateNormals(points, normals);
    const bool weighted =
        std::any_of(parts.begin(), parts.end(), [](const auto& p) { return !p.weights.empty(); });
    const std::vector<PointWeights> weights =
        weighted ? topology.EvaluateWeights(BaseWeights(parts, surface, *welded))
                 : std::vector<PointWeights>();

    std::vector<PartGeometry> refined(parts.size());
    for (std::size_t p = 0; p < parts.size(); ++p) {
        refined[p].bodyPart = parts[p].bodyPart;
        refined[p].surfaces = parts[p].surfaces;
    }
    // Per part, the local index of each refined point it uses; `owner` tells which part the
    // entry belongs to, so the table is not cleared between parts. The faces come in the order
    // of the welded polygons, which is part order: each part's faces are one run.
    std::vector<std::uint32_t> local(points.size());
    std::vector<std::uint32_t> owner(points.size(), UINT32_MAX);
    const auto& faces = topology.Faces();
    for (std::size_t f = 0; f < faces.size(); ++f) {
        const WeldedPolygon& base = surface.polygons[topology.BaseFaces()[f]];
        PartGeometry& part = refined[base.part];
        ExportPolygon polygon;
        polygon.surface = base.partSurface;
        for (std::size_t k = 0; k < 4; ++k) {
            const std::uint32_t point = faces[f][k];
            if (owner[point] != base.part) {
                owner[point] = base.part;
                local[point] = std::uint32_t(part.points.size());
                part.points.push_back(points[point]);
                part.normals.push_back(normals[point]);
                if (!parts[base.part].weights.empty()) part.weights.push_back(weights[point]);
            }
            polygon.corners[k] = local[point];
        }
        part.polygons.push_back(polygon);
    }
    parts = std::move(refined);
    return true;
}

}  // namespace bw
