// The per-part view transform of the preview: the creature's rotation and pan, carried into
// each part and applied to its points and normals before drawing.
//
// Frames: the input is the part's transformedPoints and normals in creature model space; the
// output is view space, the frame the preview's model-view matrix (its zoom scaling) applies to.
// Angles are radians. Pure arithmetic on the part: no OpenGL, usable without a context.
#pragma once

#include <array>
#include <span>

#include "model/part_object.h"

namespace bw {

// Builds part.viewMatrix (3 rows x 4 columns, row major) from part.yaw (about Y), part.pitch
// (about X), part.panX and part.panY: the rotation R = Ry(yaw) * Rx(pitch) in the first three
// columns and the pan (panX, panY, 0) in the fourth.
void BuildViewMatrix(PartObject& part);
// The same matrix from the angles and pan themselves.
std::array<double, 12> ViewMatrix(float yaw, float pitch, float panX, float panY);
// R * point + pan of a view matrix.
Vec3f ToView(const std::array<double, 12>& matrix, const Vec3f& point);

// Sizes the part's view arrays (EnsureViewArrays) and fills them from the view matrix as last
// built: viewPoints[i] = R * transformedPoints[i] + pan, viewNormals[i] = R * normals[i]
// (normals are rotated only, never translated or renormalised). Computed in double precision,
// stored as floats. A point without a normal (a file whose normal count falls short) gets a
// zero view normal.
void TransformToView(PartObject& part);
// The same from other points and normals of the part (a pose of it), each as many as the
// part's own.
void TransformToView(PartObject& part, std::span<const Vec3f> points,
                     std::span<const Vec3f> normals);

}  // namespace bw
