// Draws the creature into the current OpenGL context (legacy fixed-function pipeline).
//
// Callers: the preview view's paint, with its context current, the model-view matrix holding
// the view's zoom scaling and depth testing enabled. Each part is first carried into view space
// by its own view transform (BuildViewMatrix, TransformToView in view_transform.h).
#pragma once

#include <array>
#include <span>

#include "model/creature.h"
#include "model/part_object.h"
#include "rig/creature_pose.h"
#include "rig/skinning.h"

namespace bw {

// Draws every part in list order in the creature's shadingMode: smooth, flat or
// wireframe; any other value draws nothing. Before drawing a part it copies the creature's
// yaw and pitch (in wireframe also its wireColour) into the part and recomputes the part's
// view matrix, view points and view normals; that is all it changes in the model.
//
// With `posed` (one entry per part, as CreaturePose gives them) each part is drawn from its
// posed points and normals instead of its own; a part whose entry does not match its point
// count is drawn as it is.
void DrawCreature(Creature& creature, std::span<const PosedPart> posed = {});

// What DrawCreature does to the model before it draws: each part takes the creature's yaw and
// pitch and has its view matrix, view points and view normals computed again (from its entry
// of `posed` when that matches it). The parts' view points are what part picking draws.
void CarryPartsToView(Creature& creature, std::span<const PosedPart> posed = {});

// The joints as points and the bones as lines, in model space, over whatever was drawn (no
// depth test, unlit) in `colour`, carried into view space as the parts are.
void DrawSkeleton(const Creature& creature, const CreaturePose::Bones& bones,
                  const std::array<float, 3>& colour);

// Each draws the part's view points (TransformToView) and returns false, drawing nothing, when
// the part has no polygons or its view arrays do not cover its points. Every routine leaves
// lighting enabled, face culling and the line polygon offset disabled, also when it returns
// false. `level` is the grey level (0 to 1) of light 0's ambient and diffuse parts.
// Smooth: light 0 and per-corner normals; flat: one face normal per polygon, a degenerate face
// keeping the previous normal; both set the surface material only when it changes between
// consecutive polygons. Wire: unlit outlines in the part's wireColour, yellow when highlighted.
// Overlay: yellow outlines of the front-culled faces, pulled towards the viewer by a polygon
// offset so they show on top of the shaded part.
bool DrawPartSmooth(PartObject& part, float level);
bool DrawPartFlat(PartObject& part, float level);
bool DrawPartWire(PartObject& part);
bool DrawHighlightOverlay(PartObject& part);

}  // namespace bw
