// The three axes a part's joint turns about, fixed per body part from its taper axis:
//  - twist: along the part, the taper axis with its direction (an arm reaching out to the left
//    twists about +X, one reaching to the right about -X);
//  - bend and side: at right angles to it, chosen by the taper axis's coordinate and carrying
//    its sign, so that a pose of a left part and the same pose of its right counterpart bend
//    and swing mirror-symmetrically:
//      taper axis along X: bend about Y, side about Z;
//      taper axis along Y: bend about X, side about Z;
//      taper axis along Z: bend about X, side about Y.
// A body part without a taper axis (an invalid id) is treated as along +Y.
#pragma once

#include "model/body_part_catalogue.h"
#include "model/vec3.h"

namespace bw {

struct AxisFrame {
    Vec3d twist;
    Vec3d bend;
    Vec3d side;
};

// The unit direction a body part extends along, from its taper axis.
Vec3d PartAxis(BodyPartId bodyPart);

AxisFrame AxisFrameOfBodyPart(BodyPartId bodyPart);

}  // namespace bw
