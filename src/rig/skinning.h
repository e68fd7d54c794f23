// Linear blend skinning: the creature's points and normals carried into a pose.
//
// Each point goes by the weighted sum of its joints' skinning transforms, each normal by the
// weighted sum of their linear parts, renormalised to unit length (a zero normal stays zero).
// A point none of whose joints moved is copied, so the rest pose gives the creature's points
// and normals bit for bit. Welded points with equal influences land on the same spot.
#pragma once

#include <span>
#include <vector>

#include "model/creature.h"
#include "model/vec3.h"
#include "rig/posed_skeleton.h"
#include "rig/skin_weights.h"

namespace bw {

struct PosedPart {
    std::vector<Vec3f> points;
    std::vector<Vec3f> normals;
};

// Fills `posed` with one entry per part of the creature, reusing its memory. A part without
// weights for every point, or a point with an influence whose joint is not in `joints`, is
// copied as it is. The creature is not changed.
void SkinCreature(const Creature& creature, const SkinWeights& weights,
                  std::span<const PosedJoint> joints, std::vector<PosedPart>& posed);

}  // namespace bw
