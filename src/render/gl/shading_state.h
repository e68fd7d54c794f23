// The fixed-function state the creature's drawings share: the light of each shading mode, the
// surface material, and the state every drawing routine leaves behind.
#pragma once

#include <GL/gl.h>

#include <array>

namespace bw {

// Outlines of the edited part and its wireframe.
inline constexpr GLfloat kHighlightColour[3] = {1.0f, 1.0f, 0.0f};

// Light 0 for smooth shading (far to the left, slightly above and in front, no specular part)
// or flat shading (close, with a white specular part so the facets read), its ambient and
// diffuse parts at grey `level` (0 to 1); lighting on, polygons filled.
void SetSmoothShadingLight(float level);
void SetFlatShadingLight(float level);

// A surface of `colour` (red, green, blue, 0 to 1) as ambient and diffuse material, without
// specular part, emission or shininess.
void SetSurfaceMaterial(const std::array<float, 3>& colour);

// What every routine leaves, also when it draws nothing: lighting on, no face culling, no line
// polygon offset.
void LeaveDrawingState();

// Starts the unlit outlines of the front-culled faces, pulled towards the viewer by a polygon
// offset so they show on top of a shaded surface; EndHighlightOutline restores the state.
void BeginHighlightOutline();
void EndHighlightOutline();

}  // namespace bw
