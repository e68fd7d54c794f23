#include "app/colour_channels.h"

#include <cmath>

namespace bw {

int ColourChannel(float component) {
    if (std::isnan(component)) return 0;
    const float scaled = component * 255.0f;
    if (!(scaled > 0.0f)) return 0;
    if (scaled >= 255.0f) return 255;
    return static_cast<int>(scaled);  // truncates towards zero
}

float ColourComponent(int channel) { return static_cast<float>(channel) * (1.0f / 255.0f); }

std::array<int, 3> ColourChannels(const std::array<float, 3>& colour) {
    return {ColourChannel(colour[0]), ColourChannel(colour[1]), ColourChannel(colour[2])};
}

std::array<float, 3> ColourComponents(const std::array<int, 3>& channels) {
    return {ColourComponent(channels[0]), ColourComponent(channels[1]),
            ColourComponent(channels[2])};
}

}  // namespace bw
