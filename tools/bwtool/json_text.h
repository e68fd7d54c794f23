// bwtool's JSON as text. Names and paths are bytes in whatever encoding their system used
// (Latin-1 file names are common in libraries made elsewhere), but JSON text is UTF-8: every
// byte that is not part of valid UTF-8 is written as U+FFFD, the replacement character, so the
// output always parses and no name can make the tool fail.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

namespace bw::tool {

// `indent` < 0: one line; otherwise that many blanks per level.
std::string JsonText(const nlohmann::ordered_json& value, int indent = -1);

}  // namespace bw::tool
