// Colours as the pages keep them (floats from 0 to 1 for red, green and blue) and as the
// colour chooser and the swatches show them (8-bit channels).
#pragma once

#include <array>

namespace bw {

// The 8-bit channel of a component: c * 255 truncated towards zero (1.0 gives 255, 0.8 gives
// 204). Components outside 0 to 1, which a hand-edited configuration file may hold, give the
// nearest channel (0 or 255) rather than a wrapped one, so a swatch never shows a colour the
// preview does not draw; a component that is no number gives 0.
int ColourChannel(float component);

// The component of an 8-bit channel: b * (1/255) in single precision.
float ColourComponent(int channel);

std::array<int, 3> ColourChannels(const std::array<float, 3>& colour);
std::array<float, 3> ColourComponents(const std::array<int, 3>& channels);

}  // namespace bw
