#include "rig/skinning.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "rig/posed_skeleton.h"
#include "rig/skeleton.h"
#include "rig/skin_weights.h"
#include "rig_test_creatures.h"

namespace bw {
namespace {

struct Rig {
    Skeleton skeleton;
    SkinWeights weights;
};

Rig RigOf(const Creature& creature) {
    Rig rig{BuildSkeleton(creature), {}};
    rig.weights = ComputeSkinWeights(creature, rig.skeleton);
    return rig;
}

std::vector<PosedPart> Skin(const Creature& creature, const Rig& rig, const Pose& pose) {
    const std::vector<PosedJoint> joints = PoseSkeleton(rig.skeleton, pose);
    std::vector<PosedPart> posed;
    SkinCreature(creature, rig.weights, joints, posed);
    return posed;
}

BodyPartId Id(const char* name) { return *BodyPartIdOfName(name); }

// Rodrigues' formula, independent of the rig's own quaternions.
Vec3d RotateAbout(const Vec3d& p, const Vec3d& centre, const Vec3d& axis, double degrees) {
    const double a = degrees * std::numbers::pi / 180.0;
    const Vec3d v = p - centre;
    const Vec3d k = axis;
    const Vec3d cross{k.y * v.z - k.z * v.y, k.z * v.x - k.x * v.z, k.x * v.y - k.y * v.x};
    return centre + std::cos(a) * v + std::sin(a) * cross + (Dot(k, v) * (1 - std::cos(a))) * k;
}

// A pose turning several joints on each limb and the head.
Pose BusyPose() {
    Pose pose;
    EXPECT_TRUE(pose.SetRotation(Id("Left forearm"), {75, 10, -20}));
    EXPECT_TRUE(pose.SetRotation(Id("Right arm"), {-30, 45, 15}));
    EXPECT_TRUE(pose.SetRotation(Id("Neck"), {20, 0, 35}));
    EXPECT_TRUE(pose.SetRotation(Id("Mouth"), {25, 0, 0}));
    EXPECT_TRUE(pose.SetRotation(Id("Left thigh"), {-60, 5, 0}));
    EXPECT_TRUE(pose.SetRotation(Id("Stomach"), {10, -15, 5}));
    return pose;
}

TEST(SkinningAtRest, GivesTheCreaturesPointsAndNormalsBitForBit) {
    for (const std::string& project : test::SampleProjectNames()) {
        SCOPED_TRACE(project);
        const auto loaded = test::LoadSampleCreature(project);
        const Creature& creature = loaded->creature;
        const std::vector<PosedPart> posed = Skin(creature, RigOf(creature), Pose{});
        ASSERT_EQ(posed.size(), std::size_t(creature.PartCount()));
        for (int p = 0; p < creature.PartCount(); ++p) {
            const auto points = creature.Part(p)->TransformedPoints();
            const auto normals = creature.Part(p)->Normals();
            const PosedPart& out = posed[std::size_t(p)];
            ASSERT_EQ(out.points.size(), points.size());
            ASSERT_EQ(out.normals.size(), normals.size());
            EXPECT_EQ(std::memcmp(out.points.data(), points.data(), points.size_bytes()), 0);
            EXPECT_EQ(std::memcmp(out.normals.data(), normals.data(), normals.size_bytes()), 0);
        }
    }
}

TEST(SkinningABentForearm, TurnsTheHandAboutTheElbowAndLeavesTheOtherArm) {
    const auto loaded = test::LoadSampleCreature("Male.bwp");
    Creature& creature = loaded->creature;
    const Rig rig = RigOf(creature);
    Pose pose;
    ASSERT_TRUE(pose.SetRotation(Id("Left forearm"), {90, 0, 0}));
    const int hand = test::PartIndexOf(creature, "Left hand");
    const int otherHand = test::PartIndexOf(creature, "Right hand");
    const int otherForearm = test::PartIndexOf(creature, "Right forearm");
    const std::vector<Vec3f> handBefore(creature.Part(hand)->TransformedPoints().begin(),
                                        creature.Part(hand)->TransformedPoints().end());
    const std::vector<PosedPart> posed = Skin(creature, rig, pose);

    const Joint& elbow = rig.skeleton.joints[*rig.skeleton.JointOfBodyPart(Id("Left forearm"))];
    const auto handPoints = creature.Part(hand)->TransformedPoints();
    double largestMove = 0.0;
    for (std::size_t i = 0; i < handPoints.size(); ++i) {
        const Vec3d p = Widened(handPoints[i]);
        const Vec3d expected = RotateAbout(p, elbow.restPosition, elbow.axes.bend, 90.0);
        const Vec3d got = Widened(posed[std::size_t(hand)].points[i]);
        EXPECT_NEAR(got.x, expected.x, 1e-4) << i;
        EXPECT_NEAR(got.y, expected.y, 1e-4) << i;
        EXPECT_NEAR(got.z, expected.z, 1e-4) << i;
        largestMove = std::max(largestMove, Length(got - p));
    }
    EXPECT_GT(largestMove, 0.01) << "the hand did not move";
    for (const int other : {otherHand, otherForearm}) {
        const auto points = creature.Part(other)->TransformedPoints();
        const auto& out = posed[std::size_t(other)].points;
        EXPECT_EQ(std::memcmp(out.data(), points.data(), points.size_bytes()), 0);
    }
    // The pose is a layer: the creature keeps its points.
    EXPECT_TRUE(std::equal(handBefore.begin(), handBefore.end(),
                           creature.Part(hand)->TransformedPoints().begin()));
}

TEST(SkinningABusyPose, KeepsSeamsClosedAndNormalsUnit) {
    for (const std::string& project : test::SampleProjectNames()) {
        SCOPED_TRACE(project);
        const auto loaded = test::LoadSampleCreature(project);
        const Creature& creature = loaded->creature;
        const std::vector<PosedPart> posed = Skin(creature, RigOf(creature), BusyPose());
        int seamPoints = 0;
        for (int a = 0; a < creature.PartCount(); ++a) {
            const PartObject& part = *creature.Part(a);
            for (const SetConnection& c : ConnectionsOfTypeCode(part.GetTypeCode())) {
                const PartObject* other = creature.PartOfTypeCode(c.neighbour);
                if (!other) continue;
                const int b = test::PartIndexOf(creature, std::string(TypeCodeName(c.neighbour)));
                const auto own = part.ConnectionSet(c.ownSet - 1);
                const auto theirs = other->ConnectionSet(c.neighbourSet - 1);
                ASSERT_EQ(own.size(), theirs.size());
                for (std::size_t i = 0; i < own.size(); ++i, ++seamPoints) {
                    const Vec3f& restA = part.TransformedPoints()[own[i]];
                    const Vec3f& restB = other->TransformedPoints()[theirs[i]];
                    const Vec3f& posedA = posed[std::size_t(a)].points[own[i]];
                    const Vec3f& posedB = posed[std::size_t(b)].points[theirs[i]];
                    // Welded points stay together; the few that a later weld (nose and mouth)
                    // pulled apart at rest do not drift further apart.
                    if (restA == restB) {
                        ASSERT_EQ(posedA, posedB)
                            << part.TypeName() << " set " << c.ownSet << " point " << i;
                    } else {
                        ASSERT_LE(Length(posedA - posedB), Length(restA - restB) + 1e-6f);
                    }
                }
            }
            const auto normals = part.Normals();
            for (std::size_t i = 0; i < normals.size(); ++i) {
                // Copied where no joint moved (welds leave averaged normals short of unit).
                if (posed[std::size_t(a)].normals[i] == normals[i]) continue;
                ASSERT_NEAR(Length(posed[std::size_t(a)].normals[i]), 1.0f, 1e-5f);
            }
        }
        EXPECT_GT(seamPoints, 0);
    }
}

TEST(PosedJoints, GiveExportersConsistentBindAndLocalTransforms) {
    const auto loaded = test::LoadSampleCreature("Fantasy.bwp");
    const Rig rig = RigOf(loaded->creature);
    const std::vector<PosedJoint> joints = PoseSkeleton(rig.skeleton, BusyPose());
    ASSERT_EQ(joints.size(), rig.skeleton.joints.size());
    const auto expectNear = [](const AffineTransform& a, const AffineTransform& b) {
        const auto ma = a.RowMajor3x4();
        const auto mb = b.RowMajor3x4();
        for (std::size_t k = 0; k < ma.size(); ++k) EXPECT_NEAR(ma[k], mb[k], 1e-9) << k;
    };
    for (std::size_t j = 0; j < joints.size(); ++j) {
        const Joint& joint = rig.skeleton.joints[j];
        SCOPED_TRACE(joint.name);
        // The skinning transform is the posed frame after the inverse bind matrix.
        expectNear(joints[j].global * InverseBindTransform(joint), joints[j].skinning);
        const auto& q = joints[j].localRotation;
        EXPECT_NEAR(q.w * q.w + q.x * q.x + q.y * q.y + q.z * q.z, 1.0, 1e-12);
        if (!joint.parent) continue;
        // The posed frame is the parent's frame, the rest offset, then the local rotation.
        const Joint& parent = rig.skeleton.joints[*joint.parent];
        expectNear(joints[j].global,
                   joints[*joint.parent].global *
                       AffineTransform::Translation(joint.restPosition - parent.restPosition) *
                       AffineTransform::Rotation(q));
    }
    // A joint turned by the pose moves; one with no turned ancestor does not.
    EXPECT_TRUE(joints[*rig.skeleton.JointOfBodyPart(Id("Left hand"))].moved);
    EXPECT_FALSE(joints[*rig.skeleton.JointOfBodyPart(Id("Left arm"))].moved);
    EXPECT_FALSE(joints[*rig.skeleton.JointOfBodyPart(Id("Upper body"))].moved);
}

TEST(SkinningMismatchedInput, CopiesWhatItCannotPoseInsteadOfReadingOutside) {
    const test::TemporaryDirectory directory;
    const auto loaded = test::SyntheticLeftArm(directory);
    const Creature& creature = loaded->creature;
    Rig rig = RigOf(creature);
    Pose pose;
    ASSERT_TRUE(pose.SetRotation(Id("Left arm"), {40, 0, 0}));
    const std::vector<PosedJoint> joints = PoseSkeleton(rig.skeleton, pose);
    rig.weights.parts[0].pop_back();                    // too few weights for the arm
    rig.weights.parts[1][0].influences[0].joint = 999;  // a joint that does not exist
    std::vector<PosedPart> posed(7);
    SkinCreature(creature, rig.weights, joints, posed);
    ASSERT_EQ(posed.size(), 3U);
    EXPECT_EQ(posed[0].points.front(), creature.Part(0)->TransformedPoints().front());
    EXPECT_EQ(posed[1].points.front(), creature.Part(1)->TransformedPoints().front());
    EXPECT_NE(posed[1].points.back(), creature.Part(1)->TransformedPoints().back());
}

}  // namespace
}  // namespace bw
