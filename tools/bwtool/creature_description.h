// What `bwtool assemble --json` prints: every part of the creature (names, body part, type
// code, highlight, points, base points, normals, adjustments) and the messages shown while it
// was built, as a JSON object whose field names are a contract.
#pragma once

#include <cstddef>
#include <nlohmann/json.hpp>

#include "model/creature.h"

namespace bw::tool {

// `messages` is an array of {"caption", "text"} objects; "messagesNotShown" follows them when
// more messages were shown than kept.
nlohmann::ordered_json DescribeCreature(const Creature& creature,
                                        const nlohmann::ordered_json& messages,
                                        std::size_t messagesNotShown = 0);

}  // namespace bw::tool
