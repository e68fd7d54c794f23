// Adding an object file to a creature as the body part it was cut for: the body part its
// header names, or the head when the header names none (or the file does not read, which the
// creature then reports). For pictures of single files.
#pragma once

#include <string>

#include "model/creature.h"

namespace bw {

// Creature::AddPart with the file's own body part; its result.
bool AddPartAsItsOwnBodyPart(Creature& creature, const std::string& path);

}  // namespace bw
