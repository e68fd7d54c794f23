// Writes a creature's transformed points, normals and quads as Wavefront OBJ text, one group
// per part named after its body part, with a material library beside it holding each
// surface's colour.
#pragma once

#include <string>

#include "model/creature.h"

namespace bw::tool {

// Writes `objPath` and the .mtl file beside it (same name, extension ".mtl") as one atomic
// save: both are written and checked before either replaces anything, so a failed export
// changes neither. False, with `reason` set and nothing written, when a file cannot be written
// or a part has a point or normal that is no finite number (OBJ has no way to write one).
bool WriteCreatureObj(const Creature& creature, const std::string& objPath, std::string* reason);

// The number of points (transformed) and of normals of `part` that are infinite or NaN.
struct NonFiniteCount {
    std::size_t points = 0;
    std::size_t normals = 0;
};
NonFiniteCount CountNonFinite(const PartObject& part);

}  // namespace bw::tool
