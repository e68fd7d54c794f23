// How mouse drags and double clicks on the preview move the creature's camera. Pure logic over
// the Creature's preview state, so the view's handlers stay thin and the numbers are tested
// without a window.
//
// Units: drag distances are in Qt logical pixels (y down); angles in radians; pan in view-space
// units of the creature's model; zoom is the uniform scale the view applies before drawing.
#pragma once

#include "model/creature.h"

namespace bw {

inline constexpr float kInitialZoom = 1.1f;
inline constexpr float kMinZoom = 0.1f;
inline constexpr float kMaxZoom = 2.0f;
inline constexpr float kRotationPerPixel = 0.005f;  // radians
inline constexpr float kPanPerPixel = 0.002f;
inline constexpr float kZoomPerPixel = 0.002f;
inline constexpr float kInitialLightLevel = 0.5f;

enum class DragButton { Left, Right, Middle };
enum class CameraAction { None, Rotate, Pan, Zoom };

// The creature's action for a drag with `button` (any page but the converter's).
CameraAction CreatureDragAction(DragButton button, bool shiftHeld, bool swapMouseButtons);
// The order in which the held buttons' drags are applied within one mouse move.
const DragButton* DragButtonOrder(bool swapMouseButtons);  // three entries

struct Rotation {
    float yaw = 0.0f;    // about Y
    float pitch = 0.0f;  // about X
};
struct Pan {
    float x = 0.0f;
    float y = 0.0f;
};

// The camera after a drag by (dx, dy) = (last x - new x, last y - new y): a drag to the right
// or downwards is negative. No wrap-around and no limits, except the zoom's clamp to
// [kMinZoom, kMaxZoom].
Rotation RotatedBy(Rotation rotation, int dx, int dy);
Pan PannedBy(Pan pan, int dx, int dy);
float ZoomedBy(float zoom, int dy);
// A wheel notch: the angle delta a mouse wheel reports for one click (eighths of a degree).
inline constexpr int kWheelNotch = 120;
// A notch zooms as far as a zoom drag of this many pixels.
inline constexpr int kPixelsPerWheelNotch = 20;
// The zoom-in distance, in drag pixels, of a wheel turn by `angleDelta` (positive: turned away
// from the user, which zooms in; negative zooms out). `remainder` keeps what a fine-grained
// wheel turned short of a whole pixel for the next turn; start it at 0.
int WheelZoomPixels(int angleDelta, int& remainder);

// The light level that goes with a zoom: brighter as the creature comes closer.
float LightLevelForZoom(float zoom);

// What a double click with `button` resets: the rotation, the pan, or both (middle). Zoom is
// never reset by a double click.
void ResetForDoubleClick(Creature& creature, DragButton button, bool swapMouseButtons);

}  // namespace bw
