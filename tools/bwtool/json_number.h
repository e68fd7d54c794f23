// 32-bit floats in bwtool's JSON: the shortest decimal that reads back as the same float.
#pragma once

#include <charconv>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <string>

namespace bw::tool {

inline nlohmann::ordered_json JsonFloat(float value) {
    char text[32];
    const auto [end, ec] = std::to_chars(text, text + sizeof text, value);
    if (ec != std::errc{}) return nlohmann::ordered_json(double(value));
    return nlohmann::ordered_json(std::strtod(std::string(text, end).c_str(), nullptr));
}

}  // namespace bw::tool
