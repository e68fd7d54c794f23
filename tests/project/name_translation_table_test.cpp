#include "project/name_translation_table.h"

#include <gtest/gtest.h>

namespace bw {
namespace {

TEST(NameTranslationTableTest, TranslatesTheSevenRenamedObjects) {
    const NameTranslationTable table;
    ASSERT_EQ(table.Entries().size(), 7u);
    EXPECT_EQ(table.Translate("\\Left foot\\Fantasy-TrheeThoes.bwo"),
              "\\Left foot\\Fantasy-ThreeToes.bwo");
    EXPECT_EQ(table.Translate("\\Right foot\\Fantasy-ThreeThose.bwo"),
              "\\Right foot\\Fantasy-ThreeToes.bwo");
    EXPECT_EQ(table.Translate("\\Left foot\\Fantasy-TwoThoes.bwo"),
              "\\Left foot\\Fantasy-TwoToes.bwo");
    EXPECT_EQ(table.Translate("\\Right foot\\Fantasy-TwoThoes.bwo"),
              "\\Right foot\\Fantasy-TwoToes.bwo");
    EXPECT_EQ(table.Translate("\\Left thigh\\MaleSlim.bwo"), "\\Left thigh\\Male-Slim.bwo");
    EXPECT_EQ(table.Translate("\\Right thigh\\Male-Slimm.bwo"), "\\Right thigh\\Male-Slim.bwo");
    EXPECT_EQ(table.Translate("\\Left thigh\\Fantasy-Disk.bwo"), "\\Left thigh\\Fantasy-Disc.bwo");
}

TEST(NameTranslationTableTest, MatchesExactlyExceptForTheSeparator) {
    const NameTranslationTable table;
    EXPECT_EQ(table.Translate("/Left thigh/MaleSlim.bwo"), "\\Left thigh\\Male-Slim.bwo");
    EXPECT_EQ(table.Translate("\\left thigh\\MaleSlim.bwo"), std::nullopt);
    EXPECT_EQ(table.Translate("\\Left thigh\\MaleSlim.bwo "), std::nullopt);
    EXPECT_EQ(table.Translate("\\Left thigh\\Male-Slim.bwo"), std::nullopt);
    EXPECT_EQ(table.Translate(""), std::nullopt);
}

}  // namespace
}  // namespace bw
