// Assembly of parts into a creature: moves onto the parent, chains carried along, welds,
// replacement, and the exact messages of every refusal.
#include "model/creature.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

#include "support/object_file_builder.h"
#include "support/recording_notifier.h"

namespace bw {
namespace {

using test::RecordingNotifier;
using test::TemporaryDirectory;

// Points and connection sets of a small test part; set numbers are 1-based.
ObjectFileContents Part(std::vector<Vec3f> points, std::map<int, std::vector<std::uint16_t>> sets) {
    ObjectFileContents c;
    c.points = std::move(points);
    c.normals.assign(c.points.size(), Vec3f{0, 0, 1});
    for (auto& [set, indices] : sets) c.connectionSets[std::size_t(set - 1)] = indices;
    return c;
}

// A part whose set `set` is the two points (x, y, 0) and (x + 2, y, 0), plus one free point.
ObjectFileContents Bar(float x, float y, std::map<int, int> setsAtPoints = {{1, 0}}) {
    std::vector<Vec3f> points{{x, y, 0}, {x + 2, y, 0}, {x + 1, y + 5, 0}};
    std::map<int, std::vector<std::uint16_t>> sets;
    for (auto [set, unused] : setsAtPoints) sets[set] = {0, 1};
    return Part(points, sets);
}

class CreatureTest : public ::testing::Test {
  protected:
    std::string File(const std::string& name, const ObjectFileContents& contents) {
        return dir.Write(name, test::Encode(contents));
    }
    bool Add(const std::string& bodyPart, const std::string& path) {
        return creature.AddPart(bodyPart, path, *BodyPartIdOfName(bodyPart));
    }
    PartObject* Get(const std::string& bodyPart) {
        return creature.PartOfTypeCode(*TypeCodeOfName(bodyPart));
    }

    TemporaryDirectory dir;
    RecordingNotifier notifier;
    Creature creature{notifier};
};

TEST_F(CreatureTest, HandMovesOntoItsForearmAndBothSetsAreWelded) {
    // The forearm's set 1 holds (10, 1, 0) and (12, 3, 0); the hand's (0, 0, 0) and (2, 0, 0).
    ASSERT_TRUE(Add("Left forearm", File("f.bwo", Part({{10, 1, 0}, {12, 3, 0}, {11, 9, 0}},
                                                       {{1, {0, 1}}, {2, {2}}}))));
    ASSERT_TRUE(
        Add("Left hand", File("h.bwo", Part({{0, 0, 0}, {2, 0, 0}, {1, -4, 0}}, {{1, {0, 1}}}))));
    EXPECT_TRUE(notifier.messages.empty());

    PartObject* hand = Get("Left hand");
    PartObject* forearm = Get("Left forearm");
    ASSERT_NE(hand, nullptr);
    const auto hp = hand->TransformedPoints();
    const auto fp = forearm->TransformedPoints();
    EXPECT_EQ(hp[0], (Vec3f{10, 1.5f, 0}));
    EXPECT_EQ(hp[1], (Vec3f{12, 2.5f, 0}));
    EXPECT_EQ(fp[0], hp[0]);
    EXPECT_EQ(fp[1], hp[1]);
    EXPECT_EQ(hp[2], (Vec3f{11, -2, 0}));  // moved by (10, 2, 0), not welded
    // Base points only move; they are not welded.
    EXPECT_EQ(hand->BasePoints()[0], (Vec3f{10, 2, 0}));
    EXPECT_EQ(hand->BasePoints()[1], (Vec3f{12, 2, 0}));
    EXPECT_EQ(hand->Normals()[0], forearm->Normals()[0]);
    EXPECT_EQ(hand->adjustments.taperAxis, 1);
    EXPECT_EQ(hand->bodyPart, 11);
}

TEST_F(CreatureTest, WeldGivesBothPartsTheAverageNormalAtTheSeam) {
    // Each part's normals point its own way, so a weld that left either side alone shows.
    const auto withNormals = [](ObjectFileContents c, Vec3f normal) {
        c.normals.assign(c.points.size(), normal);
        return c;
    };
    // One neighbour: the hand welds onto the forearm.
    ASSERT_TRUE(Add("Left forearm",
                    File("f.bwo", withNormals(Part({{10, 1, 0}, {12, 3, 0}, {11, 9, 0}, {12, 9, 0}},
                                                   {{1, {0, 1}}, {2, {2, 3}}}),
                                              {1, 0, 0}))));
    ASSERT_TRUE(Add("Left hand", File("h.bwo", withNormals(Bar(0, 0), {0, 1, 0}))));
    const Vec3f half{0.5f, 0.5f, 0};
    EXPECT_EQ(Get("Left hand")->Normals()[0], half);
    EXPECT_EQ(Get("Left hand")->Normals()[1], half);
    EXPECT_EQ(Get("Left forearm")->Normals()[0], half);
    EXPECT_EQ(Get("Left forearm")->Normals()[1], half);
    EXPECT_EQ(Get("Left hand")->Normals()[2], (Vec3f{0, 1, 0}));  // off the seam

    // Several neighbours: a new forearm between arm and hand is welded to both.
    ASSERT_TRUE(Add("Left arm", File("a.bwo", withNormals(Bar(0, 20, {{1, 0}}), {0, 0, 1}))));
    ASSERT_TRUE(Add("Left forearm",
                    File("g.bwo", withNormals(Part({{0, 0, 0}, {2, 0, 0}, {0, 9, 0}, {2, 9, 0}},
                                                   {{1, {0, 1}}, {2, {2, 3}}}),
                                              {-1, 0, 0}))));
    const PartObject* forearm = Get("Left forearm");
    const Vec3f withHand{-0.25f, 0.25f, 0};  // (-1, 0, 0) and the hand's (0.5, 0.5, 0)
    // (-1, 0, 0) and the arm's (0.5, 0, 0.5), left by its weld with the first forearm.
    const Vec3f withArm{-0.25f, 0, 0.25f};
    EXPECT_EQ(forearm->Normals()[0], withHand);
    EXPECT_EQ(Get("Left hand")->Normals()[0], withHand);
    EXPECT_EQ(forearm->Normals()[2], withArm);
    EXPECT_EQ(Get("Left arm")->Normals()[0], withArm);
}

TEST_F(CreatureTest, AddingAPresentBodyPartReplacesItAndKeepsTheHighlight) {
    ASSERT_TRUE(Add("Head", File("a.bwo", Bar(0, 0))));
    creature.FindPartForEdit(0)->highlight = 1;
    ASSERT_TRUE(Add("Head", File("b.bwo", Bar(5, 5))));
    ASSERT_EQ(creature.PartCount(), 1);
    EXPECT_EQ(creature.Part(0)->Name(), dir.Path() + "/b.bwo");
    EXPECT_EQ(creature.Part(0)->highlight, 1);
    // No neighbour: the part stays where its file put it.
    EXPECT_EQ(creature.Part(0)->TransformedPoints()[0], (Vec3f{5, 5, 0}));
}

TEST_F(CreatureTest, NewUpperBodyStaysAndPullsEachChainByItsOwnOffset) {
    ASSERT_TRUE(Add("Stomach", File("s.bwo", Bar(100, 0, {{2, 0}}))));
    ASSERT_TRUE(Add("Left arm", File("la.bwo", Bar(200, 0, {{1, 0}, {2, 0}}))));
    ASSERT_TRUE(Add("Left forearm", File("lf.bwo", Bar(0, 0, {{1, 0}, {2, 0}}))));
    ASSERT_TRUE(Add("Neck", File("n.bwo", Bar(300, 0, {{1, 0}}))));
    ASSERT_TRUE(Add("Right arm", File("ra.bwo", Bar(400, 0, {{2, 0}}))));
    const Vec3f forearmBefore = Get("Left forearm")->TransformedPoints()[2];
    const Vec3f armBefore = Get("Left arm")->TransformedPoints()[2];
    notifier.messages.clear();

    // The upper body's sets 1 to 4 are at x = 0, 10, 20, 30.
    ObjectFileContents body = Part({{0, 0, 0},
                                    {2, 0, 0},
                                    {10, 0, 0},
                                    {12, 0, 0},
                                    {20, 0, 0},
                                    {22, 0, 0},
                                    {30, 0, 0},
                                    {32, 0, 0}},
                                   {{1, {0, 1}}, {2, {2, 3}}, {3, {4, 5}}, {4, {6, 7}}});
    ASSERT_TRUE(Add("Upper body", File("u.bwo", body)));
    EXPECT_TRUE(notifier.messages.empty());
    EXPECT_EQ(Get("Upper body")->BasePoints()[0], (Vec3f{0, 0, 0}));
    EXPECT_EQ(Get("Stomach")->TransformedPoints()[2], (Vec3f{1, 5, 0}));
    EXPECT_EQ(Get("Neck")->TransformedPoints()[2], (Vec3f{21, 5, 0}));
    EXPECT_EQ(Get("Right arm")->TransformedPoints()[2], (Vec3f{31, 5, 0}));
    // The left arm chain moves rigidly: arm and forearm by the same offset.
    const Vec3f armAfter = Get("Left arm")->TransformedPoints()[2];
    const Vec3f forearmAfter = Get("Left forearm")->TransformedPoints()[2];
    EXPECT_EQ(armAfter, (Vec3f{11, 5, 0}));
    EXPECT_FLOAT_EQ(forearmAfter.x - forearmBefore.x, armAfter.x - armBefore.x);
    // Welded to the upper body.
    EXPECT_EQ(Get("Stomach")->TransformedPoints()[0], Get("Upper body")->TransformedPoints()[0]);
}

TEST_F(CreatureTest, NewHeadMovesOntoTheNeckAndPullsEyesAndMouthOntoItself) {
    ASSERT_TRUE(Add("Neck", File("n.bwo", Bar(0, 0, {{2, 0}}))));
    ASSERT_TRUE(Add("Left eye", File("e.bwo", Bar(50, 50))));
    ASSERT_TRUE(Add("Mouth", File("m.bwo", Bar(-50, 50))));
    // Head: set 1 (to the neck) at y = 100, set 2 (left eye) at y = 110, set 5 (mouth) at 120.
    ObjectFileContents head =
        Part({{0, 100, 0}, {2, 100, 0}, {0, 110, 0}, {2, 110, 0}, {0, 120, 0}, {2, 120, 0}},
             {{1, {0, 1}}, {2, {2, 3}}, {5, {4, 5}}});
    ASSERT_TRUE(Add("Head", File("h.bwo", head)));
    EXPECT_TRUE(notifier.messages.empty());
    EXPECT_EQ(Get("Head")->TransformedPoints()[0], (Vec3f{0, 0, 0}));
    EXPECT_EQ(Get("Left eye")->TransformedPoints()[0], (Vec3f{0, 10, 0}));
    EXPECT_EQ(Get("Mouth")->TransformedPoints()[1], (Vec3f{2, 20, 0}));
}

TEST_F(CreatureTest, NoseMovesOntoTheHeadNotTheMouthAndIsWeldedToTheMouth) {
    ObjectFileContents head =
        Part({{0, 0, 0}, {2, 0, 0}, {0, 10, 0}, {2, 10, 0}}, {{4, {0, 1}}, {5, {2, 3}}});
    ASSERT_TRUE(Add("Head", File("h.bwo", head)));
    ASSERT_TRUE(Add("Mouth", File("m.bwo", Part({{0, 10, 0}, {2, 10, 0}, {0, 8, 0}, {2, 8, 0}},
                                                {{1, {0, 1}}, {2, {2, 3}}}))));
    ASSERT_TRUE(Add("Nose", File("n.bwo", Part({{40, 40, 0}, {42, 40, 0}, {40, 37, 0}, {42, 37, 0}},
                                               {{1, {0, 1}}, {2, {2, 3}}}))));
    EXPECT_TRUE(notifier.messages.empty());
    PartObject* nose = Get("Nose");
    // Moved so its set 1 meets the head's set 4 at y = 0: by (-40, -40, 0).
    EXPECT_EQ(nose->BasePoints()[0], (Vec3f{0, 0, 0}));
    // Set 2 of nose (y = -3) and mouth (y = 8) welded to their average.
    EXPECT_EQ(nose->TransformedPoints()[2], (Vec3f{0, 2.5f, 0}));
    EXPECT_EQ(Get("Mouth")->TransformedPoints()[2], (Vec3f{0, 2.5f, 0}));
}

TEST_F(CreatureTest, CountMismatchWithTheOnlyNeighbourNamesBothPartsAndLeavesTheBodyPartEmpty) {
    const std::string forearm =
        File("f.bwo", Part({{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {3, 0, 0}, {4, 0, 0}, {5, 0, 0}},
                           {{1, {0, 1, 2, 3, 4, 5}}}));
    const std::string hand =
        File("h.bwo",
             Part({{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {3, 0, 0}, {4, 0, 0}}, {{1, {0, 1, 2, 3, 4}}}));
    const std::string goodHand =
        File("g.bwo", Part({{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {3, 0, 0}, {4, 0, 0}, {5, 0, 0}},
                           {{1, {0, 1, 2, 3, 4, 5}}}));
    ASSERT_TRUE(Add("Left forearm", forearm));
    ASSERT_TRUE(Add("Left hand", goodHand));
    EXPECT_FALSE(Add("Left hand", hand));
    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_EQ(notifier.messages[0].caption, "Can't connect object!");
    EXPECT_EQ(notifier.messages[0].text,
              "Trying to connect Left hand to Left forearm...\nLeft hand has : 5 points\n"
              "Left forearm wants: 6 points\nLeft hand bwo: " +
                  hand + "\nLeft forearm bwo: " + forearm);
    EXPECT_EQ(notifier.messages[0].icon, MessageIcon::Warning);
    // The replaced hand is gone; the creature still indexes its one part.
    EXPECT_EQ(creature.PartCount(), 1);
    EXPECT_EQ(Get("Left hand"), nullptr);
    EXPECT_EQ(creature.Part(0)->TypeName(), "Left forearm");
}

TEST_F(CreatureTest, CountMismatchWithAChildRefusesTheNewParent) {
    ASSERT_TRUE(Add("Left hand", File("h.bwo", Bar(0, 0))));
    // The forearm's set 1 (to the hand) has three points, the hand's two.
    ASSERT_FALSE(Add("Left forearm", File("f.bwo", Part({{0, 0, 0}, {1, 0, 0}, {2, 0, 0}},
                                                        {{1, {0, 1, 2}}, {2, {0, 1}}}))));
    ASSERT_EQ(notifier.messages.size(), 1u);
    // A single neighbour: the two-type message.
    EXPECT_EQ(notifier.messages[0].caption, "Can't connect object!");

    // With the arm present too, the forearm moves to the arm and fails at the hand's chain.
    notifier.messages.clear();
    ASSERT_TRUE(Add("Left arm", File("a.bwo", Bar(0, 0, {{1, 0}}))));
    ASSERT_FALSE(Add("Left forearm", File("f2.bwo", Part({{0, 0, 0}, {1, 0, 0}, {2, 0, 0}},
                                                         {{1, {0, 1, 2}}, {2, {0, 1}}}))));
    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_EQ(notifier.messages[0].caption, "Cant connect object!");
    EXPECT_EQ(notifier.messages[0].text,
              "Object you are trying to connect have: 3 points\n Object that it will be connected "
              "to have: 2 points");
    EXPECT_EQ(creature.PartCount(), 2);
}

TEST_F(CreatureTest, WeldMismatchIsReportedButThePartIsAdded) {
    ASSERT_TRUE(Add(
        "Head", File("h.bwo", Part({{0, 0, 0}, {2, 0, 0}, {5, 5, 5}}, {{4, {0, 1}}, {5, {2}}}))));
    ASSERT_TRUE(Add("Mouth", File("m.bwo", Part({{0, 0, 0}, {1, 1, 1}}, {{1, {0}}, {2, {0, 1}}}))));
    // The nose's set 2 has one point, the mouth's two.
    ASSERT_TRUE(Add(
        "Nose", File("n.bwo", Part({{0, 0, 0}, {2, 0, 0}, {1, 1, 1}}, {{1, {0, 1}}, {2, {2}}}))));
    // Reported once: the nose-mouth weld that follows does not see the nose before it is added.
    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_EQ(notifier.messages[0].caption, "Cant connect object!");
    EXPECT_EQ(creature.PartCount(), 3);

    // Once the nose is in, re-welding it reports the pair twice: from its own sets, then from
    // the nose-mouth weld, which names the nose's count first.
    notifier.messages.clear();
    creature.ApplyAdjustments(Get("Nose"));
    ASSERT_EQ(notifier.messages.size(), 2u);
    const std::string text =
        "Object you are trying to connect have: 1 points\n Object that it will be connected to "
        "have: 2 points";
    EXPECT_EQ(notifier.messages[0].text, text);
    EXPECT_EQ(notifier.messages[1].text, text);
    EXPECT_EQ(notifier.messages[1].caption, "Cant connect object!");
    EXPECT_EQ(creature.PartCount(), 3);
}

TEST_F(CreatureTest, LoadFailuresNameTheFileAndTheStep) {
    ASSERT_TRUE(Add("Head", File("h.bwo", Bar(0, 0))));
    const std::string missing = dir.Path() + "/missing.bwo";
    EXPECT_FALSE(Add("Head", missing));
    const std::string headerOnly = dir.Write("e.bwo", test::ChunkBuilder().Header(3, 0, 0).Bytes());
    EXPECT_FALSE(Add("Head", headerOnly));
    ASSERT_EQ(notifier.messages.size(), 2u);
    EXPECT_EQ(notifier.messages[0].text, missing);
    EXPECT_EQ(notifier.messages[0].caption, "Unable to add object");
    EXPECT_EQ(notifier.messages[1].text, headerOnly);
    EXPECT_EQ(notifier.messages[1].caption, "Unable to calculate object type");
    // Failures before the connection leave the old part in place.
    ASSERT_EQ(creature.PartCount(), 1);
    EXPECT_EQ(creature.Part(0)->Name(), dir.Path() + "/h.bwo");
    // A name without a type code adds nothing and says nothing.
    EXPECT_FALSE(creature.AddPart("Left Forearm", dir.Path() + "/h.bwo", 10));
    EXPECT_EQ(notifier.messages.size(), 2u);
}

TEST_F(CreatureTest, EmptyMatchingSetsNeitherMoveNorWeld) {
    ASSERT_TRUE(Add("Left forearm", File("f.bwo", Part({{10, 0, 0}}, {}))));
    ASSERT_TRUE(Add("Left hand", File("h.bwo", Part({{0, 0, 0}}, {}))));
    EXPECT_EQ(Get("Left hand")->TransformedPoints()[0], (Vec3f{0, 0, 0}));
    EXPECT_TRUE(notifier.messages.empty());
}

TEST_F(CreatureTest, RemovePartAndViewResets) {
    EXPECT_FALSE(creature.RemovePart("Left forearm"));
    ASSERT_TRUE(Add("Head", File("h.bwo", Bar(0, 0))));
    ASSERT_TRUE(Add("Neck", File("n.bwo", Bar(0, 0, {{2, 0}}))));
    EXPECT_FALSE(creature.RemovePart("Left forearm"));
    EXPECT_TRUE(creature.RemovePart("Head"));
    ASSERT_EQ(creature.PartCount(), 1);
    EXPECT_EQ(creature.Part(0)->TypeName(), "Neck");

    creature.panX = 3;
    creature.panY = 4;
    creature.PropagatePan();
    EXPECT_EQ(creature.Part(0)->panX, 3);
    creature.yaw = 1;
    creature.pitch = 2;
    creature.ResetView();
    EXPECT_EQ(creature.Part(0)->panX, 0);
    EXPECT_EQ(creature.Part(0)->panY, 0);
    EXPECT_EQ(creature.yaw, 0);
    EXPECT_EQ(creature.pitch, 0);
}

TEST_F(CreatureTest, FindPartForEditHighlightsOnlyTheFoundPart) {
    ASSERT_TRUE(Add("Head", File("h.bwo", Bar(0, 0))));
    ASSERT_TRUE(Add("Neck", File("n.bwo", Bar(0, 0, {{2, 0}}))));
    EXPECT_EQ(creature.FindPartForEdit(7), Get("Neck"));
    EXPECT_EQ(creature.FindPartForEdit(0), Get("Head"));
    EXPECT_EQ(Get("Neck")->highlight, 0);
    EXPECT_EQ(Get("Head")->highlight, 1);
    EXPECT_EQ(creature.FindPartForEdit(11), nullptr);
    EXPECT_EQ(Get("Head")->highlight, 0);
}

}  // namespace
}  // namespace bw
