// The hash that identifies the keywords of the configuration file.
#pragma once

#include <cstdint>
#include <string_view>

namespace bw {

// Sum over the bytes b_i (i from 1, each taken as a signed 8-bit value) of (c_i - 33) * i^3, where
// c_i is b_i - 32 for bytes above 96 and b_i otherwise, in 32-bit unsigned arithmetic with
// wrap-around. Lower-case letters count as their upper-case forms; the empty word gives 0.
std::uint32_t KeywordHash(std::string_view word);

// The hashes of the six keywords; a word is taken as the keyword whose hash it has.
inline constexpr std::uint32_t kBgColorHash = 36317;
inline constexpr std::uint32_t kObjectDirHash = 87193;
inline constexpr std::uint32_t kWireColorHash = 92209;
inline constexpr std::uint32_t kProjectDirHash = 129722;
inline constexpr std::uint32_t kConvertObjectDirHash = 776654;
inline constexpr std::uint32_t kConvertObjectNameHash = 933482;

}  // namespace bw
