// A pose: how far each body part's joint turns from the rest shape, about the three axes of
// its axis frame (see axis_frame.h), in degrees. A pose is a layer over the creature; it never
// changes the creature's points, adjustments or welds.
#pragma once

#include <array>

#include "model/body_part_catalogue.h"

namespace bw {

// Angles outside [-kMaxJointAngle, kMaxJointAngle] are refused.
inline constexpr float kMaxJointAngle = 180.0f;

struct JointRotation {
    float bend = 0.0f;
    float side = 0.0f;
    float twist = 0.0f;

    bool IsRest() const { return bend == 0.0f && side == 0.0f && twist == 0.0f; }
    friend bool operator==(const JointRotation&, const JointRotation&) = default;
};

// True when every angle is finite and within [-kMaxJointAngle, kMaxJointAngle].
bool IsValidJointRotation(const JointRotation& rotation);

class Pose {
  public:
    // The rotation of a body part; the rest rotation for an invalid id.
    JointRotation Rotation(BodyPartId bodyPart) const;
    // False, changing nothing, for an invalid id or an invalid rotation.
    bool SetRotation(BodyPartId bodyPart, const JointRotation& rotation);
    // True when no body part is turned.
    bool IsRest() const;

    friend bool operator==(const Pose&, const Pose&) = default;

  private:
    std::array<JointRotation, kBodyPartCount> rotations_{};
};

}  // namespace bw
