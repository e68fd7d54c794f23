// Draws the creature into the current OpenGL context (legacy fixed-function pipeline).
//
// Callers: the preview view's paint, with its context current, the model-view matrix holding
// the view's zoom scaling and depth testing enabled. Each part is first carried into view space
// by its own view transform (BuildViewMatrix, TransformToView in view_transform.h).
#pragma once

#include "model/creature.h"
#include "model/part_object.h"

namespace bw {

// Draws every part in list order in the creature's shadingMode: 0 smooth, 1 flat,
// 2 wireframe; any other mode draws nothing.
void DrawCreature(Creature& creature);

// Each returns false (drawing nothing) when the part has no polygons. Every routine leaves
// lighting enabled, face culling and the line polygon offset disabled.
bool DrawPartSmooth(PartObject& part, float level);
bool DrawPartFlat(PartObject& part, float level);
bool DrawPartWire(PartObject& part);
bool DrawHighlightOverlay(PartObject& part);

}  // namespace bw
