// How mouse drags on the preview move the converter's camera while the Converter tab is
// selected. The same whatever the mouse buttons' swap setting; no limits.
//
// Units: drag distances in pixels, (dx, dy) = (last x - new x, last y - new y), so a drag to
// the right or downwards is negative; angles in radians.
#pragma once

#include "converter/converter_model.h"

namespace bw {

inline constexpr float kConverterDragStep = 0.002f;

// Right drag: with Shift the view distance, else with Ctrl heading and pitch, else the view
// offsets.
void ApplyConverterRightDrag(ConverterModel& model, int dx, int dy, bool shiftHeld, bool ctrlHeld);
// Middle drag: the view distance.
void ApplyConverterMiddleDrag(ConverterModel& model, int dy);

}  // namespace bw
