// PNG files of pictures that bwtool draws, encoded by libpng.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace bw {

// The PNG bytes of a width x height picture of red, green, blue and alpha bytes, top row
// first. False, with `reason` set, when libpng refuses it.
bool EncodePng(const std::vector<std::uint8_t>& rgba, int width, int height, std::string& bytes,
               std::string* reason);

}  // namespace bw
