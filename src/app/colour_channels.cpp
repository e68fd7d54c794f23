#include "app/colour_channels.h"

#include "model/colour_byte.h"

namespace bw {

int ColourChannel(float component) { return ColourByte(component); }

float ColourComponent(int channel) { return static_cast<float>(channel) * (1.0f / 255.0f); }

std::array<int, 3> ColourChannels(const std::array<float, 3>& colour) {
    return {ColourChannel(colour[0]), ColourChannel(colour[1]), ColourChannel(colour[2])};
}

std::array<float, 3> ColourComponents(const std::array<int, 3>& channels) {
    return {ColourComponent(channels[0]), ColourComponent(channels[1]),
            ColourComponent(channels[2])};
}

}  // namespace bw
