// ConverterModel, its seam tracing: from the first marked point along the border of its first
// material, in that material's winding direction, from one point with the same set of
// materials to the next.
#include "converter/converter_model.h"

namespace bw {
namespace {

bool SameMaterials(const ConverterPoint& a, const ConverterPoint& b) {
    if (a.materialCount != b.materialCount) return false;
    for (int i = 0; i < a.materialCount; ++i)
        if (a.materials[std::size_t(i)] != b.materials[std::size_t(i)]) return false;
    return true;
}

}  // namespace

ConverterModel::TraceWork ConverterModel::MakeTraceWork(std::int32_t material) const {
    TraceWork work;
    for (const ConverterPolygon& polygon : mesh_.polygons)
        if (polygon.material == material) work.polygons.push_back(polygon);
    for (ConverterPolygon& polygon : work.polygons) polygon.visited = 0;
    // Which working polygons use each point, ascending: TraceStep then looks only at the
    // polygons around its point, in the order a walk over all of them would meet them.
    const std::size_t pointCount = mesh_.modelPoints.size();
    work.firstOfPoint.assign(pointCount + 1, 0);
    for (const ConverterPolygon& polygon : work.polygons) {
        for (int k = 0; k < polygon.vertexCount; ++k) {
            const std::int32_t v = polygon.vertices[std::size_t(k)];
            // A polygon that names a point twice is listed once for it.
            bool seen = false;
            for (int j = 0; j < k; ++j) seen = seen || polygon.vertices[std::size_t(j)] == v;
            if (!seen) ++work.firstOfPoint[std::size_t(v) + 1];
        }
    }
    for (std::size_t p = 0; p < pointCount; ++p) work.firstOfPoint[p + 1] += work.firstOfPoint[p];
    work.polygonsOfPoint.resize(std::size_t(work.firstOfPoint[pointCount]));
    std::vector<std::int32_t> fill(work.firstOfPoint.begin(), work.firstOfPoint.end() - 1);
    for (std::size_t s = 0; s < work.polygons.size(); ++s) {
        const ConverterPolygon& polygon = work.polygons[s];
        for (int k = 0; k < polygon.vertexCount; ++k) {
            const std::int32_t v = polygon.vertices[std::size_t(k)];
            bool seen = false;
            for (int j = 0; j < k; ++j) seen = seen || polygon.vertices[std::size_t(j)] == v;
            if (!seen) work.polygonsOfPoint[std::size_t(fill[std::size_t(v)]++)] = std::int32_t(s);
        }
    }
    return work;
}

std::optional<std::int32_t> ConverterModel::TraceStep(TraceWork& work, std::int32_t b) {
    if (b < 0 || std::size_t(b) + 1 >= work.firstOfPoint.size()) return std::nullopt;
    const ConverterPoint& from = mesh_.modelPoints[std::size_t(b)];
    const std::int32_t first = work.firstOfPoint[std::size_t(b)];
    const std::int32_t last = work.firstOfPoint[std::size_t(b) + 1];
    for (std::int32_t i = first; i < last; ++i) {
        ConverterPolygon& s = work.polygons[std::size_t(work.polygonsOfPoint[std::size_t(i)])];
        if (s.visited != 0) continue;
        for (int k = 0; k < s.vertexCount; ++k) {
            if (s.vertices[std::size_t(k)] != b) continue;
            s.visited = 1;
            const std::int32_t n = s.vertices[std::size_t((k + 1) % s.vertexCount)];
            const ConverterPoint& next = mesh_.modelPoints[std::size_t(n)];
            if (next.selected) return std::nullopt;
            if (SameMaterials(next, from)) return n;
        }
    }
    return std::nullopt;
}

bool ConverterModel::AutoSelect() {
    if (markedPoints_.Count() == 0) {
        ShowError("Need atleast 1 marked point!");
        return false;
    }
    const std::int32_t start = static_cast<const MarkedPoint*>(markedPoints_.At(0))->pointIndex;
    if (start < 0 || start >= PointCount() ||
        mesh_.modelPoints[std::size_t(start)].materialCount < 2) {
        ShowError("There must be 2 diffrent materials in the intersection area");
        return false;
    }
    TraceWork work = MakeTraceWork(mesh_.modelPoints[std::size_t(start)].materials[0]);
    std::int32_t current = start;
    for (;;) {
        const std::optional<std::int32_t> next = TraceStep(work, current);
        if (!next) break;
        MarkPoint(*next);
        current = *next;
    }
    return true;
}

}  // namespace bw
