// Writes a creature's transformed points, normals and quads as Wavefront OBJ text, one group
// per part named after its body part, with a material library beside it holding each
// surface's colour.
#pragma once

#include <string>

#include "model/creature.h"

namespace bw::tool {

// Writes `objPath` and the .mtl file beside it (same name, extension ".mtl"), each atomically.
bool WriteCreatureObj(const Creature& creature, const std::string& objPath, std::string* reason);

}  // namespace bw::tool
