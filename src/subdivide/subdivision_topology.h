// Catmull–Clark subdivision of a polygon mesh, refined once and evaluated many times.
//
// The topology (which points and faces the refined mesh has, and how each refined point is
// mixed from the mesh's own points) is worked out once, when the mesh's polygons change; moving
// the points only evaluates the mixes again. Open boundaries keep their edges and corners (an
// edge without a second face is a crease, a point on only one face a corner). Every refined
// face is a quad and remembers the polygon of the mesh it lies in, so per-face data (parts,
// materials) carries over.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "model/vec3.h"
#include "rig/point_weights.h"
#include "subdivide/surface_level.h"

namespace bw {

class SubdivisionTopology {
  public:
    // Refines `pointCount` points joined by polygons, each a run of `cornerCounts[f]` indices in
    // `corners` (3 or more corners, counter-clockwise seen from outside), to `level` (1 to
    // kMaxSubdivisionLevel). None, with `reason` set, for a level out of range, an index out of
    // range, a polygon with fewer than three corners or corner counts that do not add up to
    // `corners`.
    static std::optional<SubdivisionTopology> Refine(std::size_t pointCount,
                                                     std::span<const std::uint32_t> cornerCounts,
                                                     std::span<const std::uint32_t> corners,
                                                     int level, std::string* reason = nullptr);

    std::size_t RefinedPointCount() const { return finestPointCount_; }
    // The refined quads over refined point indices, in the order of the polygons they lie in.
    const std::vector<std::array<std::uint32_t, 4>>& Faces() const { return faces_; }
    // Per refined face, the index of the mesh's polygon it lies in.
    const std::vector<std::uint32_t>& BaseFaces() const { return baseFaces_; }

    // The refined points of `base` (as many as the mesh has), into `refined` (resized). The
    // same points always give the same refined points, bit for bit.
    void Evaluate(std::span<const Vec3f> base, std::vector<Vec3f>& refined) const;
    // The skin weights of the refined points, mixed as the points are: the strongest
    // kMaxInfluences joints, normalised. A refined point none of whose sources has an
    // influence gets none.
    std::vector<PointWeights> EvaluateWeights(std::span<const PointWeights> base) const;
    // Per refined point (of Evaluate), the unit mean of the normals of the faces around it,
    // each weighted by its area; a point on no face with an area points up. Into `normals`
    // (resized); all up when `refined` holds fewer than RefinedPointCount() points.
    void EvaluateNormals(std::span<const Vec3f> refined, std::vector<Vec3f>& normals) const;

  private:
    SubdivisionTopology() = default;
    // Whether every mix names only points of the level before its own, within the tables.
    bool MixesStayInTheirLevels() const;

    std::size_t basePointCount_ = 0;
    std::vector<std::array<std::uint32_t, 4>> faces_;
    std::vector<std::uint32_t> baseFaces_;
    std::size_t finestPointCount_ = 0;
    // The points of every level in turn: refined point i is the sum over k in
    // [offset[i], offset[i] + size[i]) of weight[k] * p[index[k]], where p are the points of
    // the level before (the base points for the first level). Level l's points end at
    // levelEnds_[l - 1]; the finest level's are the last RefinedPointCount().
    std::vector<std::size_t> levelEnds_;
    // The faces around each refined point: pointFaces_[pointFaceOffsets_[i] ..
    // pointFaceOffsets_[i + 1]).
    std::vector<std::uint32_t> pointFaceOffsets_;
    std::vector<std::uint32_t> pointFaces_;
    std::vector<std::uint32_t> stencilOffsets_;
    std::vector<std::uint32_t> stencilSizes_;
    std::vector<std::uint32_t> stencilIndices_;
    std::vector<float> stencilWeights_;
};

}  // namespace bw
