// Numbers in text files as formatted C input and output write and read them under the "C"
// locale: "%d" integers and "%f" floats with six decimals and a full stop. Nothing here looks at
// the process's locale, so a German or French desktop writes and reads the same bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace bw {

// The white space of formatted input: blank, tab, line feed, vertical tab, form feed, CR.
constexpr bool IsTextSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Appends `value` as "%f" does: fixed point, six decimals, "inf", "-inf", "nan" or "-nan".
void AppendFixed6(std::string& out, float value);

// Appends `value` as "%d" does.
void AppendInteger(std::string& out, std::int64_t value);

// Reads a number starting exactly at text[pos] (no white space is skipped) with the leniency of
// "%f": optional sign, decimal digits with optional point and exponent, a "0x" hexadecimal form,
// "inf", "infinity" and "nan" in any case. A value too large for a float becomes an infinity, one
// too small a zero. True, with `pos` just past the number, when a number was read; false, with
// `pos` and `value` unchanged, when the text there does not start with one.
bool ScanFloat(std::string_view text, std::size_t& pos, float& value);

// Reads an integer starting exactly at text[pos] like "%d": optional sign and decimal digits.
// Values beyond the 32-bit range saturate at its ends. Same result convention as ScanFloat.
bool ScanInt(std::string_view text, std::size_t& pos, std::int32_t& value);

}  // namespace bw
