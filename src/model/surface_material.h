// One surface of an object file: its name, colour and raw data block. The converter calls
// surfaces materials.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace bw {

struct SurfaceMaterial {
    // Colour used when a surface has no data block or its block has no colour sub-chunk.
    static constexpr float kDefaultGrey = 0.5f;

    std::string name;  // the name bytes as stored (at most 255), without the pad byte's zero
    std::array<float, 3> colour{0.0f, 0.0f, 0.0f};  // red, green, blue, 0 to 1
    // The surface's property sub-chunks; refers into the owning part's file image.
    std::span<std::uint8_t> dataBlock;
};

}  // namespace bw
