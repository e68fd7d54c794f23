// Symmetry: copies by file name onto the mirror part, restoring the user's own choices, the
// arrows' directions and the order in which groups are mirrored.
#include <gtest/gtest.h>

#include <filesystem>

#include "select/clear_creature.h"
#include "select/symmetry_operations.h"
#include "select/symmetry_state.h"
#include "selection_fixture.h"

namespace bw::test {
namespace {

constexpr BodyPartId kHead = 0;
constexpr BodyPartId kLeftEar = 1, kRightEar = 2, kLeftEye = 3, kRightEye = 4;
constexpr BodyPartId kLeftArm = 9, kLeftForearm = 10, kLeftHand = 11;
constexpr BodyPartId kRightArm = 12, kRightForearm = 13, kRightHand = 14;
constexpr BodyPartId kLeftThigh = 16, kLeftLeg = 17, kLeftFoot = 18;
constexpr BodyPartId kRightThigh = 19, kRightLeg = 20, kRightFoot = 21;

TEST(SymmetryGroupTest, GroupsPairLeftAndRightPartsOfTheCatalogue) {
    const std::vector<std::vector<std::string>> left = {{"Left ear", "Left eye"},
                                                        {"Left arm", "Left forearm", "Left hand"},
                                                        {"Left thigh", "Left leg", "Left foot"}};
    for (SymmetryGroup g : kSymmetryGroupRows) {
        const SymmetryGroupParts& parts = kSymmetryGroups[SymmetryGroupIndex(g)];
        ASSERT_EQ(parts.count, int(left[SymmetryGroupIndex(g)].size()));
        for (int k = 0; k < parts.count; ++k) {
            EXPECT_EQ(BodyPartName(parts.left[std::size_t(k)]),
                      left[SymmetryGroupIndex(g)][std::size_t(k)]);
            EXPECT_EQ(MirrorBodyPart(parts.left[std::size_t(k)]), parts.right[std::size_t(k)]);
        }
    }
    EXPECT_EQ(kSymmetryGroups[0].label, "Head Features");
    EXPECT_EQ(kSymmetryGroups[1].label, "Upper Limbs");
    EXPECT_EQ(kSymmetryGroups[2].label, "Lower Limbs");
    EXPECT_TRUE(SymmetrySources(static_cast<SymmetryGroup>(3), SymmetryDirection::Right).empty());
    EXPECT_TRUE(SymmetrySources(static_cast<SymmetryGroup>(-1), SymmetryDirection::Left).empty());
}

TEST(SymmetryTest, CopiesByFileNameWithoutRegardToCaseAndKeepsTheTargetsChoice) {
    std::map<BodyPartId, std::vector<std::string>> files;
    files[kLeftArm] = {"Alpha.bwo", "OnlyLeft.bwo", "Slim.bwo"};
    files[kRightArm] = {"Beta.bwo", "slim.BWO"};
    SelectionFixture f(files);
    SymmetryState symmetry(f.selection);
    f.Choose(kRightArm, "Beta.bwo");
    symmetry.TurnOn();  // Beta has no left counterpart: the left arm stays as it is
    EXPECT_EQ(f.LoadedFile(kLeftArm), "");

    f.Choose(kLeftArm, "Slim.bwo");
    EXPECT_EQ(f.Shown(kRightArm), "slim.BWO");
    EXPECT_EQ(f.LoadedFile(kRightArm), "slim.BWO");
    EXPECT_EQ(f.selection.ChosenSelection(kRightArm), 1);  // still the user's "Beta.bwo"

    const PartObject* right = f.creature.FindPartForEdit(kRightArm);
    f.Choose(kLeftArm, "OnlyLeft.bwo");
    EXPECT_EQ(f.Shown(kRightArm), "slim.BWO");
    EXPECT_EQ(f.creature.FindPartForEdit(kRightArm), right);  // untouched, not reloaded
    EXPECT_TRUE(f.notifier.messages.empty());

    // Body parts that are their own mirror are never copied anywhere.
    f.Choose(kHead, kNoFilesEntry);
    EXPECT_EQ(f.notifier.messages.size(), 1u);
}

TEST(SymmetryTest, OffGivesEveryBodyPartItsOwnLastChoice) {
    SelectionFixture f(FileNames{"A.bwo", "B.bwo", "C.bwo"});
    SymmetryState symmetry(f.selection);
    symmetry.TurnOn();
    f.Choose(kLeftArm, "A.bwo");   // copied to the right arm
    f.Choose(kRightLeg, "B.bwo");  // copied to the left leg
    f.Choose(kRightArm, "C.bwo");  // copied back onto the left arm
    f.Choose(kHead, "B.bwo");
    EXPECT_EQ(f.LoadedFile(kLeftArm), "C.bwo");
    EXPECT_EQ(f.LoadedFile(kLeftLeg), "B.bwo");

    symmetry.TurnOff();
    EXPECT_FALSE(symmetry.IsOn());
    EXPECT_EQ(f.LoadedFile(kLeftArm), "A.bwo");
    EXPECT_EQ(f.LoadedFile(kRightArm), "C.bwo");
    EXPECT_EQ(f.LoadedFile(kLeftLeg), "");
    EXPECT_EQ(f.Shown(kLeftLeg), kNoneEntry);
    EXPECT_EQ(f.LoadedFile(kRightLeg), "B.bwo");
    EXPECT_EQ(f.LoadedFile(kHead), "B.bwo");
    for (BodyPartId i = 0; i < kBodyPartCount; ++i)
        EXPECT_EQ(f.List(i).CurrentIndex(), f.selection.ChosenSelection(i)) << BodyPartName(i);

    // With symmetry off a choice stays on its own side.
    f.Choose(kLeftEar, "A.bwo");
    EXPECT_EQ(f.LoadedFile(kRightEar), "");
}

// A part's file, adjustments and points, as bytes.
std::string PartBytes(const Creature& creature, BodyPartId bodyPart) {
    const std::optional<TypeCode> code = TypeCodeOfBodyPart(bodyPart);
    const PartObject* part = code ? creature.PartOfTypeCode(*code) : nullptr;
    if (!part) return "none";
    std::string out = part->Name();
    out.append(reinterpret_cast<const char*>(&part->adjustments), sizeof part->adjustments);
    const auto& points = part->TransformedPoints();
    out.append(reinterpret_cast<const char*>(points.data()), points.size() * sizeof points[0]);
    return out;
}

TEST(SymmetryTest, OffGivesBackWhatOnReplacedFromMemoryAndKeepsWhatTheUserChanged) {
    SelectionFixture f(FileNames{"A.bwo", "B.bwo"});
    SymmetryState symmetry(f.selection);
    // Only one side chosen, adjusted: "On" copies the other, empty side over one of them.
    f.Choose(kRightArm, "A.bwo");
    f.Choose(kLeftLeg, "B.bwo");
    for (BodyPartId id : {kRightArm, kLeftLeg}) {
        PartObject* part = f.creature.PartOfTypeCode(*TypeCodeOfBodyPart(id));
        ASSERT_NE(part, nullptr);
        part->adjustments.scaleValue[0] = 0.25f;
        f.creature.ApplyAdjustments(part);
    }
    std::array<std::string, kBodyPartCount> before;
    for (BodyPartId id = 0; id < kBodyPartCount; ++id)
        before[std::size_t(id)] = PartBytes(f.creature, id);

    symmetry.TurnOn();
    ASSERT_NE(PartBytes(f.creature, kRightArm) + PartBytes(f.creature, kLeftArm),
              before[kRightArm] + before[kLeftArm]);
    // No file is read to give the parts back.
    for (const auto& entry : std::filesystem::directory_iterator(f.directory.Path()))
        std::filesystem::remove_all(entry.path());
    symmetry.TurnOff();
    for (BodyPartId id = 0; id < kBodyPartCount; ++id)
        EXPECT_EQ(PartBytes(f.creature, id), before[std::size_t(id)]) << BodyPartName(id);
    EXPECT_TRUE(f.notifier.messages.empty());
    for (BodyPartId i = 0; i < kBodyPartCount; ++i)
        EXPECT_EQ(f.List(i).CurrentIndex(), f.selection.ChosenSelection(i)) << BodyPartName(i);

    // A part the user adjusted while symmetry was on keeps the adjustment.
    symmetry.TurnOn();
    std::vector<BodyPartId> adjusted;
    for (BodyPartId id : {kLeftArm, kRightArm, kLeftLeg, kRightLeg}) {
        PartObject* part = f.creature.PartOfTypeCode(*TypeCodeOfBodyPart(id));
        if (!part) continue;
        part->adjustments.scaleValue[1] = 0.5f;
        f.creature.ApplyAdjustments(part);
        adjusted.push_back(id);
    }
    ASSERT_FALSE(adjusted.empty());
    symmetry.TurnOff();
    for (BodyPartId id : adjusted) {
        const PartObject* part = f.creature.PartOfTypeCode(*TypeCodeOfBodyPart(id));
        ASSERT_NE(part, nullptr) << BodyPartName(id);
        EXPECT_EQ(part->adjustments.scaleValue[1], 0.5f) << BodyPartName(id);
    }
}

TEST(SymmetryTest, ArrowsWhileOffOnlyRecordTheDirectionWhichOnThenUses) {
    SelectionFixture f(FileNames{"A.bwo", "B.bwo"});
    SymmetryState symmetry(f.selection);
    for (BodyPartId left : {kLeftEar, kLeftArm, kLeftThigh}) f.Choose(left, "A.bwo");
    for (BodyPartId right : {kRightEar, kRightArm, kRightThigh}) f.Choose(right, "B.bwo");
    const int repaints = f.repaints;
    f.shownLog.clear();

    symmetry.ChooseDirection(SymmetryGroup::UpperLimbs, SymmetryDirection::Left);
    EXPECT_TRUE(symmetry.LeftArrowChecked(SymmetryGroup::UpperLimbs));
    EXPECT_FALSE(symmetry.RightArrowChecked(SymmetryGroup::UpperLimbs));
    EXPECT_TRUE(symmetry.RightArrowChecked(SymmetryGroup::HeadFeatures));
    EXPECT_FALSE(symmetry.LabelsEnabled());
    EXPECT_TRUE(f.shownLog.empty());
    EXPECT_EQ(f.repaints, repaints);
    EXPECT_EQ(f.LoadedFile(kRightArm), "B.bwo");

    symmetry.TurnOn();
    EXPECT_TRUE(symmetry.LabelsEnabled());
    EXPECT_EQ(f.LoadedFile(kRightArm), "A.bwo");  // "<<": left onto right
    EXPECT_EQ(f.LoadedFile(kLeftArm), "A.bwo");
    EXPECT_EQ(f.LoadedFile(kLeftEar), "B.bwo");  // ">>": right onto left
    EXPECT_EQ(f.LoadedFile(kLeftThigh), "B.bwo");

    // While on, an arrow mirrors its group at once, first undoing the copy onto the new source.
    symmetry.ChooseDirection(SymmetryGroup::UpperLimbs, SymmetryDirection::Right);
    EXPECT_EQ(f.LoadedFile(kRightArm), "B.bwo");
    EXPECT_EQ(f.LoadedFile(kLeftArm), "B.bwo");
    EXPECT_EQ(symmetry.Direction(SymmetryGroup::UpperLimbs), SymmetryDirection::Right);
}

TEST(SymmetryTest, OnAndAllMirrorTheGroupsInTheirOrder) {
    SelectionFixture f(FileNames{"A.bwo", "B.bwo"});
    SymmetryState symmetry(f.selection);
    for (BodyPartId i = 0; i < kBodyPartCount; ++i) f.Choose(i, "A.bwo");
    f.shownLog.clear();
    symmetry.TurnOn();  // Head Features, Upper Limbs, Lower Limbs; ">>" copies onto the left
    EXPECT_EQ(f.shownLog, (std::vector<BodyPartId>{kLeftEar, kLeftEye, kLeftArm, kLeftForearm,
                                                   kLeftHand, kLeftThigh, kLeftLeg, kLeftFoot}));

    f.shownLog.clear();
    symmetry.ChooseDirectionForAll(
        SymmetryDirection::Left);  // Head Features, Lower Limbs, Upper Limbs
    EXPECT_EQ(f.shownLog,
              (std::vector<BodyPartId>{kRightEar, kRightEye, kRightThigh, kRightLeg, kRightFoot,
                                       kRightArm, kRightForearm, kRightHand}));
    for (SymmetryGroup g : kSymmetryGroupRows)
        EXPECT_EQ(symmetry.Direction(g), SymmetryDirection::Left);
}

TEST(SymmetryTest, RestoreSurvivesChoicesOutsideTheLists) {
    SelectionFixture f(FileNames{"A.bwo"});
    f.selection.SetChosenSelection(kHead, 7);  // beyond the list, e.g. after a directory change
    f.selection.SetChosenSelection(kLeftArm, -1);
    RestoreChosenSelections(f.selection);
    EXPECT_EQ(f.List(kHead).CurrentIndex(), -1);
    EXPECT_EQ(f.LoadedFile(kHead), "");
    EXPECT_EQ(f.notifier.messages.size(), 2u);  // the creature refuses both loads
    MirrorPart(f.selection, kLeftArm);          // nothing to copy from a list showing nothing
    EXPECT_EQ(f.Shown(kRightArm), kNoneEntry);
}

TEST(ClearCreatureTest, RemovesEveryPartLockedOrNotWithoutMirroring) {
    SelectionFixture f(FileNames{"A.bwo", "B.bwo"});
    SymmetryState symmetry(f.selection);
    for (BodyPartId i = 0; i < kBodyPartCount; ++i) f.Choose(i, "B.bwo");
    f.List(kLeftArm).locked = true;
    symmetry.TurnOn();
    const int repaints = f.repaints;
    ClearCreature(f.selection);
    EXPECT_EQ(f.creature.PartCount(), 0);
    for (BodyPartId i = 0; i < kBodyPartCount; ++i) {
        EXPECT_EQ(f.List(i).CurrentIndex(), 0);
        EXPECT_EQ(f.selection.ChosenSelection(i), 0);
    }
    EXPECT_GT(f.repaints, repaints);
    EXPECT_TRUE(f.notifier.messages.empty());
    symmetry.TurnOff();  // nothing left to give back
    EXPECT_EQ(f.creature.PartCount(), 0);
}

}  // namespace
}  // namespace bw::test
