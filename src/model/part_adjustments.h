// The 34 per-part scale and taper settings, in the order of the project file's parameter line.
// Order of the nine-value arrays: None X, None Y, None Z, Positive X, Positive Y, Positive Z,
// Negative X, Negative Y, Negative Z. Taper arrays: None, Left/Bottom, Right/Top.
#pragma once

#include <array>
#include <cstdint>

namespace bw {

struct PartAdjustments {
    static constexpr float kDefaultStep = 0.01f;

    std::array<std::int32_t, 9> adjustPosition{};                               // fields 1-9
    std::array<float, 3> sliderStep{kDefaultStep, kDefaultStep, kDefaultStep};  // 10-12
    std::array<float, 9> scaleValue{};                                          // 13-21
    std::array<std::int32_t, 3> scaleLock{};  // 22-24: 0 None, 1 Positive, 2 Negative
    std::int32_t reserved = 0;                // 25: no function, always 0
    std::int32_t taperAxis = 0;         // 26: the number TaperAxis::FileValue gives, 0 no taper
    std::int32_t taperLock = 0;         // 27: 0 None, 1 Left/Bottom, 2 Right/Top
    float taperStep = kDefaultStep;     // 28
    std::array<float, 3> taperValue{};  // 29-31
    std::array<std::int32_t, 3> taperAdjustPosition{};  // 32-34

    // Everything back to the defaults, the taper axis included (0: no taper).
    void Reset() { *this = PartAdjustments{}; }

    friend bool operator==(const PartAdjustments&, const PartAdjustments&) = default;
};

// Index helpers for the nine-value arrays.
enum ScaleSide : int { kScaleNone = 0, kScalePositive = 1, kScaleNegative = 2 };
constexpr int ScaleIndex(ScaleSide side, int axis) { return side * 3 + axis; }

}  // namespace bw
