#include "rig/axis_frame.h"

namespace bw {

Vector3d PartAxis(BodyPartId bodyPart) {
    switch (TaperAxisOfBodyPart(bodyPart)) {
        case 1:
            return {1.0, 0.0, 0.0};
        case -1:
            return {-1.0, 0.0, 0.0};
        case -2:
            return {0.0, -1.0, 0.0};
        case 3:
            return {0.0, 0.0, 1.0};
        case -3:
            return {0.0, 0.0, -1.0};
        default:
            return {0.0, 1.0, 0.0};
    }
}

AxisFrame AxisFrameOfBodyPart(BodyPartId bodyPart) {
    const Vector3d twist = PartAxis(bodyPart);
    const double sign = twist.x + twist.y + twist.z;  // exactly one coordinate is non-zero
    const Vector3d x{sign, 0.0, 0.0};
    const Vector3d y{0.0, sign, 0.0};
    const Vector3d z{0.0, 0.0, sign};
    if (twist.x != 0.0) return {twist, y, z};
    if (twist.y != 0.0) return {twist, x, z};
    return {twist, x, y};
}

}  // namespace bw
