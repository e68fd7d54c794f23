#include "rig/creature_pose.h"

#include "model/part_identity_hash.h"

namespace bw {

std::uint64_t RestShapeFingerprint(const Creature& creature) {
    std::uint64_t hash = kByteHashStart;
    for (int i = 0; i < creature.PartCount(); ++i) {
        const PartObject* part = creature.Part(i);
        hash = HashPartIdentity(hash, part);
        if (part == nullptr) continue;
        const auto points = part->TransformedPoints();
        hash = HashBytes(hash, points.data(), points.size_bytes());
    }
    return hash;
}

bool CreaturePose::SetRotation(BodyPartId bodyPart, const JointRotation& rotation) {
    if (pose_.Rotation(bodyPart) == rotation) return false;
    if (!pose_.SetRotation(bodyPart, rotation)) return false;
    posedCurrent_ = false;
    return true;
}

void CreaturePose::SetPose(const Pose& pose) {
    if (pose_ == pose) return;
    pose_ = pose;
    posedCurrent_ = false;
}

void CreaturePose::Refresh(const Creature& creature) {
    const std::uint64_t fingerprint = RestShapeFingerprint(creature);
    if (restFingerprint_ == fingerprint) return;
    restFingerprint_ = fingerprint;
    skeleton_ = BuildSkeleton(creature);
    ComputeSkinWeights(creature, skeleton_, weights_);
    posedCurrent_ = false;
}

void CreaturePose::PoseAndSkin(const Creature& creature) {
    Refresh(creature);
    if (posedCurrent_) return;
    joints_ = PoseSkeleton(skeleton_, pose_);
    if (!pose_.IsRest()) SkinCreature(creature, weights_, joints_, posed_);
    posedCurrent_ = true;
}

std::span<const PosedPart> CreaturePose::PosedParts(const Creature& creature) {
    if (pose_.IsRest()) return {};
    PoseAndSkin(creature);
    return posed_;
}

const Skeleton& CreaturePose::SkeletonOf(const Creature& creature) {
    Refresh(creature);
    return skeleton_;
}

CreaturePose::Bones CreaturePose::PosedBones(const Creature& creature) {
    PoseAndSkin(creature);
    Bones bones;
    for (std::size_t j = 0; j < skeleton_.joints.size() && j < joints_.size(); ++j) {
        const Joint& joint = skeleton_.joints[j];
        bones.joints.push_back(Narrowed(joints_[j].skinning.ApplyToPoint(joint.restPosition)));
        if (joint.parent && *joint.parent < j) bones.bones.emplace_back(*joint.parent, j);
    }
    return bones;
}

}  // namespace bw
