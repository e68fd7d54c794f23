// Picking points of the converter object with the mouse: every candidate point whose window
// position (from the last projection, that is the picture on the screen) lies within 7 pixels
// of the cursor is toggled, and the marked-point list follows.
#pragma once

#include "converter/converter_model.h"

namespace bw {

inline constexpr float kPickRadius = 7.0f;  // pixels; a point exactly this far is not picked

// Toggles the candidates within kPickRadius of (x, y): an unselected point is selected and
// appended to the marked-point list; a selected one is deselected and its entries leave the
// list (the others keep their order). Candidates: the selected body part's points while hide
// rest is on and a body part is selected, all points otherwise. `x`, `y`: pixels from the
// top left of the viewport; `viewportHeight` turns y into the projection's bottom-up rows.
// Does nothing without an object. Always true.
bool PickPointsAt(ConverterModel& model, int x, int y, int viewportHeight);

}  // namespace bw
