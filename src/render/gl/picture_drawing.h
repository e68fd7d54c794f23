// Draws a picture of a creature into the current OpenGL context: the preview's drawing
// routines, lights and materials, seen through a PictureCamera. Used where there is no
// preview: bwtool render (a headless context) and the lists' thumbnails (an offscreen one).
#pragma once

#include <array>

#include "model/creature.h"
#include "model/shading_mode.h"
#include "render/picture_camera.h"

namespace bw {

// Fills the viewport (0, 0, width, height) with `background` (red, green, blue, 0 to 1; opacity
// `backgroundAlpha`, 0 for a transparent picture) and
// draws `creature` in `shading` through `camera`, the preview's field of view looking at the
// sphere round the turned creature from just far enough to see all of it. Sets the projection
// and model-view matrices, depth testing and smooth shading; leaves the creature's rotation,
// shading mode and light level as they were, and every part with the creature's pan.
void DrawPicture(Creature& creature, const PictureCamera& camera, ShadingMode shading,
                 const std::array<float, 3>& background, int width, int height,
                 float backgroundAlpha = 1.0f);

}  // namespace bw
