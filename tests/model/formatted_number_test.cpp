#include "model/formatted_number.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>

namespace bw {
namespace {

std::string Fixed(float value) {
    std::string out;
    AppendFixed6(out, value);
    return out;
}

// The value read and how many characters it took; -1 when no number was read.
std::pair<float, int> Scan(std::string_view text) {
    std::size_t pos = 0;
    float value = 12345;
    if (!ScanFloat(text, pos, value)) return {value, -1};
    return {value, static_cast<int>(pos)};
}

TEST(FormattedNumberTest, FixedHasSixDecimalsAndCFormsOfSpecialValues) {
    EXPECT_EQ(Fixed(0.01f), "0.010000");
    EXPECT_EQ(Fixed(-0.5f), "-0.500000");
    // The same text as "%f" under the "C" locale the tests run in.
    for (const float value : {std::numeric_limits<float>::max(), -std::numeric_limits<float>::min(),
                              1e-7f, 5e-7f, 0.1f, 123456.789f, 16777217.0f}) {
        char expected[64];
        std::snprintf(expected, sizeof expected, "%f", static_cast<double>(value));
        EXPECT_EQ(Fixed(value), expected);
    }
    EXPECT_EQ(Fixed(std::numeric_limits<float>::infinity()), "inf");
    EXPECT_EQ(Fixed(-std::numeric_limits<float>::quiet_NaN()), "-nan");
}

TEST(FormattedNumberTest, ScanFloatTakesWhatFormattedInputTakes) {
    EXPECT_EQ(Scan("0.25 rest"), std::make_pair(0.25f, 4));
    EXPECT_EQ(Scan("+.5e1x"), std::make_pair(5.0f, 5));
    EXPECT_EQ(Scan("-0x1.8p1"), std::make_pair(-3.0f, 8));
    EXPECT_EQ(Scan("0x"), std::make_pair(0.0f, 1));
    EXPECT_EQ(Scan("0,5"), std::make_pair(0.0f, 1));
    EXPECT_EQ(Scan("-Infinity"), std::make_pair(-std::numeric_limits<float>::infinity(), 9));
    EXPECT_TRUE(std::isnan(Scan("nan(7)").first));
    EXPECT_EQ(Scan("+-1").second, -1);
    EXPECT_EQ(Scan(" 1").second, -1);
    EXPECT_EQ(Scan("-").second, -1);
    EXPECT_EQ(Scan("x").first, 12345.0f);
}

TEST(FormattedNumberTest, ScanFloatSaturatesOutOfRangeNumbers) {
    EXPECT_EQ(Scan("1e39").first, std::numeric_limits<float>::infinity());
    EXPECT_EQ(Scan("-1e400").first, -std::numeric_limits<float>::infinity());
    EXPECT_EQ(Scan("0.0000000001e-40").first, 0.0f);
    EXPECT_EQ(Scan("1" + std::string(400, '0')).first, std::numeric_limits<float>::infinity());
    EXPECT_EQ(Scan("0." + std::string(400, '0') + "1").first, 0.0f);
    EXPECT_EQ(Scan("100000e-10000000000000").first, 0.0f);
    EXPECT_EQ(Scan("0x1p200").first, std::numeric_limits<float>::infinity());
    EXPECT_TRUE(std::signbit(Scan("-1e-50").first));
}

TEST(FormattedNumberTest, ScanIntSaturatesAtThe32BitEnds) {
    std::size_t pos = 0;
    std::int32_t value = 0;
    EXPECT_TRUE(ScanInt("-2147483649x", pos, value));
    EXPECT_EQ(value, std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(pos, 11u);
    pos = 0;
    EXPECT_TRUE(ScanInt("+99999999999999999999999", pos, value));
    EXPECT_EQ(value, std::numeric_limits<std::int32_t>::max());
    pos = 0;
    EXPECT_FALSE(ScanInt("- 1", pos, value));
    EXPECT_EQ(pos, 0u);
}

}  // namespace
}  // namespace bw
