// Forward kinematics: where every joint of a skeleton goes in a pose.
//
// Every joint's rest frame has the model's axes and stands at the joint's rest position, so
// the inverse bind matrix of a joint is the translation by minus its rest position. A joint's
// local rotation turns it, relative to its parent, about its rest position: first the twist
// about the twist axis, then the side swing about the side axis, then the bend about the bend
// axis (axes as in axis_frame.h, unchanged by the earlier turns). A joint's skinning transform
// maps its rest shape into the pose: its parent's skinning transform after that rotation.
#pragma once

#include <span>
#include <vector>

#include "rig/affine_transform.h"
#include "rig/pose.h"
#include "rig/quaternion.h"
#include "rig/skeleton.h"

namespace bw {

struct PosedJoint {
    // Rotation relative to the parent joint's frame (the rest frames share the model's axes).
    Quaternion localRotation;
    // Rest shape to posed shape, model space: what skinning applies to the joint's points.
    AffineTransform skinning;
    // The joint's posed frame in model space: skinning after the translation to the joint's
    // rest position (for exporters, with the inverse bind matrix below).
    AffineTransform global;
    // False when the skinning transform is exactly the identity (neither the joint nor any of
    // its ancestors is turned).
    bool moved = false;
};

// The local rotation of `joint` turned by `rotation`.
Quaternion LocalRotation(const Joint& joint, const JointRotation& rotation);

// One entry per joint of `skeleton`, in its order. A joint whose parent index is not an earlier
// joint is treated as a root.
std::vector<PosedJoint> PoseSkeleton(const Skeleton& skeleton, const Pose& pose);

// The translation that takes model space into the joint's rest frame.
AffineTransform InverseBindTransform(const Joint& joint);

}  // namespace bw
