#include "edit/edit_number.h"

#include <cmath>

#include "model/formatted_number.h"

namespace bw {

std::string FormatEditNumber(float value) {
    std::string text;
    AppendFixed6(text, value);
    return text;
}

float ReadEditNumber(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && IsTextSpace(text[pos])) ++pos;
    float value = 0.0f;
    if (!ScanFloat(text, pos, value) || !std::isfinite(value)) return 0.0f;
    return value;
}

}  // namespace bw
