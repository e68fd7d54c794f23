#include "converter/colour_controls.h"

#include <cmath>

#include "model/colour_byte.h"

namespace bw {

float ComponentOfPosition(int position) { return float(position) * kColourPerPosition; }

// The slider's positions are the 8-bit channels.
static_assert(kSliderMaxPosition == 255);

int PositionOfComponent(float component) { return ColourByte(component); }

int ClampToSlider(int position) {
    return position < 0 ? 0 : (position > kSliderMaxPosition ? kSliderMaxPosition : position);
}

int ValueFieldNumber(std::string_view text) {
    std::size_t i = 0;
    const auto isSpace = [](char c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
    };
    while (i < text.size() && isSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > kSliderRange) value = kSliderRange + 1;  // saturates; clamped below
    }
    if (negative) value = -value;
    return value < 0 ? 0 : (value > kSliderRange ? kSliderRange : int(value));
}

int PositionAfterStep(SliderStep step, int position, int trackPosition) {
    switch (step) {
        case SliderStep::LineLeft:
        case SliderStep::PageLeft:
            return position - 1;
        case SliderStep::LineRight:
        case SliderStep::PageRight:
            return position + 1;
        case SliderStep::Thumb:
            return trackPosition;
        case SliderStep::Other:
            return position;
    }
    return position;
}

std::string_view PresetName(int preset) {
    switch (preset) {
        case 0:
            return "(own defined)";
        case 1:
            return "Beastwright Gray";
        default:
            return {};
    }
}

std::optional<int> PresetPosition(int preset) {
    if (preset == 1) return 180;
    return std::nullopt;
}

}  // namespace bw
