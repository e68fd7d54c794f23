// The Edit Parts page's event logic over a real creature: the no-part state, stepping through
// the Object list, relative Adjust bars with stored positions per lock, the edits, and
// "Clear current settings".
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
constexpr BodyPartId kHead = 0;
constexpr int kX = ScaleIndex(kScaleNone, 0);
constexpr int kPositiveX = ScaleIndex(kScalePositive, 0);

std::vector<Vec3f> Points(const PartObject& part) {
    return {part.TransformedPoints().begin(), part.TransformedPoints().end()};
}
std::vector<Vec3f> BasePoints(const PartObject& part) {
    return {part.BasePoints().begin(), part.BasePoints().end()};
}

class PartAdjustmentEditorTest : public ::testing::Test {
  protected:
    PartAdjustmentEditorTest() {
        // A box away from the origin, so that every scale and taper value moves points.
        ObjectFileContents c;
        for (int i = 0; i < 8; ++i)
            c.points.push_back({(i & 1) ? 1.5f : 0.5f, (i & 2) ? -1.0f : -3.0f, (i & 4) ? 0.4f : 0.2f});
        const std::string path = dir.Write("thigh.bwo", test::Encode(c));
        EXPECT_TRUE(creature.AddPart("Left thigh", path, kLeftThigh));
        EXPECT_TRUE(creature.AddPart("Head", dir.Write("head.bwo", test::Encode(c)), kHead));
        thigh = creature.PartOfTypeCode(*TypeCodeOfBodyPart(kLeftThigh));
        head = creature.PartOfTypeCode(*TypeCodeOfBodyPart(kHead));
    }
    const AdjustGroupView& Shown(AdjustGroup g) const { return editor.View().groups[std::size_t(g)]; }

    test::TemporaryDirectory dir;
    test::RecordingNotifier notifier;
    Creature creature{notifier};
    PartObject* thigh = nullptr;
    PartObject* head = nullptr;
    int repaints = 0;
    PartAdjustmentEditor editor{creature, [this] { ++repaints; }};
};

TEST_F(PartAdjustmentEditorTest, NoPartStateForNoneAndForAnAbsentBodyPart) {
    const PartAdjustments untouched = thigh->adjustments;
    for (int entry : {0, 2 /* Left ear: not in the creature */}) {
        head->highlight = 1;
        const int before = repaints;
        editor.SelectEntry(entry);
        const EditPartsView& v = editor.View();
        EXPECT_FALSE(v.partControlsEnabled);
        for (const AdjustGroupView& g : v.groups) {
            EXPECT_EQ(g.valueText, "0.0");
            EXPECT_EQ(g.stepText, "0.01");
            EXPECT_EQ(g.barPosition, 0);
        }
        EXPECT_EQ(v.groups[kGroupTaper].lock, 0);
        EXPECT_EQ(head->highlight, 0);
        EXPECT_EQ(thigh->highlight, 0);
        EXPECT_EQ(repaints, before + 1);
        // Without a part the bars and edits change nothing.
        editor.Adjust(kGroupX, AdjustAction::LineRight);
        editor.EditValue(kGroupX, "2");
        EXPECT_EQ(repaints, before + 1);
        EXPECT_EQ(thigh->adjustments, untouched);
    }
}

TEST_F(PartAdjustmentEditorTest, ObjectEntriesStepAndClampAtBothEnds) {
    editor.SelectEntry(5);
    editor.SpinStep(-1);  // the spin's upper arrow reports a negative change
    EXPECT_EQ(editor.View().entry, 4);
    editor.SpinStep(3);
    EXPECT_EQ(editor.View().entry, 5);
    editor.SelectEntry(22);
    editor.StepEntry(+1);
    EXPECT_EQ(editor.View().entry, 22);
    editor.SelectEntry(0);
    editor.StepEntry(-1);
    EXPECT_EQ(editor.View().entry, 0);
    editor.SelectEntry(99);
    EXPECT_EQ(editor.View().entry, 22);
}

TEST_F(PartAdjustmentEditorTest, SelectingAPartShowsItsSettingsAndHighlightsOnlyIt) {
    thigh->adjustments.scaleLock[0] = kScalePositive;
    thigh->adjustments.scaleValue[kPositiveX] = 0.25f;
    thigh->adjustments.adjustPosition[kPositiveX] = 70;  // beyond the bar's end
    thigh->adjustments.sliderStep[1] = 0.5f;
    thigh->adjustments.taperLock = 2;
    thigh->adjustments.taperValue[2] = -1.5f;
    head->highlight = 1;
    editor.SelectEntry(kThighEntry);
    const EditPartsView& v = editor.View();
    EXPECT_TRUE(v.partControlsEnabled);
    EXPECT_EQ(v.groups[kGroupX].lock, kScalePositive);
    EXPECT_EQ(v.groups[kGroupX].valueText, "0.250000");
    EXPECT_EQ(v.groups[kGroupX].barPosition, 50);
    EXPECT_EQ(v.groups[kGroupY].stepText, "0.500000");
    EXPECT_EQ(v.groups[kGroupTaper].lock, 2);
    EXPECT_EQ(v.groups[kGroupTaper].valueText, "-1.500000");
    EXPECT_EQ(thigh->highlight, 1);
    EXPECT_EQ(head->highlight, 0);
}

TEST_F(PartAdjustmentEditorTest, AdjustBarsMoveRelativelyFromTheStoredPosition) {
    editor.SelectEntry(kThighEntry);
    const std::vector<Vec3f> base = BasePoints(*thigh);
    for (int k = 0; k < 3; ++k) editor.Adjust(kGroupX, AdjustAction::LineRight);
    EXPECT_EQ(thigh->adjustments.adjustPosition[kX], 3);
    EXPECT_FLOAT_EQ(thigh->adjustments.scaleValue[kX], -0.03f);
    EXPECT_EQ(Shown(kGroupX).valueText, "-0.030000");
    EXPECT_EQ(Shown(kGroupX).barPosition, 3);
    EXPECT_NE(Points(*thigh), base);  // applied at once

    editor.Adjust(kGroupX, AdjustAction::ThumbTrack, -10);
    EXPECT_FLOAT_EQ(thigh->adjustments.scaleValue[kX], 0.10f);
    EXPECT_EQ(Shown(kGroupX).valueText, "0.100000");
    EXPECT_EQ(Shown(kGroupX).barPosition, -10);

    editor.Adjust(kGroupX, AdjustAction::PageRight);
    EXPECT_EQ(thigh->adjustments.adjustPosition[kX], -6);
    EXPECT_FLOAT_EQ(thigh->adjustments.scaleValue[kX], 0.06f);

    // Past the bar's end the thumb stays, the stored position and the value go on.
    editor.Adjust(kGroupX, AdjustAction::ThumbTrack, 50);
    editor.Adjust(kGroupX, AdjustAction::LineRight);
    EXPECT_EQ(Shown(kGroupX).barPosition, 50);
    EXPECT_EQ(thigh->adjustments.adjustPosition[kX], 51);
    EXPECT_FLOAT_EQ(thigh->adjustments.scaleValue[kX], -0.51f);
    editor.Adjust(kGroupX, AdjustAction::LineLeft);
    EXPECT_EQ(Shown(kGroupX).barPosition, 50);
    EXPECT_FLOAT_EQ(thigh->adjustments.scaleValue[kX], -0.50f);

    // Events that do not move the thumb still recompute the part.
    const std::vector<Vec3f> adjusted = Points(*thigh);
    thigh->TransformedPoints()[0] = {9, 9, 9};
    const int before = repaints;
    editor.Adjust(kGroupX, AdjustAction::Other);
    EXPECT_EQ(Points(*thigh), adjusted);
    EXPECT_EQ(repaints, before + 1);
    EXPECT_FLOAT_EQ(thigh->adjustments.scaleValue[kX], -0.50f);
}

TEST_F(PartAdjustmentEditorTest, EachLockHasItsOwnValueAndPositionAndSwitchingKeepsTheMesh) {
    editor.SelectEntry(kThighEntry);
    editor.Adjust(kGroupX, AdjustAction::PageLeft);  // None: position -4, value 0.04
    const std::vector<Vec3f> mesh = Points(*thigh);
    const int before = repaints;

    editor.ClickLock(kGroupX, kScalePositive);
    EXPECT_EQ(thigh->adjustments.scaleLock[0], kScalePositive);
    EXPECT_EQ(Shown(kGroupX).lock, kScalePositive);
    EXPECT_EQ(Shown(kGroupX).valueText, "0.000000");
    EXPECT_EQ(Shown(kGroupX).barPosition, 0);
    EXPECT_EQ(Points(*thigh), mesh);
    EXPECT_EQ(repaints, before);

    editor.Adjust(kGroupX, AdjustAction::LineLeft);
    EXPECT_FLOAT_EQ(thigh->adjustments.scaleValue[kPositiveX], 0.01f);
    EXPECT_FLOAT_EQ(thigh->adjustments.scaleValue[kX], 0.04f);
    editor.ClickLock(kGroupX, kScaleNone);
    EXPECT_EQ(Shown(kGroupX).valueText, "0.040000");
    EXPECT_EQ(Shown(kGroupX).barPosition, -4);

    editor.ClickLock(kGroupTaper, 1);
    EXPECT_EQ(thigh->adjustments.taperLock, 1);
    editor.ClickLock(kGroupY, 3);  // no such radio
    EXPECT_EQ(thigh->adjustments.scaleLock[1], 0);
}

TEST_F(PartAdjustmentEditorTest, EditsReadNumbersIgnoringTheLocaleAndTrailingText) {
    editor.SelectEntry(kThighEntry);
    const std::vector<Vec3f> base = BasePoints(*thigh);
    const struct {
        const char* text;
        float value;
    } cases[] = {{"  0.5kg", 0.5f}, {"-2e-1", -0.2f}, {"0,75", 0.0f}, {"abc", 0.0f},
                 {"", 0.0f},        {"nan", 0.0f},   {"inf", 0.0f},   {"1e39", 0.0f}};
    for (const auto& c : cases) {
        editor.EditValue(kGroupY, "0.3");
        editor.EditValue(kGroupY, c.text);
        EXPECT_EQ(thigh->adjustments.scaleValue[ScaleIndex(kScaleNone, 1)], c.value) << c.text;
        EXPECT_EQ(Shown(kGroupY).valueText, c.text);  // the edit keeps what was typed
    }
    EXPECT_EQ(Points(*thigh), base);  // the value read last (0) was applied

    editor.EditStep(kGroupZ, "0.25");
    EXPECT_EQ(Points(*thigh), base);  // a step alone recomputes nothing
    editor.Adjust(kGroupZ, AdjustAction::LineRight);
    EXPECT_FLOAT_EQ(thigh->adjustments.scaleValue[ScaleIndex(kScaleNone, 2)], -0.25f);
    EXPECT_EQ(Shown(kGroupZ).stepText, "0.25");
}

TEST_F(PartAdjustmentEditorTest, ClearCurrentSettingsLosesTheTaperAxis) {
    editor.SelectEntry(kThighEntry);
    EXPECT_EQ(thigh->adjustments.taperAxis, -2);
    editor.ClickLock(kGroupX, kScaleNegative);
    editor.Adjust(kGroupX, AdjustAction::PageRight);
    editor.EditStep(kGroupY, "3");
    editor.EditValue(kGroupTaper, "0.5");
    ASSERT_NE(Points(*thigh), BasePoints(*thigh));
    thigh->highlight = 0;

    editor.ClearCurrentSettings();
    PartAdjustments defaults;
    EXPECT_EQ(thigh->adjustments, defaults);  // taperAxis 0 included
    EXPECT_EQ(thigh->highlight, 1);
    EXPECT_EQ(Points(*thigh), BasePoints(*thigh));
    for (const AdjustGroupView& g : editor.View().groups) {
        EXPECT_EQ(g.lock, 0);
        EXPECT_EQ(g.valueText, "0.000000");
        EXPECT_EQ(g.stepText, "0.010000");
        EXPECT_EQ(g.barPosition, 0);
    }
    editor.EditValue(kGroupTaper, "0.8");
    EXPECT_EQ(Points(*thigh), BasePoints(*thigh));  // no longer tapered

    editor.SelectEntry(2);
    editor.ClearCurrentSettings();  // nothing to clear: the no-part state
    EXPECT_FALSE(editor.View().partControlsEnabled);
    EXPECT_EQ(thigh->highlight, 0);
}

TEST_F(PartAdjustmentEditorTest, StoredSettingsFromOutsideNeverLeaveTheirRanges) {
    // Locks, positions and values as a project file may hold them.
    thigh->adjustments.scaleLock[0] = 7;
    thigh->adjustments.taperLock = -1;
    thigh->adjustments.adjustPosition[kX] = std::numeric_limits<std::int32_t>::max();
    thigh->adjustments.scaleValue[kX] = 3e38f;
    thigh->adjustments.sliderStep[0] = 2e38f;
    editor.SelectEntry(kThighEntry);
    EXPECT_EQ(Shown(kGroupX).lock, 0);
    EXPECT_EQ(Shown(kGroupTaper).lock, 0);

    editor.Adjust(kGroupX, AdjustAction::LineRight);  // already at the largest position
    EXPECT_EQ(thigh->adjustments.adjustPosition[kX], std::numeric_limits<std::int32_t>::max());
    EXPECT_FLOAT_EQ(thigh->adjustments.scaleValue[kX], 3e38f);
    editor.Adjust(kGroupX, AdjustAction::PageLeft);  // 3e38 + 4 * 2e38 leaves the float range
    EXPECT_EQ(thigh->adjustments.scaleValue[kX], std::numeric_limits<float>::max());
}

}  // namespace
}  // namespace bw
