// The axis a part tapers along and which way along it the part points (from where it meets its
// parent toward its free end). Project files and the adjustments keep it as one number, 1 X,
// 2 Y, 3 Z, negative for the negative direction, 0 for no taper.
#pragma once

#include <cstdint>
#include <optional>

#include "model/vec3.h"

namespace bw {

enum class Axis : int { X = 0, Y = 1, Z = 2 };

struct TaperAxis {
    Axis axis = Axis::Y;
    bool negative = false;

    // The axis a stored number names; none for 0 (no taper) and for any number out of range,
    // as a damaged project file may hold.
    static constexpr std::optional<TaperAxis> FromFileValue(std::int32_t value) {
        if (value == 0 || value < -3 || value > 3) return std::nullopt;
        return TaperAxis{static_cast<Axis>((value < 0 ? -value : value) - 1), value < 0};
    }
    constexpr std::int32_t FileValue() const {
        const std::int32_t number = static_cast<std::int32_t>(axis) + 1;
        return negative ? -number : number;
    }
    constexpr int Index() const { return static_cast<int>(axis); }
    // The unit vector along the axis in the part's direction.
    constexpr Vec3f Direction() const {
        const float sign = negative ? -1.0f : 1.0f;
        return {axis == Axis::X ? sign : 0.0f, axis == Axis::Y ? sign : 0.0f,
                axis == Axis::Z ? sign : 0.0f};
    }

    friend bool operator==(const TaperAxis&, const TaperAxis&) = default;
};

}  // namespace bw
