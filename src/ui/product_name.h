// The names the program shows: the application's name is the caption of every message box
// that has no caption of its own; the product title is the main window's title.
#pragma once

namespace bw {

inline constexpr const char* kApplicationName = "Beastwright";
inline constexpr const char* kProductTitle = "Beastwright Pro";

}  // namespace bw
