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
#include "rig/vector3d.h"

namespace bw {

struct AxisFrame {
    Vector3d twist;
    Vector3d bend;
    Vector3d side;
};

// The unit direction a body part extends along, from its taper axis.
Vector3d PartAxis(BodyPartId bodyPart);

AxisFrame AxisFrameOfBodyPart(BodyPartId bodyPart);

}  // namespace bw
