// What `bwtool assemble --json` prints: every part of the creature (names, body part, type
// code, highlight, points, base points, normals, adjustments) and the messages shown while it
// was built, as a JSON object whose field names are a contract.
#pragma once

#include <nlohmann/json.hpp>

#include "model/creature.h"

namespace bw::tool {

// `messages` is an array of {"caption", "text"} objects.
nlohmann::ordered_json DescribeCreature(const Creature& creature,
                                        const nlohmann::ordered_json& messages);

}  // namespace bw::tool
