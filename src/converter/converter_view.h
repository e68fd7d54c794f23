// The converter view's arithmetic, apart from OpenGL: the view matrix, the display points and
// normals, what each view mode does, and the colours of the marked path. The drawing
// (converter_drawing.h) projects and draws what these compute.
//
// Frames: model points are in the object's units; display points are view space, the frame
// the converter's model-view matrix applies to. Angles are radians.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "converter/converter_model.h"

namespace bw {

// Builds model.viewMatrix from heading a, pitch c, roll b, scale and translation, in double
// precision: M = Ry(a) * Rx(c) * Rz(b) * S, translation in the fourth column (applied to a
// point, the scale acts first, then the roll, the pitch and the heading).
void UpdateViewTransform(ConverterModel& model);

// The point the display is centred on: the selected body part's group centre while hide rest
// is on and a body part is selected, the origin otherwise.
struct ConverterCentre {
    float x = 0.0f, y = 0.0f, z = 0.0f;
};
ConverterCentre DisplayCentre(const ConverterModel& model);

// Display point i = M * (model point i - centre, 1) + (view offset x, view offset y, view
// distance); display normal i = the rotation and scale of M applied to model normal i. Every
// point, hidden ones included. Window coordinates are left to the projection.
void TransformToDisplay(ConverterModel& model);

// What the polygons are drawn with in a view mode; any value outside the modes draws like Wire.
enum class ConverterPolygonStyle { Wireframe, VertexNormals, FaceNormals };
ConverterPolygonStyle PolygonStyleOf(ConverterViewMode viewMode);
// True for the orthographic modes Top, Front and Side.
bool IsOrthographicMode(ConverterViewMode viewMode);
// The orthographic modes fix heading and pitch on every draw: Top 0 and 1.57, Front 3.14 and
// 0, Side 1.57 and 0. Other modes leave them alone.
void ApplyViewModeAngles(ConverterModel& model);

// How far the marked path is drawn off the surface, along the display normals: 1/400 of the
// object's size (0.005 for an object two units across), so the path stays on its seam however
// large the object is drawn.
float MarkedPathLift(const ConverterModel& model);

// The red component of each of the n - 1 lines of a marked path of n entries: 1.0, then
// lowered by 0.5 / n (float) per line. Empty for fewer than two entries.
std::vector<float> MarkedPathReds(int entries);

// The face normal of a quadrilateral with display points A, B, C, D (vertices 0 to 3):
// (B - A) x (D - A), normalised in double precision; nullopt when its length is 0.00001 or
// less (the previous normal then stays in force).
struct ConverterNormal {
    double x = 0.0, y = 0.0, z = 0.0;
};
std::optional<ConverterNormal> ConverterFaceNormal(const ConverterPoint& a, const ConverterPoint& b,
                                                   const ConverterPoint& d);

// The polygons drawn: those of the selected body part while hide rest is on and a body part is
// selected, all of them otherwise. Calls `draw` with each polygon index in order.
template <class Draw>
void ForEachShownPolygon(const ConverterModel& model, Draw draw) {
    const PartGroup* group = model.hideRest == 1 ? model.SelectedGroup() : nullptr;
    if (group) {
        for (std::int32_t s : group->polygons) draw(s);
    } else {
        for (int s = 0; s < model.PolygonCount(); ++s) draw(std::int32_t(s));
    }
}

}  // namespace bw
