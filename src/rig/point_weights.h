// The joints that move one point of a skinned mesh, and how strongly each does.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace bw {

// The most joints one point follows (what glTF's JOINTS_0/WEIGHTS_0 hold).
inline constexpr std::size_t kMaxInfluences = 4;

struct Influence {
    std::uint16_t joint = 0;
    float weight = 0.0f;

    friend bool operator==(const Influence&, const Influence&) = default;
};

// Up to kMaxInfluences influences, largest weight first (equal weights by joint index); the
// entries past `count` are zero.
struct PointWeights {
    std::array<Influence, kMaxInfluences> influences{};
    std::uint8_t count = 0;

    std::span<const Influence> Used() const { return {influences.data(), count}; }

    friend bool operator==(const PointWeights&, const PointWeights&) = default;
};

}  // namespace bw
