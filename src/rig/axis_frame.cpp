#include "rig/axis_frame.h"

namespace bw {

Vec3d PartAxis(BodyPartId bodyPart) {
    return Widened(TaperAxisOfBodyPart(bodyPart).value_or(TaperAxis{}).Direction());
}

AxisFrame AxisFrameOfBodyPart(BodyPartId bodyPart) {
    const Vec3d twist = PartAxis(bodyPart);
    const double sign = twist.x + twist.y + twist.z;  // exactly one coordinate is non-zero
    const Vec3d x{sign, 0.0, 0.0};
    const Vec3d y{0.0, sign, 0.0};
    const Vec3d z{0.0, 0.0, sign};
    if (twist.x != 0.0) return {twist, y, z};
    if (twist.y != 0.0) return {twist, x, z};
    return {twist, x, y};
}

}  // namespace bw
