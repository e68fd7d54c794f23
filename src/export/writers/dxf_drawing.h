// A DXF drawing of the creature for CAD programs, written by dxflib: every polygon a 3D face
// (a triangle repeats its last corner), on one layer per part named after its body part
// ("Left hand"), coloured by its surface's colour (true colour). DXF (R2000) holds no
// materials, so surface names do not appear.
#pragma once

#include <span>
#include <string>

#include "export/creature_geometry.h"

namespace bw {

// The bytes of the drawing, nothing written. False, with `reason` set, when there is no
// polygon to draw.
bool DxfDrawing(std::span<const PartGeometry> parts, std::string& bytes, std::string* reason);

}  // namespace bw
