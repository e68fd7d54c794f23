#include "rig/posed_skeleton.h"

namespace bw {

Quaternion LocalRotation(const Joint& joint, const JointRotation& rotation) {
    return QuaternionOfAxisAngle(joint.axes.bend, rotation.bend) *
           QuaternionOfAxisAngle(joint.axes.side, rotation.side) *
           QuaternionOfAxisAngle(joint.axes.twist, rotation.twist);
}

std::vector<PosedJoint> PoseSkeleton(const Skeleton& skeleton, const Pose& pose) {
    std::vector<PosedJoint> posed(skeleton.joints.size());
    for (std::size_t j = 0; j < skeleton.joints.size(); ++j) {
        const Joint& joint = skeleton.joints[j];
        const JointRotation rotation = pose.Rotation(joint.bodyPart);
        PosedJoint& out = posed[j];
        out.localRotation = LocalRotation(joint, rotation);
        const bool hasParent = joint.parent && *joint.parent < j;
        const PosedJoint* parent = hasParent ? &posed[*joint.parent] : nullptr;
        out.moved = !rotation.IsRest() || (parent && parent->moved);
        if (out.moved) {
            const AffineTransform aboutJoint = AffineTransform::Translation(joint.restPosition) *
                                               AffineTransform::Rotation(out.localRotation) *
                                               AffineTransform::Translation(-joint.restPosition);
            out.skinning = parent ? parent->skinning * aboutJoint : aboutJoint;
        }
        out.global = out.skinning * AffineTransform::Translation(joint.restPosition);
    }
    return posed;
}

AffineTransform InverseBindTransform(const Joint& joint) {
    return AffineTransform::Translation(-joint.restPosition);
}

}  // namespace bw
