// How the preview shades the creature, in the order of the main dialog's Shading radios.
#pragma once

namespace bw {

enum class ShadingMode : int { Smooth = 0, Flat = 1, Wireframe = 2 };
inline constexpr int kShadingModeCount = 3;

}  // namespace bw
