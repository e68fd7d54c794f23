// The Edit Parts logic where the page's widget tests cannot reach: events without a part,
// relative moves past the bar's ends, locks keeping their own slots, how edits read numbers,
// and settings from a project file that lie outside their ranges.
#include "edit/part_adjustment_editor.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "support/object_file_builder.h"
#include "support/recording_notifier.h"

namespace bw {
namespace {

constexpr BodyPartId kLeftThigh = 16;
constexpr int kThighEntry = kLeftThigh + 1;
constexpr int kX = ScaleIndex(kScaleNone, 0);
constexpr int kPositiveX = ScaleIndex(kScalePositive, 0);

class PartAdjustmentEditorTest : public ::testing::Test {
  protected:
    PartAdjustmentEditorTest() {
        // A box away from the origin, so that every scale value moves points.
        ObjectFileContents c;
        for (int i = 0; i < 8; ++i)
            c.points.push_back(
                {(i & 1) ? 1.5f : 0.5f, (i & 2) ? -1.0f : -3.0f, (i & 4) ? 0.4f : 0.2f});
        EXPECT_TRUE(
            creature.AddPart("Left thigh", dir.Write("t.bwo", test::Encode(c)), kLeftThigh));
        thigh = creature.Part(0);
    }
    const AdjustGroupView& Shown(AdjustGroup g) const {
        return editor.View().groups[GroupIndex(g)];
    }
    std::vector<Vec3f> Points() const {
        return {thigh->TransformedPoints().begin(), thigh->TransformedPoints().end()};
    }

    test::TemporaryDirectory dir;
    test::RecordingNotifier notifier;
    Creature creature{notifier};
    PartObject* thigh = nullptr;
    int repaints = 0;
    PartAdjustmentEditor editor{creature, [this] { ++repaints; }};
};

TEST_F(PartAdjustmentEditorTest, WithoutAPartEventsChangeNothingButTheChecks) {
    const PartAdjustments untouched = thigh->adjustments;
    for (int entry : {0, 2 /* Left ear: not in the creature */}) {
        thigh->highlight = 1;
        editor.SelectEntry(entry);
        EXPECT_FALSE(editor.View().partControlsEnabled);
        EXPECT_EQ(thigh->highlight, 0);
        const int before = repaints;
        editor.Adjust(AdjustGroup::X, AdjustAction::LineRight);
        editor.EditValue(AdjustGroup::X, "2");
        editor.EditStep(AdjustGroup::X, "2");
        editor.ClickLock(AdjustGroup::Y, kScaleNegative);
        EXPECT_EQ(repaints, before);
        EXPECT_EQ(thigh->adjustments, untouched);
        EXPECT_EQ(Shown(AdjustGroup::Y).lock, kScaleNegative);  // the radio is checked all the same
        editor.ClearCurrentSettings();
        EXPECT_FALSE(editor.View().partControlsEnabled);
        EXPECT_EQ(Shown(AdjustGroup::X).valueText, "0.0");
    }
}

TEST_F(PartAdjustmentEditorTest, BarsMovePastTheirEndsAndEachLockKeepsItsOwnSlot) {
    editor.SelectEntry(kThighEntry);
    editor.Adjust(AdjustGroup::X, AdjustAction::PageRight);
    EXPECT_EQ(thigh->adjustments.adjustPosition[kX], 4);
    EXPECT_FLOAT_EQ(thigh->adjustments.scaleValue[kX], -0.04f);

    editor.Adjust(AdjustGroup::X, AdjustAction::ThumbTrack,
                  80);  // reported beyond the bar: its end
    editor.Adjust(AdjustGroup::X, AdjustAction::LineRight);
    editor.Adjust(AdjustGroup::X, AdjustAction::LineRight);
    editor.Adjust(AdjustGroup::X, AdjustAction::LineLeft);
    EXPECT_EQ(thigh->adjustments.adjustPosition[kX], 51);
    EXPECT_EQ(Shown(AdjustGroup::X).barPosition, 50);
    EXPECT_FLOAT_EQ(thigh->adjustments.scaleValue[kX], -0.51f);

    // Events that do not move the thumb still recompute the part.
    const std::vector<Vec3f> adjusted = Points();
    thigh->TransformedPoints()[0] = {9, 9, 9};
    editor.Adjust(AdjustGroup::X, AdjustAction::Other);
    EXPECT_EQ(Points(), adjusted);
    EXPECT_EQ(thigh->adjustments.adjustPosition[kX], 51);

    editor.ClickLock(AdjustGroup::X, kScalePositive);
    editor.Adjust(AdjustGroup::X, AdjustAction::LineLeft);
    EXPECT_FLOAT_EQ(thigh->adjustments.scaleValue[kPositiveX], 0.01f);
    EXPECT_EQ(thigh->adjustments.adjustPosition[kPositiveX], -1);
    EXPECT_FLOAT_EQ(thigh->adjustments.scaleValue[kX], -0.51f);
    editor.ClickLock(AdjustGroup::Taper, 2);
    EXPECT_EQ(thigh->adjustments.taperLock, 2);
    editor.ClickLock(AdjustGroup::Y, 3);  // no such radio
    EXPECT_EQ(thigh->adjustments.scaleLock[1], 0);
}

TEST_F(PartAdjustmentEditorTest, EditsReadNumbersIgnoringTheLocaleAndTrailingText) {
    editor.SelectEntry(kThighEntry);
    const struct {
        const char* text;
        float value;
    } cases[] = {{"  0.5kg", 0.5f}, {"-2e-1", -0.2f}, {"0,75", 0.0f}, {"abc", 0.0f},
                 {"", 0.0f},        {"nan", 0.0f},    {"inf", 0.0f},  {"1e39", 0.0f}};
    for (const auto& c : cases) {
        editor.EditValue(AdjustGroup::Y, "0.3");
        editor.EditValue(AdjustGroup::Y, c.text);
        EXPECT_EQ(thigh->adjustments.scaleValue[ScaleIndex(kScaleNone, 1)], c.value) << c.text;
        EXPECT_EQ(Shown(AdjustGroup::Y).valueText, c.text);  // the edit keeps what was typed
        editor.EditStep(AdjustGroup::Z, c.text);
        EXPECT_EQ(thigh->adjustments.sliderStep[2], c.value) << c.text;
    }
}

TEST_F(PartAdjustmentEditorTest, StoredSettingsFromOutsideNeverLeaveTheirRanges) {
    // Locks, positions and values as a project file may hold them.
    thigh->adjustments.scaleLock[0] = 7;
    thigh->adjustments.taperLock = -1;
    thigh->adjustments.adjustPosition[kX] = std::numeric_limits<std::int32_t>::max();
    thigh->adjustments.scaleValue[kX] = 3e38f;
    thigh->adjustments.sliderStep[0] = 2e38f;
    editor.SelectEntry(kThighEntry);
    EXPECT_EQ(Shown(AdjustGroup::X).lock, 0);
    EXPECT_EQ(Shown(AdjustGroup::X).barPosition, 50);
    EXPECT_EQ(Shown(AdjustGroup::Taper).lock, 0);

    editor.Adjust(AdjustGroup::X, AdjustAction::LineRight);  // already at the largest position
    EXPECT_EQ(thigh->adjustments.adjustPosition[kX], std::numeric_limits<std::int32_t>::max());
    EXPECT_FLOAT_EQ(thigh->adjustments.scaleValue[kX], 3e38f);
    editor.Adjust(AdjustGroup::X,
                  AdjustAction::PageLeft);  // 3e38 + 4 * 2e38 leaves the float range
    EXPECT_EQ(thigh->adjustments.scaleValue[kX], std::numeric_limits<float>::max());
}

}  // namespace
}  // namespace bw
