// Draws the creature's subdivided surface into the current OpenGL context, in place of its
// parts, in the creature's shading mode, with the same lights, materials and outlines as the
// parts' drawing (creature_drawing.h); the preview's paint calls it instead of DrawCreature
// when a subdivision level is chosen.
#pragma once

#include <span>

#include "model/creature.h"
#include "rig/skinning.h"
#include "subdivide/subdivided_creature.h"

namespace bw {

// Carries the parts to view as DrawCreature does (so picking finds them), then draws
// `surface`, brought up to date with the creature and `posed` beforehand, carried into view
// space by the creature's rotation and pan: smooth shading from the surface's normals, flat
// shading one normal per face, wireframe its quads' edges in the creature's wireColour. The
// faces of a highlighted part are outlined in yellow (its wireframe drawn yellow). False,
// drawing nothing, when the surface has no faces.
bool DrawSubdividedCreature(Creature& creature, std::span<const PosedPart> posed,
                            const SubdividedCreature& surface);

}  // namespace bw
