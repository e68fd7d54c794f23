// Draws the converter object into the current OpenGL context (legacy fixed-function pipeline)
// and picks its points under the cursor.
//
// Callers: the preview view's paint while the Converter tab is selected, with its context
// current and its viewport set; its mouse handling (with the context made current) for
// picking. Everything but the OpenGL calls is in converter_view.h and converter_picking.h.
#pragma once

#include "converter/converter_model.h"

namespace bw {

// Draws the object in the model's view mode (nothing without an object). Leaves the
// projection matrix set for the mode and the model-view stack as it found it; sets heading and
// pitch in the orthographic modes and rebuilds the view matrix, the display points and
// normals and their window coordinates. Always true.
bool DrawConverter(ConverterModel& model);

// The steps of DrawConverter, in its order. Each drawing routine ends with
// DrawSelectedPoints. ProjectPoints reads the current viewport and matrices and stores each
// display point's window pixel (x from the left, y up), truncated toward zero.
void ProjectPoints(ConverterModel& model);
void DrawWireframe(const ConverterModel& model);
void DrawVertexNormals(const ConverterModel& model);
void DrawFaceNormals(const ConverterModel& model);
void DrawSelectedPoints(const ConverterModel& model);
void DrawMarkedPath(const ConverterModel& model);

// Picks at (x, y), device pixels from the top left of the view (PickPointsAt with the current
// viewport's height). Always true.
bool PickPoints(ConverterModel& model, int x, int y);

}  // namespace bw
