// The pose the window keeps over its creature: posed points only when a joint is turned,
// skeleton and weights rebuilt when the rest shape changes (and only then), and the pose file
// kept beside a project.
#include "rig/creature_pose.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "rig/pose_beside_project.h"
#include "rig/rig_test_creatures.h"
#include "support/temporary_directory.h"

namespace bw {
namespace {

TEST(CreaturePoseTest, PosesOnlyWhenTurnedAndFollowsChangesOfTheRestShape) {
    const auto loaded = test::LoadSampleCreature("Male.bwp");
    ASSERT_TRUE(loaded);
    Creature& creature = loaded->creature;
    CreaturePose pose;
    EXPECT_TRUE(pose.PosedParts(creature).empty()) << "the rest pose draws the creature itself";

    const BodyPartId forearm = *BodyPartIdOfName("Left forearm");
    ASSERT_TRUE(pose.SetRotation(forearm, {90.0f, 0.0f, 0.0f}));
    EXPECT_FALSE(pose.SetRotation(forearm, {90.0f, 0.0f, 0.0f})) << "no change";
    EXPECT_FALSE(pose.SetRotation(forearm, {181.0f, 0.0f, 0.0f})) << "out of range";
    const auto posed = pose.PosedParts(creature);
    ASSERT_EQ(posed.size(), std::size_t(creature.PartCount()));
    const int hand = test::PartIndexOf(creature, "Left hand");
    const std::vector<Vec3f> bentHand = posed[std::size_t(hand)].points;
    const auto restHand = creature.Part(hand)->TransformedPoints();
    EXPECT_FALSE(std::equal(bentHand.begin(), bentHand.end(), restHand.begin()));

    // The skeleton follows a part moved in its rest shape: the hand's joint goes with it.
    const std::size_t joint =
        *pose.SkeletonOf(creature).JointOfBodyPart(*BodyPartIdOfName("Left hand"));
    const Vec3d before = pose.SkeletonOf(creature).joints[joint].restPosition;
    ASSERT_TRUE(creature.Part(hand)->Translate(0.0f, 1.0f, 0.0f));
    const Vec3d after = pose.SkeletonOf(creature).joints[joint].restPosition;
    EXPECT_NEAR(after.y - before.y, 1.0, 1e-5);
    EXPECT_NE(pose.PosedParts(creature)[std::size_t(hand)].points, bentHand);

    const CreaturePose::Bones bones = pose.PosedBones(creature);
    EXPECT_EQ(bones.joints.size(), pose.SkeletonOf(creature).joints.size());
    EXPECT_EQ(bones.bones.size(), bones.joints.size() - 1)
        << "one root, a bone to each other joint";
    pose.SetPose(Pose{});
    EXPECT_TRUE(pose.PosedParts(creature).empty());
}

TEST(PoseBesideProjectTest, IsWrittenWhenPosedRemovedAtRestAndReadBackOrRefused) {
    EXPECT_EQ(PosePathOfProject("/a/Dragon.bwp"), "/a/Dragon.bwpose");
    EXPECT_EQ(PosePathOfProject("/a/Dragon.BWP"), "/a/Dragon.bwpose");
    EXPECT_EQ(PosePathOfProject("/a/Dragon"), "/a/Dragon.bwpose");

    test::TemporaryDirectory folder;
    const std::string project = folder.Path() + "/Dragon.bwp";
    Pose read;
    std::string reason;
    EXPECT_TRUE(LoadPoseBesideProject(project, &read, &reason)) << "none there: the rest pose";
    EXPECT_TRUE(read.IsRest());

    Pose posed;
    ASSERT_TRUE(posed.SetRotation(*BodyPartIdOfName("Neck"), {0.0f, 10.0f, -5.5f}));
    ASSERT_TRUE(SavePoseBesideProject(project, posed, &reason)) << reason;
    ASSERT_TRUE(LoadPoseBesideProject(project, &read, &reason)) << reason;
    EXPECT_EQ(read, posed);

    ASSERT_TRUE(SavePoseBesideProject(project, Pose{}, &reason)) << reason;
    EXPECT_FALSE(std::filesystem::exists(folder.Path() + "/Dragon.bwpose"));

    folder.Write("Dragon.bwpose", std::string("Neck ten 0 0\n"));
    read = posed;
    EXPECT_FALSE(LoadPoseBesideProject(project, &read, &reason));
    EXPECT_TRUE(read.IsRest()) << "a bad file leaves the rest pose";
    EXPECT_FALSE(reason.empty());
}

}  // namespace
}  // namespace bw
