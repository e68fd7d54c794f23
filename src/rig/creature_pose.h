// The pose shown over a creature in the window, with what drawing it needs: the skeleton and
// skin weights of the creature's rest shape and the posed points of every part.
//
// The skeleton and weights are rebuilt only when the rest shape changes (a part added, removed
// or replaced, an adjustment, a weld): a fingerprint of the parts and their transformed points
// tells. Turning a joint only poses the skeleton again and skins the points.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "model/creature.h"
#include "rig/pose.h"
#include "rig/posed_skeleton.h"
#include "rig/skeleton.h"
#include "rig/skin_weights.h"
#include "rig/skinning.h"

namespace bw {

class CreaturePose {
  public:
    const Pose& GetPose() const { return pose_; }
    // False, changing nothing, for an invalid id or rotation, or one equal to the current.
    bool SetRotation(BodyPartId bodyPart, const JointRotation& rotation);
    void SetPose(const Pose& pose);

    // The posed points and normals of every part, one entry per part of `creature` in its
    // order; empty in the rest pose, where the creature's own arrays are drawn.
    std::span<const PosedPart> PosedParts(const Creature& creature);

    // Where the joints stand in the pose, one per joint of the skeleton, and the bones as
    // pairs of joint indices (parent, child).
    struct Bones {
        std::vector<Vec3f> joints;
        std::vector<std::pair<std::size_t, std::size_t>> bones;
    };
    Bones PosedBones(const Creature& creature);

    // The skeleton of the creature's rest shape, brought up to date.
    const Skeleton& SkeletonOf(const Creature& creature);

  private:
    // Rebuilds the skeleton and weights when the rest shape changed since the last call.
    void Refresh(const Creature& creature);
    void PoseAndSkin(const Creature& creature);

    Pose pose_;
    std::optional<std::uint64_t> restFingerprint_;
    Skeleton skeleton_;
    SkinWeights weights_;
    std::vector<PosedJoint> joints_;
    std::vector<PosedPart> posed_;
    bool posedCurrent_ = false;
};

// A hash of the parts of `creature` (which, in which order) and of the bytes of their
// transformed points: equal fingerprints mean the same rest shape.
std::uint64_t RestShapeFingerprint(const Creature& creature);

}  // namespace bw
