// Which part of the creature lies under a pixel of the preview: each part is drawn in a colour
// of its own into the back buffer (the next frame draws over it) and the pixel is read back.
//
// Callers: the preview, with its context current and its viewport and projection set, after at
// least one frame was drawn (the parts' view points are those of the last frame).
#pragma once

#include <optional>

#include "model/creature.h"

namespace bw {

// The list index of the part drawn at (x, y), device pixels from the top left; none for the
// background or a pixel outside the viewport. `zoom` is the preview's zoom scaling.
std::optional<int> PartAtPixel(const Creature& creature, float zoom, int x, int y);

}  // namespace bw
