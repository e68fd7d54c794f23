// The prepared creature of a type: every body part of the type's first variants assembled into
// one closed object whose surface k holds the quads of body part k (catalogue order), named
// after it. Seams are rings of points shared by both body parts, with no caps inside, so the
// converter can cut the object back into parts that connect with each other.
#pragma once

#include <string>

#include "creature_types.h"
#include "part_mesh.h"

namespace bw::library {

// False with `reason` when the assembled object is not one closed surface.
bool BuildPreparedCreature(CreatureType type, PartMesh& creature, std::string* reason);

}  // namespace bw::library
