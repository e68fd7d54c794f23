#include "render/preview_navigation.h"

#include <algorithm>

namespace bw {

CameraAction CreatureDragAction(DragButton button, bool shiftHeld, bool swapMouseButtons) {
    if (button == DragButton::Middle) return CameraAction::Zoom;
    const bool rotates = (button == DragButton::Left) != swapMouseButtons;
    if (rotates) return CameraAction::Rotate;
    return shiftHeld ? CameraAction::Zoom : CameraAction::Pan;
}

const DragButton* DragButtonOrder(bool swapMouseButtons) {
    static constexpr DragButton kNormal[] = {DragButton::Middle, DragButton::Left,
                                             DragButton::Right};
    static constexpr DragButton kSwapped[] = {DragButton::Left, DragButton::Right,
                                              DragButton::Middle};
    return swapMouseButtons ? kSwapped : kNormal;
}

Rotation RotatedBy(Rotation rotation, int dx, int dy) {
    rotation.pitch += static_cast<float>(dy) * kRotationPerPixel;
    rotation.yaw += static_cast<float>(dx) * kRotationPerPixel;
    return rotation;
}

Pan PannedBy(Pan pan, int dx, int dy) {
    pan.x -= static_cast<float>(dx) * kPanPerPixel;
    pan.y += static_cast<float>(dy) * kPanPerPixel;
    return pan;
}

float ZoomedBy(float zoom, int dy) {
    return std::clamp(zoom - static_cast<float>(dy) * kZoomPerPixel, kMinZoom, kMaxZoom);
}

int WheelZoomPixels(int angleDelta, int& remainder) {
    const long long scaled = (long long)angleDelta * kPixelsPerWheelNotch + remainder;
    const long long pixels = scaled / kWheelNotch;  // rounds towards zero, so both ways alike
    remainder = int(scaled - pixels * kWheelNotch);
    return int(pixels);
}

float LightLevelForZoom(float zoom) { return 0.7f - (kMaxZoom - zoom) * 0.3f; }

void ResetForDoubleClick(Creature& creature, DragButton button, bool swapMouseButtons) {
    switch (CreatureDragAction(button, false, swapMouseButtons)) {
        case CameraAction::Rotate:
            creature.ResetRotation();
            break;
        case CameraAction::Pan:
            creature.ResetPan();
            break;
        case CameraAction::Zoom:
            creature.ResetView();
            break;
        case CameraAction::None:
            break;
    }
}

}  // namespace bw
