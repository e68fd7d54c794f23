// The colour controls' arithmetic: positions, typed values and slider steps.
#include "converter/colour_controls.h"

#include <gtest/gtest.h>

namespace bw::test {
namespace {

TEST(ColourControls, TypedValuesAreReadLikeTheDecimalConversionAndClamped) {
    EXPECT_EQ(ValueFieldNumber("300"), 256);
    EXPECT_EQ(ClampToSlider(ValueFieldNumber("300")), 255);
    EXPECT_EQ(ValueFieldNumber("  42abc"), 42);
    EXPECT_EQ(ValueFieldNumber("+7"), 7);
    EXPECT_EQ(ValueFieldNumber("-5"), 0);
    EXPECT_EQ(ValueFieldNumber("abc"), 0);
    EXPECT_EQ(ValueFieldNumber(""), 0);
    EXPECT_EQ(ValueFieldNumber("99999999999999999999999"), 256);
}

TEST(ColourControls, PositionsAndComponents) {
    EXPECT_EQ(ComponentOfPosition(255), 255 * 0.003921569f);
    EXPECT_EQ(PositionOfComponent(1.0f), 255);
    EXPECT_EQ(PositionOfComponent(0.5f), 127);
    EXPECT_EQ(PositionOfComponent(ComponentOfPosition(180)), 180);
    EXPECT_EQ(PositionOfComponent(-0.1f), 0);
    EXPECT_EQ(PositionOfComponent(7.0f), 255);
}

TEST(ColourControls, StepsMoveByOneAndStayOnTheSlider) {
    EXPECT_EQ(ClampToSlider(PositionAfterStep(SliderStep::LineLeft, 0, 0)), 0);
    EXPECT_EQ(PositionAfterStep(SliderStep::PageRight, 10, 0), 11);
    EXPECT_EQ(PositionAfterStep(SliderStep::PageLeft, 10, 0), 9);
    EXPECT_EQ(PositionAfterStep(SliderStep::Thumb, 10, 77), 77);
    EXPECT_EQ(PositionAfterStep(SliderStep::Other, 10, 77), 10);
    EXPECT_EQ(ClampToSlider(PositionAfterStep(SliderStep::LineRight, 255, 0)), 255);
    EXPECT_EQ(PresetPosition(1), 180);
    EXPECT_FALSE(PresetPosition(0));
    EXPECT_EQ(PresetName(1), "Beastwright Gray");
}

}  // namespace
}  // namespace bw::test
