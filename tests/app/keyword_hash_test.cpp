#include "app/keyword_hash.h"

#include <gtest/gtest.h>

namespace bw {
namespace {

TEST(KeywordHashTest, GivesTheKeywordHashesInAnyLetterCase) {
    EXPECT_EQ(KeywordHash("BgColor"), 36317u);
    EXPECT_EQ(KeywordHash("ObjectDir"), 87193u);
    EXPECT_EQ(KeywordHash("WireColor"), 92209u);
    EXPECT_EQ(KeywordHash("ProjectDir"), 129722u);
    EXPECT_EQ(KeywordHash("ConvertObjectDir"), 776654u);
    EXPECT_EQ(KeywordHash("ConvertObjectName"), 933482u);
    EXPECT_EQ(KeywordHash("convertobjectname"), 933482u);
    EXPECT_EQ(KeywordHash("CONVERTOBJECTNAME"), 933482u);
    EXPECT_EQ(KeywordHash(""), 0u);
    // Bytes above 127 count as negative; the sum wraps around.
    EXPECT_EQ(KeywordHash("\xff"), static_cast<std::uint32_t>(-1 - 33));
}

}  // namespace
}  // namespace bw
