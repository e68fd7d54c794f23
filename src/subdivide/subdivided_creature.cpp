#include "subdivide/subdivided_creature.h"

#include <cstring>

#include "export/creature_geometry.h"
#include "model/part_identity_hash.h"

namespace bw {
namespace {

// What the topology depends on: which parts there are, their point counts, polygons and seams.
std::uint64_t PartsFingerprint(const Creature& creature) {
    std::uint64_t hash = kByteHashStart;
    for (int i = 0; i < creature.PartCount(); ++i) {
        const PartObject* part = creature.Part(i);
        hash = HashPartIdentity(hash, part);
        if (part == nullptr) continue;
        const std::size_t points = part->TransformedPoints().size();
        hash = HashBytes(hash, &points, sizeof points);
        const auto polygons = part->Polygons();
        hash = HashWords(hash, polygons.data(), polygons.size_bytes());
        for (int k = 0; k < kMaxConnectionSets; ++k) {
            const auto set = part->ConnectionSet(k);
            const std::size_t size = set.size();
            hash = HashBytes(hash, &size, sizeof size);
            hash = HashBytes(hash, set.data(), set.size_bytes());
        }
    }
    return hash;
}

// Runs of consecutive faces whose base polygons share part and surface.
std::vector<SubdividedCreature::FaceRun> FaceRuns(const WeldedSurface& surface,
                                                  const SubdivisionTopology& topology) {
    std::vector<SubdividedCreature::FaceRun> runs;
    const auto& baseFaces = topology.BaseFaces();
    for (std::size_t f = 0; f < baseFaces.size(); ++f) {
        const WeldedPolygon& polygon = surface.polygons[baseFaces[f]];
        if (!runs.empty() && runs.back().part == int(polygon.part)) {
            const WeldedPolygon& last = surface.polygons[baseFaces[runs.back().first]];
            if (last.surface == polygon.surface) {
                runs.back().end = f + 1;
                continue;
            }
        }
        runs.push_back({f, f + 1, int(polygon.part), surface.surfaces[polygon.surface].colour});
    }
    return runs;
}

}  // namespace

std::span<const std::array<std::uint32_t, 4>> SubdividedCreature::Faces() const {
    if (!topology_) return {};
    return topology_->topology.Faces();
}

bool SubdividedCreature::Refine(const Creature& creature, int level) {
    topology_.reset();
    evaluated_ = false;
    sources_.clear();
    runs_.clear();
    std::vector<PartGeometry> parts;
    if (!TakeCreatureGeometry(creature, ExportOptions(), "the preview", parts, nullptr))
        return false;
    const WeldedSurface surface = WeldParts(parts, CreatureSeamWelds(creature));
    if (surface.polygons.empty()) return false;
    topology_ = RefineWeldedSurface(surface, level);
    if (!topology_) return false;
    ++refinements_;
    for (std::uint32_t point : topology_->surfacePoints)
        sources_.push_back(surface.pointSources[point]);
    runs_ = FaceRuns(surface, topology_->topology);
    return true;
}

void SubdividedCreature::Evaluate(const Creature& creature, std::span<const PosedPart> posed) {
    // Each part's points (posed when `posed` has them), then each base point from its part's.
    const bool usePose = posed.size() == std::size_t(creature.PartCount());
    partPoints_.assign(std::size_t(creature.PartCount()), {});
    for (std::size_t p = 0; p < partPoints_.size(); ++p) {
        const PartObject* part = creature.Part(int(p));
        if (part == nullptr) continue;
        partPoints_[p] = part->TransformedPoints();
        if (usePose && posed[p].points.size() == partPoints_[p].size())
            partPoints_[p] = posed[p].points;
    }
    gathered_.resize(sources_.size());
    for (std::size_t i = 0; i < sources_.size(); ++i) {
        const PointSource& source = sources_[i];
        const std::span<const Vec3f> points =
            source.part < partPoints_.size() ? partPoints_[source.part] : std::span<const Vec3f>();
        gathered_[i] = source.point < points.size() ? points[source.point] : Vec3f{};
    }
    // A frame that only turns the view moves no point: the surface is as it was.
    if (evaluated_ && gathered_.size() == basePoints_.size() &&
        std::memcmp(gathered_.data(), basePoints_.data(), gathered_.size() * sizeof(Vec3f)) == 0)
        return;
    basePoints_.swap(gathered_);
    evaluated_ = true;
    topology_->topology.Evaluate(basePoints_, points_);
    topology_->topology.EvaluateNormals(points_, normals_);
}

bool SubdividedCreature::Update(const Creature& creature, std::span<const PosedPart> posed,
                                int level) {
    const std::uint64_t fingerprint = PartsFingerprint(creature);
    if (partsFingerprint_ != fingerprint || level_ != level) {
        partsFingerprint_ = fingerprint;
        level_ = level;
        Refine(creature, level);
    }
    if (!topology_) {
        points_.clear();
        normals_.clear();
        return false;
    }
    Evaluate(creature, posed);
    return true;
}

}  // namespace bw
