#include "export/seam_caps.h"

#include <algorithm>
#include <unordered_map>

#include "export/edge_key.h"
#include "model/disjoint_sets.h"

namespace bw {

std::vector<std::size_t> SeamCapPolygons(const PartGeometry& part,
                                         std::span<const std::uint32_t> ring) {
    if (ring.size() < 3 || part.polygons.empty()) return {};
    std::vector<bool> onRing(part.points.size(), false);
    for (std::uint32_t point : ring) {
        if (point < onRing.size()) onRing[point] = true;
    }

    // Polygons sharing an edge are one shell; sharing an edge that is not cut, one piece.
    DisjointSets shells(part.polygons.size()), pieces(part.polygons.size());
    std::unordered_map<std::uint64_t, std::size_t> firstUser;
    std::size_t touching = part.polygons.size();  // a polygon with a corner on the ring
    for (std::size_t p = 0; p < part.polygons.size(); ++p) {
        const ExportPolygon& polygon = part.polygons[p];
        for (std::uint32_t k = 0; k < polygon.cornerCount; ++k) {
            const std::uint32_t a = polygon.corners[k];
            const std::uint32_t b = polygon.corners[(k + 1) % polygon.cornerCount];
            if (onRing[a] && touching == part.polygons.size()) touching = p;
            const auto [entry, added] = firstUser.try_emplace(UndirectedEdgeKey(a, b), p);
            if (added) continue;
            shells.Join(p, entry->second);
            if (!(onRing[a] && onRing[b])) pieces.Join(p, entry->second);
        }
    }
    if (touching == part.polygons.size()) return {};

    // Within the ring's shell the largest piece is the part (the first one on a tie); other
    // shells of the part are left alone.
    const std::size_t shell = shells.Find(touching);
    std::vector<std::size_t> pieceSize(part.polygons.size(), 0);
    std::size_t body = part.polygons.size();
    for (std::size_t p = 0; p < part.polygons.size(); ++p) {
        if (shells.Find(p) == shell) ++pieceSize[pieces.Find(p)];
    }
    for (std::size_t p = 0; p < part.polygons.size(); ++p) {
        const std::size_t piece = pieces.Find(p);
        if (shells.Find(p) == shell &&
            (body == part.polygons.size() || pieceSize[piece] > pieceSize[body]))
            body = piece;
    }
    std::vector<std::size_t> cap;
    for (std::size_t p = 0; p < part.polygons.size(); ++p) {
        if (shells.Find(p) == shell && pieces.Find(p) != body) cap.push_back(p);
    }
    return cap;
}

}  // namespace bw
