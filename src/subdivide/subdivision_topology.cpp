#include "subdivide/subdivision_topology.h"

#include <opensubdiv/far/error.h>
#include <opensubdiv/far/primvarRefiner.h>
#include <opensubdiv/far/stencilTable.h>
#include <opensubdiv/far/stencilTableFactory.h>
#include <opensubdiv/far/topologyDescriptor.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "rig/influence_accumulator.h"

namespace bw {
namespace {

namespace Far = OpenSubdiv::Far;
namespace Sdc = OpenSubdiv::Sdc;

// The refiner reports what it cannot build through a callback; the last report becomes the
// reason of a failed refinement.
thread_local std::string lastRefinerError;

void KeepRefinerError(Far::ErrorType, const char* message) {
    lastRefinerError = message ? message : "";
}

bool Fail(std::string* reason, std::string text) {
    if (reason) *reason = std::move(text);
    return false;
}

bool CheckPolygons(std::size_t pointCount, std::span<const std::uint32_t> cornerCounts,
                   std::span<const std::uint32_t> corners, int level, std::string* reason) {
    if (level < 1 || level > kMaxSubdivisionLevel)
        return Fail(reason, "the subdivision level " + std::to_string(level) +
                                " is not between 1 and " + std::to_string(kMaxSubdivisionLevel));
    constexpr auto kMaxIndex = std::size_t(std::numeric_limits<int>::max());
    if (pointCount > kMaxIndex || cornerCounts.size() > kMaxIndex || corners.size() > kMaxIndex)
        return Fail(reason, "the surface is too large to subdivide");
    std::size_t total = 0;
    for (std::uint32_t count : cornerCounts) {
        if (count < 3) return Fail(reason, "a polygon has fewer than three corners");
        total += count;
    }
    if (total != corners.size())
        return Fail(reason, "the polygons' corner counts do not match their corners");
    for (std::uint32_t corner : corners)
        if (corner >= pointCount) return Fail(reason, "a polygon's corner is not a point");
    return true;
}

std::unique_ptr<Far::TopologyRefiner> CreateRefiner(std::size_t pointCount,
                                                    std::span<const std::uint32_t> cornerCounts,
                                                    std::span<const std::uint32_t> corners) {
    const std::vector<int> counts(cornerCounts.begin(), cornerCounts.end());
    const std::vector<Far::Index> indices(corners.begin(), corners.end());
    Far::TopologyDescriptor descriptor;
    descriptor.numVertices = int(pointCount);
    descriptor.numFaces = int(counts.size());
    descriptor.numVertsPerFace = counts.data();
    descriptor.vertIndicesPerFace = indices.data();

    Sdc::Options rules;
    rules.SetVtxBoundaryInterpolation(Sdc::Options::VTX_BOUNDARY_EDGE_AND_CORNER);
    using Factory = Far::TopologyRefinerFactory<Far::TopologyDescriptor>;
    Far::SetErrorCallback(KeepRefinerError);
    lastRefinerError.clear();
    return std::unique_ptr<Far::TopologyRefiner>(
        Factory::Create(descriptor, Factory::Options(Sdc::SCHEME_CATMARK, rules)));
}

}  // namespace

std::optional<SubdivisionTopology> SubdivisionTopology::Refine(
    std::size_t pointCount, std::span<const std::uint32_t> cornerCounts,
    std::span<const std::uint32_t> corners, int level, std::string* reason) {
    if (!CheckPolygons(pointCount, cornerCounts, corners, level, reason)) return std::nullopt;
    const std::unique_ptr<Far::TopologyRefiner> refiner =
        CreateRefiner(pointCount, cornerCounts, corners);
    if (!refiner) {
        Fail(reason, "the surface could not be subdivided" +
                         (lastRefinerError.empty() ? std::string() : ": " + lastRefinerError));
        return std::nullopt;
    }
    refiner->RefineUniform(Far::TopologyRefiner::UniformOptions(level));

    SubdivisionTopology topology;
    topology.basePointCount_ = pointCount;

    // The polygon each face lies in, carried down one level at a time as face-uniform data.
    std::vector<std::uint32_t> baseFaces(cornerCounts.size());
    for (std::size_t f = 0; f < baseFaces.size(); ++f) baseFaces[f] = std::uint32_t(f);
    const Far::PrimvarRefiner primvars(*refiner);
    for (int l = 1; l <= level; ++l) {
        std::vector<std::uint32_t> children(std::size_t(refiner->GetLevel(l).GetNumFaces()));
        primvars.InterpolateFaceUniform(l, baseFaces, children);
        baseFaces = std::move(children);
    }
    topology.baseFaces_ = std::move(baseFaces);

    const Far::TopologyLevel& finest = refiner->GetLevel(level);
    topology.faces_.reserve(std::size_t(finest.GetNumFaces()));
    for (int f = 0; f < finest.GetNumFaces(); ++f) {
        const Far::ConstIndexArray vertices = finest.GetFaceVertices(f);
        // Catmull–Clark makes every refined face a quad, over the finest level's points.
        const auto outside = [&](int v) { return v < 0 || v >= finest.GetNumVertices(); };
        if (vertices.size() != 4 || std::any_of(vertices.begin(), vertices.end(), outside)) {
            Fail(reason, "the subdivided surface has a face that is not a quad of its points");
            return std::nullopt;
        }
        topology.faces_.push_back({std::uint32_t(vertices[0]), std::uint32_t(vertices[1]),
                                   std::uint32_t(vertices[2]), std::uint32_t(vertices[3])});
    }

    // One table of small mixes per level, each level's points mixed from the level before's,
    // rather than the larger mixes of the finest level's points straight from the mesh's. Made
    // by the float factory itself: its wrapper class hands the table back through a downcast to
    // a type the table is not.
    using StencilFactory = Far::StencilTableFactoryReal<float>;
    StencilFactory::Options stencilOptions;
    stencilOptions.generateIntermediateLevels = true;
    stencilOptions.factorizeIntermediateLevels = false;
    stencilOptions.generateOffsets = true;
    const std::unique_ptr<const Far::StencilTableReal<float>> stencils(
        StencilFactory::Create(*refiner, stencilOptions));
    int refinedPoints = 0;
    for (int l = 1; l <= level; ++l) {
        refinedPoints += refiner->GetLevel(l).GetNumVertices();
        topology.levelEnds_.push_back(std::size_t(refinedPoints));
    }
    topology.finestPointCount_ = std::size_t(finest.GetNumVertices());
    if (!stencils || stencils->GetNumStencils() != refinedPoints) {
        Fail(reason, "the subdivision's point mixes could not be built");
        return std::nullopt;
    }
    // The faces around each point, counted first, then placed.
    topology.pointFaceOffsets_.assign(topology.finestPointCount_ + 1, 0);
    for (const auto& face : topology.faces_)
        for (std::uint32_t corner : face) ++topology.pointFaceOffsets_[corner + 1];
    for (std::size_t i = 0; i < topology.finestPointCount_; ++i)
        topology.pointFaceOffsets_[i + 1] += topology.pointFaceOffsets_[i];
    topology.pointFaces_.resize(topology.pointFaceOffsets_.back());
    std::vector<std::uint32_t> placed(topology.pointFaceOffsets_.begin(),
                                      topology.pointFaceOffsets_.end() - 1);
    for (std::size_t f = 0; f < topology.faces_.size(); ++f)
        for (std::uint32_t corner : topology.faces_[f])
            topology.pointFaces_[placed[corner]++] = std::uint32_t(f);

    const auto copy = [](const auto& from, auto& to) { to.assign(from.begin(), from.end()); };
    copy(stencils->GetOffsets(), topology.stencilOffsets_);
    copy(stencils->GetSizes(), topology.stencilSizes_);
    copy(stencils->GetControlIndices(), topology.stencilIndices_);
    copy(stencils->GetWeights(), topology.stencilWeights_);
    if (!topology.MixesStayInTheirLevels()) {
        Fail(reason, "the subdivision's point mixes name points that are not there");
        return std::nullopt;
    }
    return topology;
}

bool SubdivisionTopology::MixesStayInTheirLevels() const {
    const std::size_t entries = stencilIndices_.size();
    // The library may leave more weights than indices; each mix reads as many of each.
    if (stencilWeights_.size() < entries || stencilOffsets_.size() != stencilSizes_.size() ||
        levelEnds_.empty() || levelEnds_.back() != stencilSizes_.size())
        return false;
    std::size_t i = 0;
    for (std::size_t l = 0; l < levelEnds_.size(); ++l) {
        const std::size_t before =
            l == 0 ? basePointCount_ : levelEnds_[l - 1] - (l == 1 ? 0 : levelEnds_[l - 2]);
        for (; i < levelEnds_[l]; ++i) {
            const std::size_t first = stencilOffsets_[i];
            if (first > entries || stencilSizes_[i] > entries - first) return false;
            for (std::size_t k = first; k < first + stencilSizes_[i]; ++k)
                if (stencilIndices_[k] >= before) return false;
        }
    }
    return true;
}

void SubdivisionTopology::Evaluate(std::span<const Vec3f> base, std::vector<Vec3f>& refined) const {
    refined.resize(finestPointCount_);
    if (base.size() < basePointCount_) {
        std::fill(refined.begin(), refined.end(), Vec3f{});
        return;
    }
    // The levels before the finest one after the mesh's own points, each mixed from the level
    // before's; the finest level straight into `refined`.
    static thread_local std::vector<Vec3f> levels;
    const std::size_t coarser = levelEnds_.size() > 1 ? levelEnds_[levelEnds_.size() - 2] : 0;
    levels.resize(basePointCount_ + coarser);
    std::copy(base.begin(), base.begin() + std::ptrdiff_t(basePointCount_), levels.begin());
    const std::uint32_t* offsets = stencilOffsets_.data();
    const std::uint32_t* sizes = stencilSizes_.data();
    const std::uint32_t* index = stencilIndices_.data();
    const float* weight = stencilWeights_.data();
    std::size_t i = 0;
    for (std::size_t l = 0; l < levelEnds_.size(); ++l) {
        const Vec3f* before =
            levels.data() + (l == 0 ? 0 : basePointCount_ + (l == 1 ? 0 : levelEnds_[l - 2]));
        const bool finest = l + 1 == levelEnds_.size();
        Vec3f* out = finest ? refined.data() : levels.data() + basePointCount_;
        const std::size_t outStart = finest ? coarser : 0;
        for (; i < levelEnds_[l]; ++i) {
            float x = 0.0f, y = 0.0f, z = 0.0f;
            const std::size_t first = offsets[i];
            const std::size_t end = first + sizes[i];
            for (std::size_t k = first; k < end; ++k) {
                const Vec3f& p = before[index[k]];
                const float w = weight[k];
                x += w * p.x;
                y += w * p.y;
                z += w * p.z;
            }
            out[i - outStart] = {x, y, z};
        }
    }
}

std::vector<PointWeights> SubdivisionTopology::EvaluateWeights(
    std::span<const PointWeights> base) const {
    if (base.size() < basePointCount_) return std::vector<PointWeights>(finestPointCount_);
    std::vector<PointWeights> levels(base.begin(), base.begin() + std::ptrdiff_t(basePointCount_));
    levels.resize(basePointCount_ + stencilSizes_.size());
    InfluenceAccumulator accumulator;
    std::size_t i = 0;
    for (std::size_t l = 0; l < levelEnds_.size(); ++l) {
        const std::size_t before = l == 0 ? 0 : basePointCount_ + (l == 1 ? 0 : levelEnds_[l - 2]);
        for (; i < levelEnds_[l]; ++i) {
            accumulator.Clear();
            const std::size_t first = stencilOffsets_[i];
            for (std::size_t k = first; k < first + stencilSizes_[i]; ++k) {
                for (const Influence& influence : levels[before + stencilIndices_[k]].Used())
                    accumulator.Add(influence.joint, double(stencilWeights_[k]) * influence.weight);
            }
            levels[basePointCount_ + i] = accumulator.Result();
        }
    }
    return {levels.end() - std::ptrdiff_t(finestPointCount_), levels.end()};
}

void SubdivisionTopology::EvaluateNormals(std::span<const Vec3f> refined,
                                          std::vector<Vec3f>& normals) const {
    normals.resize(finestPointCount_);
    if (refined.size() < finestPointCount_) {
        std::fill(normals.begin(), normals.end(), Vec3f{0.0f, 1.0f, 0.0f});
        return;
    }
    // Half the cross product of a quad's diagonals is its area along its normal.
    static thread_local std::vector<Vec3f> faceNormals;
    faceNormals.resize(faces_.size());
    Vec3f* face = faceNormals.data();
    for (std::size_t f = 0; f < faces_.size(); ++f) {
        const auto& q = faces_[f];
        face[f] = Cross(refined[q[2]] - refined[q[0]], refined[q[3]] - refined[q[1]]);
    }
    const std::uint32_t* offsets = pointFaceOffsets_.data();
    const std::uint32_t* around = pointFaces_.data();
    Vec3f* out = normals.data();
    for (std::size_t i = 0; i < finestPointCount_; ++i) {
        Vec3f sum;
        for (std::uint32_t k = offsets[i]; k < offsets[i + 1]; ++k) sum += face[around[k]];
        const float squared = sum.x * sum.x + sum.y * sum.y + sum.z * sum.z;
        if (squared > 0.0f) {
            const float inverse = 1.0f / std::sqrt(squared);
            out[i] = {sum.x * inverse, sum.y * inverse, sum.z * inverse};
        } else {
            out[i] = {0.0f, 1.0f, 0.0f};
        }
    }
}

}  // namespace bw
