// The placeholder of the HTML manual, opened from "Doc/StandaloneManual.html" two levels above
// the object directory.
#pragma once

#include <string>

namespace bw::library {

std::string ManualPage();

}  // namespace bw::library
