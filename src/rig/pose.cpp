#include "rig/pose.h"

#include <algorithm>
#include <cmath>

namespace bw {
namespace {

bool IsValidAngle(float degrees) {
    return std::isfinite(degrees) && degrees >= -kMaxJointAngle && degrees <= kMaxJointAngle;
}

}  // namespace

bool IsValidJointRotation(const JointRotation& rotation) {
    return IsValidAngle(rotation.bend) && IsValidAngle(rotation.side) &&
           IsValidAngle(rotation.twist);
}

JointRotation Pose::Rotation(BodyPartId bodyPart) const {
    return IsValidBodyPartId(bodyPart) ? rotations_[std::size_t(bodyPart)] : JointRotation{};
}

bool Pose::SetRotation(BodyPartId bodyPart, const JointRotation& rotation) {
    if (!IsValidBodyPartId(bodyPart) || !IsValidJointRotation(rotation)) return false;
    rotations_[std::size_t(bodyPart)] = rotation;
    return true;
}

bool Pose::IsRest() const {
    return std::all_of(rotations_.begin(), rotations_.end(),
                       [](const JointRotation& rotation) { return rotation.IsRest(); });
}

}  // namespace bw
