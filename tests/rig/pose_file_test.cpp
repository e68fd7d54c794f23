#include "rig/pose_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/temporary_directory.h"

namespace bw {
namespace {

BodyPartId Id(const char* name) { return *BodyPartIdOfName(name); }

Pose SamplePose() {
    Pose pose;
    EXPECT_TRUE(pose.SetRotation(Id("Right thigh"), {-180, 0.1f, 12.5f}));
    EXPECT_TRUE(pose.SetRotation(Id("Left forearm"), {60, 0, 0}));
    EXPECT_TRUE(pose.SetRotation(Id("Head"), {0, 0, 180}));
    EXPECT_TRUE(pose.SetRotation(Id("Nose"), {1e-7f, -33.333333f, 0}));
    return pose;
}

TEST(PoseFileFormat, WritesTurnedPartsInCatalogueOrderAndReadsThemBack) {
    const Pose pose = SamplePose();
    const std::string text = FormatPoseFile(pose);
    EXPECT_EQ(text,
              "Head 0 0 180\n"
              "Nose 1e-07 -33.333332 0\n"
              "Left forearm 60 0 0\n"
              "Right thigh -180 0.1 12.5\n");
    Pose read;
    std::string reason;
    ASSERT_TRUE(ParsePoseFile(text, &read, &reason)) << reason;
    EXPECT_EQ(read, pose);
    EXPECT_EQ(FormatPoseFile(read), text);
    EXPECT_EQ(FormatPoseFile(Pose{}), "");
}

TEST(PoseFileFormat, AcceptsBlankLinesTabsCarriageReturnsAndNoFinalLineFeed) {
    Pose read;
    std::string reason;
    ASSERT_TRUE(ParsePoseFile("\r\n  Left hand\t-5  2.5 0\r\n\n Right ear 1 2 3", &read, &reason))
        << reason;
    EXPECT_EQ(read.Rotation(Id("Left hand")), (JointRotation{-5, 2.5f, 0}));
    EXPECT_EQ(read.Rotation(Id("Right ear")), (JointRotation{1, 2, 3}));
    EXPECT_TRUE(read.Rotation(Id("Head")).IsRest());
    ASSERT_TRUE(ParsePoseFile("", &read, &reason));
    EXPECT_TRUE(read.IsRest());
}

TEST(PoseFileFormat, RefusesBadOrForeignTextAndLeavesThePoseAlone) {
    const std::vector<std::string> refused{
        "Left tentacle 1 2 3\n",
        "Left forearm 1 2\n",
        "Left forearm 1 2 3 4\n",
        "Left forearm\n",
        "Left  forearm 1 2 3\n",
        "left forearm 1 2 3\n",
        "Left forearm nan 0 0\n",
        "Left forearm 0 inf 0\n",
        "Left forearm 0 0 1e40\n",
        "Left forearm 180.01 0 0\n",
        "Left forearm 0 -181 0\n",
        "Left forearm 1,5 0 0\n",
        "Left forearm +1 0 0\n",
        "Left forearm 0x10 0 0\n",
        std::string("Left forearm 1 2 3\n\0", 20),
        "Left forearm 1 2 3\n\x01\x02\x7f",
        "Head 1 2 3\rNeck 1 2 3\n",
        "Head 1 2 3\nHead 4 5 6\n",
        std::string(kMaxPoseFileBytes + 1, ' '),
        "BW20\n22\n7\n",
    };
    for (const std::string& text : refused) {
        SCOPED_TRACE(text.substr(0, 40));
        Pose pose = SamplePose();
        std::string reason;
        EXPECT_FALSE(ParsePoseFile(text, &pose, &reason));
        EXPECT_FALSE(reason.empty());
        EXPECT_EQ(pose, SamplePose());
    }
    // A file just at the limit is fine.
    Pose pose;
    std::string reason;
    EXPECT_TRUE(ParsePoseFile(std::string(kMaxPoseFileBytes, '\n'), &pose, &reason)) << reason;
    EXPECT_FALSE(ParsePoseFile("Head 1 2 3\n", nullptr, &reason));
}

TEST(PoseFileFormat, NamesTheLineAndTheFault) {
    Pose pose;
    std::string reason;
    EXPECT_FALSE(ParsePoseFile("Head 1 2 3\nLeft tentacle 1 2 3\n", &pose, &reason));
    EXPECT_EQ(reason, "line 2: \"Left tentacle\" is no body part");
    EXPECT_FALSE(ParsePoseFile("Left forearm 1 2 3 4\n", &pose, &reason));
    EXPECT_EQ(reason, "line 1: more than three angles");
}

TEST(PoseFiles, RoundTripThroughTheDiskAndRefuseOversizedFiles) {
    const test::TemporaryDirectory directory;
    const std::string path = directory.Path() + "/wave.bwpose";
    std::string reason;
    ASSERT_TRUE(WritePoseFile(path, SamplePose(), &reason)) << reason;
    EXPECT_EQ(test::ReadText(path), FormatPoseFile(SamplePose()));
    Pose read;
    ASSERT_TRUE(ReadPoseFile(path, &read, &reason)) << reason;
    EXPECT_EQ(read, SamplePose());

    const std::string big = directory.Write("big.bwpose", std::string(kMaxPoseFileBytes + 1, '\n'));
    EXPECT_FALSE(ReadPoseFile(big, &read, &reason));
    EXPECT_FALSE(ReadPoseFile(directory.Path() + "/missing.bwpose", &read, &reason));
    EXPECT_EQ(read, SamplePose());
}

TEST(PoseRotations, AreRefusedOutsideTheirRangeAndForInvalidBodyParts) {
    Pose pose;
    EXPECT_TRUE(pose.IsRest());
    EXPECT_FALSE(pose.SetRotation(-1, {1, 0, 0}));
    EXPECT_FALSE(pose.SetRotation(kBodyPartCount, {1, 0, 0}));
    EXPECT_FALSE(pose.SetRotation(0, {180.5f, 0, 0}));
    EXPECT_FALSE(pose.SetRotation(0, {0, std::nanf(""), 0}));
    EXPECT_TRUE(pose.IsRest());
    EXPECT_TRUE(pose.SetRotation(0, {-180, 180, 0}));
    EXPECT_FALSE(pose.IsRest());
    EXPECT_TRUE(pose.Rotation(kBodyPartCount).IsRest());
}

}  // namespace
}  // namespace bw
