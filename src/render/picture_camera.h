// The camera of a picture of a creature or a part (bwtool render, the lists' thumbnails): the
// creature turned by a yaw and a pitch and framed by its bounds, so that it fills a square
// picture whatever its size and wherever it stands.
//
// Frames: the creature's rotation and pan are the preview's (view_transform.h); `scale` and
// `centreZ` say how view space maps into the picture's eye space (picture_drawing.h).
#pragma once

#include <optional>

#include "model/creature.h"

namespace bw {

struct PictureCamera {
    float yaw = 0.0f;    // radians, about Y
    float pitch = 0.0f;  // radians, about X
    // The pan that brings the middle of the turned creature's bounds onto the view axis.
    float panX = 0.0f;
    float panY = 0.0f;
    // View-space z of the middle of the turned bounds.
    double centreZ = 0.0;
    // Multiplies view space so that the sphere round the turned bounds has radius 1.
    double scale = 1.0;
};

// The camera for `creature` turned by `yaw` and `pitch` (radians). Computes every part's view
// arrays for that rotation without a pan (drawing recomputes them). Nullopt when the creature
// has no point, or no two points apart, or a point that is no finite number.
std::optional<PictureCamera> FitPictureCamera(Creature& creature, float yaw, float pitch);

}  // namespace bw
