#include "model/colour_byte.h"

namespace bw {

std::uint8_t ColourByte(float component) {
    const float scaled = component * 255.0f;
    if (!(scaled > 0.0f)) return 0;  // also NaN
    if (scaled >= 255.0f) return 255;
    return static_cast<std::uint8_t>(scaled);
}

}  // namespace bw
