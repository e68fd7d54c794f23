// Random creation over the part lists: which entries can be drawn, the creature-type filter,
// locks, failures that do not stop the command, and the interplay with symmetry.
#include "select/random_creature.h"

#include <gtest/gtest.h>

#include "select/symmetry_state.h"
#include "selection_fixture.h"

namespace bw::test {
namespace {

constexpr BodyPartId kHead = 0;
constexpr BodyPartId kLeftEar = 1;
constexpr BodyPartId kRightEar = 2;
constexpr BodyPartId kLeftArm = 9;
constexpr BodyPartId kRightArm = 12;
constexpr int kMale = 4;

TEST(RandomCreatureTest, DrawsAnyEntryButNoneAndAppliesEveryRow) {
    SelectionFixture f(FileNames{"a.bwo", "b.bwo", "c.bwo"});
    // Multiples of the three files included: 0, 3 and 32766 must still not give " (none) ".
    std::vector<int> numbers;
    for (BodyPartId i = 0; i < kBodyPartCount; ++i) numbers.push_back(i * 1499 % 32768);
    numbers[1] = 3;
    numbers[2] = 32766;
    numbers[3] = RandomSource::kMax;
    ScriptedRandom random(numbers);
    RandomCreature(f.selection, 0, random);

    EXPECT_EQ(random.seeds, 1);
    EXPECT_EQ(random.Used(), std::size_t(kBodyPartCount));
    EXPECT_TRUE(f.notifier.messages.empty());
    EXPECT_EQ(f.creature.PartCount(), kBodyPartCount);
    for (BodyPartId i = 0; i < kBodyPartCount; ++i) {
        const int expected = 1 + numbers[std::size_t(i)] % 3;
        EXPECT_EQ(f.List(i).CurrentIndex(), expected) << BodyPartName(i);
        EXPECT_EQ(f.selection.ChosenSelection(i), expected);
        EXPECT_EQ(f.LoadedFile(i), f.Shown(i));
    }
    EXPECT_GE(f.repaints, kBodyPartCount);
}

TEST(RandomCreatureTest, EmptyDirectoryFailsWithTheCreaturesMessageAndTheCommandGoesOn) {
    std::map<BodyPartId, std::vector<std::string>> files;
    for (BodyPartId i = 0; i < kBodyPartCount; ++i)
        if (i != kLeftEar) files[i] = {"a.bwo"};
    SelectionFixture f(files);
    ScriptedRandom random({7, 7, 7});
    RandomCreature(f.selection, 0, random);

    EXPECT_EQ(f.Shown(kLeftEar), kNoFilesEntry);
    ASSERT_EQ(f.notifier.messages.size(), 1u);
    EXPECT_EQ(f.notifier.messages[0].caption, "Unable to add object");
    EXPECT_NE(f.notifier.messages[0].text.find("No Files"), std::string::npos);
    EXPECT_EQ(f.creature.PartCount(), kBodyPartCount - 1);
    EXPECT_EQ(f.LoadedFile(kRightEar), "a.bwo");
}

TEST(RandomCreatureTest, TypeFilterMatchesTheBeginningWithoutRegardToCase) {
    std::map<BodyPartId, std::vector<std::string>> files;
    for (BodyPartId i = 0; i < kBodyPartCount; ++i) files[i] = {"Insect-X.bwo"};
    // Sorted: Female-A, male-b, Male-C, Manga-D.
    files[kHead] = {"Female-A.bwo", "male-b.bwo", "Male-C.bwo", "Manga-D.bwo"};
    struct Case {
        int type;
        std::vector<int> numbers;  // head: the plain draw, then the draw among the matches
        std::string expected;
    };
    const std::vector<Case> cases =
        {
            {kMale, {0, 0}, "male-b.bwo"},  // "Female-A" does not begin with "Male"
            {kMale, {0, 1}, "Male-C.bwo"}, {kMale, {0, 3}, "Male-C.bwo"},
            {2, {0, 5}, "Female-A.bwo"},   {5, {0, 9}, "Manga-D.bwo"},
            {3, {1, 0}, "male-b.bwo"},  // no Insect head: the plain draw 1 + 1 % 4 stands
            {0, {2, 0}, "Male-C.bwo"},  // "(all types)": no filter
            {9, {2, 0}, "Male-C.bwo"},  // an unknown type filters nothing
        };
    for (const Case& c : cases) {
        SelectionFixture f(files);
        ScriptedRandom random(c.numbers);
        RandomCreature(f.selection, c.type, random);
        EXPECT_EQ(f.Shown(kHead), c.expected) << "type " << c.type;
        EXPECT_EQ(f.LoadedFile(kHead), c.expected);
        // Rows without a match still get a file of their own.
        EXPECT_EQ(f.Shown(kLeftArm), "Insect-X.bwo");
    }

    // The first and the last type of the list filter too: the plain draw alone would give
    // "Alpha".
    files[kHead] = {"Alpha.bwo", "fantasy-Z.bwo", "Manga-Q.bwo"};
    for (const auto& [type, expected] : {std::pair{1, "fantasy-Z.bwo"}, {5, "Manga-Q.bwo"}}) {
        SelectionFixture f(files);
        ScriptedRandom random({0, 0});
        RandomCreature(f.selection, type, random);
        EXPECT_EQ(f.Shown(kHead), expected) << "type " << type;
    }
}

TEST(RandomCreatureTest, AtMost64MatchesAreCollected) {
    SelectionFixture f(FileNames{"a.bwo"});
    std::vector<std::string> entries{kNoneEntry};
    for (int k = 0; k < 70; ++k) entries.push_back("Male-" + std::to_string(100 + k) + ".bwo");
    f.List(kHead).entries = entries;
    ScriptedRandom random({0, 64});
    RandomCreature(f.selection, kMale, random);
    EXPECT_EQ(f.List(kHead).CurrentIndex(), 1);  // 64 % 64, not 64 % 70

    ScriptedRandom last({0, 63});
    RandomCreature(f.selection, kMale, last);
    EXPECT_EQ(f.List(kHead).CurrentIndex(), 64);
}

TEST(RandomCreatureTest, LockedRowKeepsItsEntryAndPart) {
    SelectionFixture f(FileNames{"a.bwo", "b.bwo", "c.bwo"});
    f.Choose(kHead, "a.bwo");
    const PartObject* head = f.creature.FindPartForEdit(kHead);
    f.List(kHead).locked = true;
    ScriptedRandom random({1, 1, 1});
    RandomCreature(f.selection, 0, random);
    EXPECT_EQ(f.Shown(kHead), "a.bwo");
    EXPECT_EQ(f.creature.FindPartForEdit(kHead), head);  // not even reloaded
    EXPECT_EQ(random.Used(), std::size_t(kBodyPartCount - 1));
    EXPECT_EQ(f.Shown(kLeftEar), "b.bwo");  // 1 + 1 % 3
}

TEST(RandomCreatureTest, UnderSymmetryTheRightHandDrawWinsAndOverridesALockedPartner) {
    SelectionFixture f(FileNames{"a.bwo", "b.bwo", "c.bwo"});
    SymmetryState symmetry(f.selection);
    f.Choose(kLeftEar, "a.bwo");
    f.List(kLeftEar).locked = true;
    symmetry.TurnOn();
    // Every row draws 1 + 0 % 3 = "a.bwo", except the right ones below, which draw "c.bwo".
    std::vector<int> numbers(kBodyPartCount - 1, 0);  // the locked Left ear draws nothing
    numbers[std::size_t(kRightEar - 1)] = 2;
    numbers[std::size_t(kRightArm - 1)] = 2;
    ScriptedRandom random(numbers);
    RandomCreature(f.selection, 0, random);

    EXPECT_EQ(f.Shown(kRightArm), "c.bwo");
    EXPECT_EQ(f.Shown(kLeftArm), "c.bwo");
    EXPECT_EQ(f.LoadedFile(kLeftArm), "c.bwo");
    EXPECT_EQ(f.Shown(kLeftEar), "c.bwo");  // locked, yet overwritten by the copy
    EXPECT_EQ(f.LoadedFile(kLeftEar), "c.bwo");
    // The copies are not the user's choices: "Off" gives them back.
    EXPECT_EQ(f.selection.ChosenSelection(kLeftEar), 1);
    EXPECT_EQ(f.selection.ChosenSelection(kLeftArm), 1);
    symmetry.TurnOff();
    EXPECT_EQ(f.LoadedFile(kLeftEar), "a.bwo");
    EXPECT_EQ(f.LoadedFile(kLeftArm), "a.bwo");
    EXPECT_EQ(f.LoadedFile(kRightArm), "c.bwo");
}

TEST(ClockSeededRandomTest, SameSecondSameSequenceWithinRange) {
    std::int64_t now = 1700000000;
    ClockSeededRandom random([&] { return now; });
    auto draw = [&] {
        std::vector<int> v;
        random.Seed();
        for (int k = 0; k < 2000; ++k) v.push_back(random.Next());
        return v;
    };
    const std::vector<int> first = draw();
    EXPECT_EQ(draw(), first);
    now += 1;
    const std::vector<int> later = draw();
    EXPECT_NE(later, first);
    int low = 0, high = 0;
    for (int v : first) {
        ASSERT_GE(v, 0);
        ASSERT_LE(v, RandomSource::kMax);
        (v < 16384 ? low : high)++;
    }
    EXPECT_GT(low, 800);
    EXPECT_GT(high, 800);
}

}  // namespace
}  // namespace bw::test
