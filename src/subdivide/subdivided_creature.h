// The creature's subdivided surface as the preview draws it, kept up to date frame by frame:
// the topology is refined when the creature's parts change (a part added, removed or replaced,
// another subdivision level), and a change that only moves points (an adjustment, a pose)
// evaluates the refined points again from the topology already refined.
//
// Points and normals are in the creature's model space, as the parts' transformed points.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "export/welded_surface.h"
#include "model/creature.h"
#include "rig/skinning.h"
#include "subdivide/subdivided_parts.h"

namespace bw {

class SubdividedCreature {
  public:
    // Consecutive faces of one part and one surface.
    struct FaceRun {
        std::size_t first = 0;  // the first face
        std::size_t end = 0;    // just past the last face
        int part = 0;           // the part's list index
        std::array<float, 3> colour{};
    };

    // Brings the surface up to date with `creature` at `level` (1 to kMaxSubdivisionLevel),
    // posed by `posed` when it has an entry for every part (as the preview's drawing takes
    // it). False when the creature has nothing to subdivide (no polygons, a point that is no
    // finite number, a level out of range); the surface is then empty.
    bool Update(const Creature& creature, std::span<const PosedPart> posed, int level);

    const std::vector<Vec3f>& Points() const { return points_; }
    const std::vector<Vec3f>& Normals() const { return normals_; }
    // The refined quads (empty when Update returned false), and the runs they make.
    std::span<const std::array<std::uint32_t, 4>> Faces() const;
    const std::vector<FaceRun>& Runs() const { return runs_; }
    // How often the topology has been refined: once per change of parts, not per move.
    std::size_t Refinements() const { return refinements_; }

  private:
    // Refines the topology of the creature's welded parts at rest; false when it cannot.
    bool Refine(const Creature& creature, int level);
    // Evaluates the points and normals from the parts' current (or posed) points, unless
    // they are the points last evaluated.
    void Evaluate(const Creature& creature, std::span<const PosedPart> posed);

    std::optional<std::uint64_t> partsFingerprint_;  // of the parts the topology was refined for
    int level_ = 0;
    std::optional<WeldedSurfaceTopology> topology_;
    // Per base point of the topology, the part point it stands for.
    std::vector<PointSource> sources_;
    std::vector<FaceRun> runs_;
    std::vector<Vec3f> basePoints_;  // what points_ and normals_ were evaluated from
    std::vector<Vec3f> gathered_;    // this update's base points
    std::vector<std::span<const Vec3f>> partPoints_;  // this update's points of each part
    bool evaluated_ = false;
    std::vector<Vec3f> points_;
    std::vector<Vec3f> normals_;
    std::size_t refinements_ = 0;
};

}  // namespace bw
