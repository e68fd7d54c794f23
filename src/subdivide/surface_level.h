// How smooth the creature's surface is drawn and exported: the number of times the welded
// creature is subdivided, and the names the window gives each choice.
#pragma once

#include <array>
#include <string_view>

namespace bw {

// 0 draws and exports the parts as they are.
inline constexpr int kMaxSubdivisionLevel = 2;

inline constexpr std::array<std::string_view, kMaxSubdivisionLevel + 1> kSurfaceLevelNames{
    "Parts", "Smooth", "Smoother"};

}  // namespace bw
