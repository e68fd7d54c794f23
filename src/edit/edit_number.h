// Numbers in the Value and Slider Step edits of the Edit Parts page, written and read the same
// way whatever the process's locale (a full stop as decimal point).
#pragma once

#include <string>
#include <string_view>

namespace bw {

// "%f": fixed point with six decimals ("0.010000").
std::string FormatEditNumber(float value);

// A decimal floating-point number after leading white space, with any trailing text ignored
// ("  1.5kg" reads 1.5). Text that does not begin with a number reads as 0, and so does a
// number that is no finite float ("inf", "nan", "1e39"): such a value would make every point of
// the part infinite or undefined.
float ReadEditNumber(std::string_view text);

}  // namespace bw
