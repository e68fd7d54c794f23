#include "model/formatted_number.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <system_error>

namespace bw {
namespace {

constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }

constexpr bool IsHexDigit(char c) {
    return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// from_chars reports an out-of-range number without saying in which direction. Estimates the
// power of the number's magnitude (base 10, or base 2 for the hexadecimal form) from its first
// significant digit and its exponent; out-of-range numbers are far from 1 in either direction,
// so the sign of the estimate decides.
bool OverflowsFloat(std::string_view number, bool hex) {
    const char exponentMark = hex ? 'p' : 'e';
    const int bitsPerDigit = hex ? 4 : 1;
    std::int64_t integerDigits = 0;  // digits before the point from the first significant one
    std::int64_t leadingFractionZeros = 0;
    bool significant = false;
    bool afterPoint = false;
    std::int64_t exponent = 0;
    for (std::size_t i = 0; i < number.size(); ++i) {
        const char c = number[i];
        if (c == '.') {
            afterPoint = true;
            continue;
        }
        if (c == exponentMark || c == exponentMark - 32) {
            bool negative = false;
            ++i;
            if (i < number.size() && (number[i] == '+' || number[i] == '-')) {
                negative = number[i] == '-';
                ++i;
            }
            for (; i < number.size() && IsDigit(number[i]); ++i) {
                if (exponent < 1'000'000'000) exponent = exponent * 10 + (number[i] - '0');
            }
            if (negative) exponent = -exponent;
            break;
        }
        if (c != '0') significant = true;
        if (!afterPoint && significant) {
            if (integerDigits < 1'000'000'000) ++integerDigits;
        } else if (afterPoint && !significant && leadingFractionZeros < 1'000'000'000) {
            ++leadingFractionZeros;
        }
    }
    if (!significant) return false;
    const std::int64_t order = integerDigits > 0 ? integerDigits - 1 : -(leadingFractionZeros + 1);
    return order * bitsPerDigit + exponent > 0;
}

}  // namespace

void AppendFixed6(std::string& out, float value) {
    char buffer[64];  // the largest float takes 39 digits, a sign, a point and six decimals
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    if (result.ec == std::errc()) out.append(buffer, result.ptr);
}

void AppendInteger(std::string& out, std::int64_t value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (result.ec == std::errc()) out.append(buffer, result.ptr);
}

bool ScanFloat(std::string_view text, std::size_t& pos, float& value) {
    std::size_t p = pos;
    bool negative = false;
    if (p < text.size() && (text[p] == '+' || text[p] == '-')) {
        negative = text[p] == '-';
        ++p;
    }
    // from_chars takes a minus sign of its own; a second sign is no number.
    if (p >= text.size() || text[p] == '+' || text[p] == '-') return false;
    const char* first = text.data() + p;
    const char* last = text.data() + text.size();

    float magnitude = 0;
    std::from_chars_result result{first, std::errc::invalid_argument};
    bool hex = last - first > 2 && first[0] == '0' && (first[1] == 'x' || first[1] == 'X') &&
               (IsHexDigit(first[2]) || first[2] == '.');
    if (hex) {
        result = std::from_chars(first + 2, last, magnitude, std::chars_format::hex);
        // "0x" followed by no digits reads as the number 0 followed by the letter.
        if (result.ec == std::errc::invalid_argument) hex = false;
    }
    if (!hex) result = std::from_chars(first, last, magnitude, std::chars_format::general);
    if (result.ec == std::errc::invalid_argument) return false;
    if (result.ec == std::errc::result_out_of_range) {
        const std::string_view number(first, static_cast<std::size_t>(result.ptr - first));
        magnitude = OverflowsFloat(hex ? number.substr(2) : number, hex)
                        ? std::numeric_limits<float>::infinity()
                        : 0.0f;
    }
    value = negative ? -magnitude : magnitude;
    pos = static_cast<std::size_t>(result.ptr - text.data());
    return true;
}

bool ScanInt(std::string_view text, std::size_t& pos, std::int32_t& value) {
    std::size_t p = pos;
    bool negative = false;
    if (p < text.size() && (text[p] == '+' || text[p] == '-')) {
        negative = text[p] == '-';
        ++p;
    }
    if (p >= text.size() || !IsDigit(text[p])) return false;
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (; p < text.size() && IsDigit(text[p]); ++p) {
        magnitude = std::min(kLimit, magnitude * 10 + (text[p] - '0'));
    }
    const std::int64_t signedValue = negative ? -magnitude : std::min(magnitude, kLimit - 1);
    value = static_cast<std::int32_t>(signedValue);
    pos = p;
    return true;
}

}  // namespace bw
