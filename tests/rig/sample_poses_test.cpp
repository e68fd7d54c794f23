// The poses shipped beside the sample projects: each reads back, belongs to a sample project,
// poses its creature without opening a seam, and looks like what it is meant to show.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "rig/pose_file.h"
#include "rig/posed_skeleton.h"
#include "rig/skeleton.h"
#include "rig/skin_weights.h"
#include "rig/skinning.h"
#include "rig_test_creatures.h"

namespace bw {
namespace {

const std::filesystem::path kProjects = std::filesystem::path(BW_SAMPLE_SHARE_DIR) / "Projects";

BodyPartId Id(const char* name) { return *BodyPartIdOfName(name); }

std::string FileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The shipped pose files by the name of the project they pose ("Male" for Male.bwpose).
std::map<std::string, std::filesystem::path> PoseFiles() {
    std::map<std::string, std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(kProjects))
        if (entry.path().extension() == ".bwpose")
            files[entry.path().stem().string()] = entry.path();
    return files;
}

Pose ReadShippedPose(const std::string& project) {
    Pose pose;
    std::string reason;
    EXPECT_TRUE(ReadPoseFile((kProjects / (project + ".bwpose")).string(), &pose, &reason))
        << project << ": " << reason;
    return pose;
}

// A sample creature posed by its shipped pose: the skeleton, the posed joints and the skinned
// points of every part.
struct PosedSample {
    std::unique_ptr<test::LoadedCreature> loaded;
    Skeleton skeleton;
    std::vector<PosedJoint> joints;
    std::vector<PosedPart> parts;

    explicit PosedSample(const std::string& project, const Pose& pose)
        : loaded(test::LoadSampleCreature(project + ".bwp")),
          skeleton(BuildSkeleton(loaded->creature)),
          joints(PoseSkeleton(skeleton, pose)) {
        SkinCreature(loaded->creature, ComputeSkinWeights(loaded->creature, skeleton), joints,
                     parts);
    }

    const Joint& JointOf(const char* bodyPart) const {
        return skeleton.joints[skeleton.JointOfBodyPart(Id(bodyPart)).value()];
    }
    Vec3d RestJoint(const char* bodyPart) const { return JointOf(bodyPart).restPosition; }
    // Where the joint went: its skinning transform applied to its rest position.
    Vec3d PosedJointAt(const char* bodyPart) const {
        const std::size_t j = skeleton.JointOfBodyPart(Id(bodyPart)).value();
        return joints[j].skinning.ApplyToPoint(skeleton.joints[j].restPosition);
    }
    // The mean of the part's points, at rest and posed.
    Vec3d RestCentre(const char* bodyPart) const {
        const int index = test::PartIndexOf(loaded->creature, bodyPart);
        return MeanOfPoints(loaded->creature.Part(index)->TransformedPoints());
    }
    Vec3d PosedCentre(const char* bodyPart) const {
        const int index = test::PartIndexOf(loaded->creature, bodyPart);
        return MeanOfPoints(parts[std::size_t(index)].points);
    }
};

TEST(SamplePoses, AreShippedForWalkingSittingAndWaving) {
    const auto files = PoseFiles();
    EXPECT_EQ(files.size(), 3U);
    for (const char* project : {"Male", "Female", "Manga"})
        EXPECT_TRUE(files.contains(project)) << project;
}

TEST(SamplePoses, ParseNameASampleProjectAndAreWrittenAsTheRigFormatsThem) {
    const auto files = PoseFiles();
    ASSERT_FALSE(files.empty());
    for (const auto& [project, path] : files) {
        SCOPED_TRACE(path.string());
        const std::string text = FileText(path);
        Pose pose;
        std::string reason;
        ASSERT_TRUE(ParsePoseFile(text, &pose, &reason)) << reason;
        EXPECT_FALSE(pose.IsRest());
        EXPECT_EQ(FormatPoseFile(pose), text);
        EXPECT_TRUE(std::filesystem::is_regular_file(kProjects / (project + ".bwp")));
    }
}

TEST(SamplePoses, KeepEveryWeldOfTheirCreatureClosed) {
    const auto files = PoseFiles();
    ASSERT_FALSE(files.empty());
    for (const auto& [project, path] : files) {
        SCOPED_TRACE(project);
        const PosedSample sample(project, ReadShippedPose(project));
        const Creature& creature = sample.loaded->creature;
        ASSERT_EQ(sample.parts.size(), std::size_t(creature.PartCount()));
        int closedSeamPoints = 0;
        float largestMove = 0.0f;
        for (int a = 0; a < creature.PartCount(); ++a) {
            const PartObject& part = *creature.Part(a);
            const auto& posedA = sample.parts[std::size_t(a)].points;
            for (std::size_t i = 0; i < posedA.size(); ++i)
                largestMove =
                    std::max(largestMove, Length(posedA[i] - part.TransformedPoints()[i]));
            for (const SetConnection& c : ConnectionsOfTypeCode(part.GetTypeCode())) {
                const PartObject* other = creature.PartOfTypeCode(c.neighbour);
                if (!other) continue;
                const int b = test::PartIndexOf(creature, std::string(TypeCodeName(c.neighbour)));
                const auto& posedB = sample.parts[std::size_t(b)].points;
                const auto own = part.ConnectionSet(c.ownSet - 1);
                const auto theirs = other->ConnectionSet(c.neighbourSet - 1);
                ASSERT_EQ(own.size(), theirs.size());
                for (std::size_t i = 0; i < own.size(); ++i) {
                    const float rest = Length(part.TransformedPoints()[own[i]] -
                                              other->TransformedPoints()[theirs[i]]);
                    const float posed = Length(posedA[own[i]] - posedB[theirs[i]]);
                    // Points welded together stay together; the few a later weld pulled apart
                    // at rest do not drift further apart.
                    ASSERT_LE(posed, rest + 1e-4f)
                        << part.TypeName() << " set " << c.ownSet << " point " << i;
                    closedSeamPoints += rest == 0.0f;
                }
            }
        }
        EXPECT_GT(closedSeamPoints, 100);
        EXPECT_GT(largestMove, 0.05f) << "the pose moves nothing";
    }
}

// The creatures face -Z, their left side at +X: their noses stand in front of their heads and
// their toes in front of their ankles. The poses' angles are chosen for that.
TEST(SamplePoses, BelongToCreaturesFacingMinusZ) {
    for (const char* project : {"Male", "Female", "Manga"}) {
        SCOPED_TRACE(project);
        const PosedSample sample(project, Pose{});
        const double head = Length(sample.RestCentre("Head") - sample.RestJoint("Head"));
        EXPECT_LT(sample.RestCentre("Nose").z, sample.RestCentre("Head").z - 0.5 * head);
        EXPECT_LT(sample.RestCentre("Left foot").z, sample.RestJoint("Left foot").z - 0.1 * head);
        EXPECT_GT(sample.RestJoint("Left arm").x, sample.RestJoint("Right arm").x);
    }
}

TEST(SamplePoses, SittingRaisesTheThighsForwardAndHangsTheLegsDownFromTheKnees) {
    const PosedSample sample("Female", ReadShippedPose("Female"));
    for (const std::string side : {"Left ", "Right "}) {
        SCOPED_TRACE(side);
        const Vec3d restHip = sample.RestJoint((side + "thigh").c_str());
        const Vec3d restKnee = sample.RestJoint((side + "leg").c_str());
        const double thigh = Length(restKnee - restHip);
        const double leg = Length(sample.RestJoint((side + "foot").c_str()) - restKnee);
        const Vec3d hip = sample.PosedJointAt((side + "thigh").c_str());
        const Vec3d knee = sample.PosedJointAt((side + "leg").c_str());
        const Vec3d ankle = sample.PosedJointAt((side + "foot").c_str());
        // The hip stays; the thigh lies level, reaching forward.
        EXPECT_LT(Length(hip - restHip), 1e-9);
        EXPECT_NEAR(knee.y, hip.y, 0.15 * thigh);
        EXPECT_LT(knee.z - hip.z, -0.85 * thigh);
        // The leg hangs straight down from the knee; the foot is in front of the hip and lower
        // than the knee stood at rest.
        EXPECT_NEAR(ankle.z, knee.z, 0.15 * leg);
        EXPECT_GT(knee.y - ankle.y, 0.85 * leg);
        const Vec3d foot = sample.PosedCentre((side + "foot").c_str());
        EXPECT_LT(foot.z, hip.z - 0.5 * thigh);
        EXPECT_LT(foot.y, restKnee.y);
        // The hip seam (the thigh's set 2, welded to the stomach) turns halfway with the thigh
        // rather than staying where it stood.
        const int index = test::PartIndexOf(sample.loaded->creature, side + "thigh");
        const PartObject& part = *sample.loaded->creature.Part(index);
        double radius = 0.0;
        double largestMove = 0.0;
        for (const std::uint16_t i : part.ConnectionSet(1)) {
            const Vec3f& rest = part.TransformedPoints()[i];
            radius = std::max(radius, Length(Widened(rest) - restHip));
            largestMove = std::max(
                largestMove, double(Length(sample.parts[std::size_t(index)].points[i] - rest)));
        }
        EXPECT_GT(largestMove, 0.3 * radius);
    }
}

TEST(SamplePoses, WalkingSwingsEachLegForwardAgainstItsArm) {
    const PosedSample rest("Male", Pose{});
    const PosedSample walking("Male", ReadShippedPose("Male"));
    const double thigh = Length(rest.RestJoint("Left leg") - rest.RestJoint("Left thigh"));
    const double leg = Length(rest.RestJoint("Left foot") - rest.RestJoint("Left leg"));
    const double arm = Length(rest.RestJoint("Left hand") - rest.RestJoint("Left arm"));
    const auto moved = [&](const char* part) {
        return walking.PosedCentre(part) - rest.PosedCentre(part);
    };
    // The left foot steps forward (-Z), the right one stays behind; both stay below the knees.
    EXPECT_LT(moved("Left foot").z, -0.3 * thigh);
    EXPECT_GT(moved("Right foot").z, 0.3 * thigh);
    for (const std::string side : {"Left ", "Right "}) {
        EXPECT_LT(walking.PosedCentre((side + "foot").c_str()).y,
                  walking.PosedJointAt((side + "leg").c_str()).y - 0.5 * leg)
            << side;
    }
    // The rear knee bends further: its foot rises more.
    EXPECT_GT(moved("Right foot").y, moved("Left foot").y);
    // The arms swing the other way: the left hand back, the right hand forward.
    EXPECT_GT(moved("Left hand").z, 0.1 * arm);
    EXPECT_LT(moved("Right hand").z, -0.1 * arm);
}

TEST(SamplePoses, WavingRaisesTheRightHandBesideTheHeadAndLeavesTheLeftArm) {
    const PosedSample rest("Manga", Pose{});
    const PosedSample waving("Manga", ReadShippedPose("Manga"));
    const Vec3d shoulder = waving.RestJoint("Right arm");
    const double upperArm = Length(waving.RestJoint("Right forearm") - shoulder);
    const double forearm =
        Length(waving.RestJoint("Right hand") - waving.RestJoint("Right forearm"));
    const Vec3d elbow = waving.PosedJointAt("Right forearm");
    const Vec3d wrist = waving.PosedJointAt("Right hand");
    // The upper arm out to the right (-X), a little above the shoulder.
    EXPECT_LT(elbow.x, shoulder.x - 0.9 * upperArm);
    EXPECT_GT(elbow.y, shoulder.y);
    // The forearm upright above the elbow, the hand above the head's base, out to the side.
    EXPECT_GT(wrist.y - elbow.y, 0.9 * forearm);
    EXPECT_NEAR(wrist.x, elbow.x, 0.2 * forearm);
    const Vec3d hand = waving.PosedCentre("Right hand");
    EXPECT_GT(hand.y, waving.RestJoint("Head").y);
    EXPECT_LT(hand.x, shoulder.x);
    // The hand is turned out at the wrist, away from the head: further out than the forearm
    // alone would carry it, its wrist where the forearm puts it.
    const PosedSample unturned("Manga", [] {
        Pose pose = ReadShippedPose("Manga");
        EXPECT_TRUE(pose.SetRotation(Id("Right hand"), {}));
        return pose;
    }());
    const double reach = Length(unturned.PosedCentre("Right hand") - wrist);
    EXPECT_LT(hand.x, unturned.PosedCentre("Right hand").x - 0.2 * reach);
    EXPECT_LT(Length(wrist - unturned.PosedJointAt("Right hand")), 1e-9);
    for (const char* part : {"Left arm", "Left forearm", "Left hand"})
        EXPECT_EQ(waving.PosedCentre(part), rest.PosedCentre(part)) << part;
}

}  // namespace
}  // namespace bw
