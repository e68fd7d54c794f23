// A colour component (a float, 0 to 1) as the 8-bit channel that object files, colour
// sub-chunks, the colour chooser and the swatches hold.
#pragma once

#include <cstdint>

namespace bw {

// The component times 255, truncated towards zero (1.0 gives 255, 0.8 gives 204). A component
// outside 0 to 1, which a hand-edited or imported file may hold, gives the nearest channel (0 or
// 255) rather than a wrapped one; a component that is no number gives 0.
std::uint8_t ColourByte(float component);

}  // namespace bw
