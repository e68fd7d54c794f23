// The arithmetic of the converter page's colour controls: three sliders with positions 0 to
// 255 (range 0 to 256, page size 2), a typed value field per slider, and the presets.
#pragma once

#include <optional>
#include <string_view>

namespace bw {

// The float nearest to 1/255: a slider position p stands for the component p times this.
inline constexpr float kColourPerPosition = 0.003921569f;
inline constexpr int kSliderRange = 256;
inline constexpr int kSliderPage = 2;
// A slider of range 0 to 256 with page size 2 holds the positions 0 to 255.
inline constexpr int kSliderMaxPosition = kSliderRange - kSliderPage + 1;

float ComponentOfPosition(int position);
// A component shown as a slider position: times 255, truncated toward zero, within 0 to 255.
int PositionOfComponent(float component);
// What the slider keeps of a position it is given.
int ClampToSlider(int position);

// A value field's text as a number the way the C library's decimal conversion reads it
// (leading white space, an optional sign, digits; 0 when there are none), clamped to 0 to 256.
int ValueFieldNumber(std::string_view text);

// A slider step: line and page steps move by one; a thumb drag goes to its tracking position;
// anything else (to the start or end, end of scrolling) keeps the position.
enum class SliderStep { LineLeft, LineRight, PageLeft, PageRight, Thumb, Other };
int PositionAfterStep(SliderStep step, int position, int trackPosition);

// The presets list: 0 "(own defined)" sets nothing, 1 "Beastwright Gray" sets every slider to
// 180.
inline constexpr int kPresetCount = 2;
std::string_view PresetName(int preset);
std::optional<int> PresetPosition(int preset);

}  // namespace bw
