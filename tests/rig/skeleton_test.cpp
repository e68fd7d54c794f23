#include "rig/skeleton.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "rig/axis_frame.h"
#include "rig/point_mean.h"
#include "rig_test_creatures.h"

namespace bw {
namespace {

// The attachment tree as a person would draw it, child to parent.
const std::map<std::string, std::string> kDrawnParent{
    {"Head", "Neck"},
    {"Left ear", "Head"},
    {"Right ear", "Head"},
    {"Left eye", "Head"},
    {"Right eye", "Head"},
    {"Nose", "Head"},
    {"Mouth", "Head"},
    {"Neck", "Upper body"},
    {"Left arm", "Upper body"},
    {"Left forearm", "Left arm"},
    {"Left hand", "Left forearm"},
    {"Right arm", "Upper body"},
    {"Right forearm", "Right arm"},
    {"Right hand", "Right forearm"},
    {"Stomach", "Upper body"},
    {"Left thigh", "Stomach"},
    {"Left leg", "Left thigh"},
    {"Left foot", "Left leg"},
    {"Right thigh", "Stomach"},
    {"Right leg", "Right thigh"},
    {"Right foot", "Right leg"},
};

std::string ParentName(const Skeleton& skeleton, const Joint& joint) {
    return joint.parent ? skeleton.joints[*joint.parent].name : std::string("(root)");
}

void ExpectTreeShape(const Skeleton& skeleton) {
    int roots = 0;
    for (std::size_t j = 0; j < skeleton.joints.size(); ++j) {
        const Joint& joint = skeleton.joints[j];
        if (!joint.parent) ++roots;
        if (joint.parent) {
            EXPECT_LT(*joint.parent, j) << joint.name << " before its parent";
        }
        EXPECT_EQ(skeleton.JointOfPart(joint.partIndex), j) << joint.name;
    }
    EXPECT_EQ(roots, 1);
    if (!skeleton.joints.empty()) {
        EXPECT_FALSE(skeleton.joints.front().parent);
    }
}

Vec3d SetCentre(const PartObject& part, int set) {
    return MeanOfPoints(part.TransformedPoints(), part.ConnectionSet(set - 1));
}

// Welds make the two sides of a seam coincide, but the nose and mouth are welded to each other
// after the head, which moves a few of their seam points off the head's by a hair.
void ExpectNear(const Vec3d& a, const Vec3d& b, const std::string& what) {
    EXPECT_NEAR(a.x, b.x, 1e-4) << what;
    EXPECT_NEAR(a.y, b.y, 1e-4) << what;
    EXPECT_NEAR(a.z, b.z, 1e-4) << what;
}

TEST(SkeletonOfSampleCreatures, FollowsTheAttachmentTreeWithJointsOnTheSeams) {
    for (const std::string& project : test::SampleProjectNames()) {
        SCOPED_TRACE(project);
        const auto loaded = test::LoadSampleCreature(project);
        const Creature& creature = loaded->creature;
        const Skeleton skeleton = BuildSkeleton(creature);
        ASSERT_EQ(skeleton.joints.size(), std::size_t(creature.PartCount()));
        ExpectTreeShape(skeleton);
        EXPECT_EQ(skeleton.joints.front().name, "Upper body");
        for (const Joint& joint : skeleton.joints) {
            const PartObject& part = *creature.Part(int(joint.partIndex));
            EXPECT_EQ(joint.name, BodyPartName(part.bodyPart));
            EXPECT_EQ(joint.bodyPart, part.bodyPart);
            if (!joint.parent) continue;
            EXPECT_EQ(ParentName(skeleton, joint), kDrawnParent.at(joint.name)) << joint.name;
            // The joint sits where the part meets its parent, on both sides of the weld.
            const PartObject& parent =
                *creature.Part(int(skeleton.joints[*joint.parent].partIndex));
            for (const SetConnection& c : ConnectionsOfTypeCode(part.GetTypeCode())) {
                if (c.neighbour != parent.GetTypeCode()) continue;
                ExpectNear(joint.restPosition, SetCentre(part, c.ownSet), joint.name + " own");
                ExpectNear(joint.restPosition, SetCentre(parent, c.neighbourSet),
                           joint.name + " parent's");
            }
        }
    }
}

TEST(SkeletonWithPartsMissing, HangsAPartFromItsNearestPresentAncestor) {
    const auto loaded = test::LoadSampleCreature("Male.bwp");
    const Vec3d wrist =
        SetCentre(*loaded->creature.Part(test::PartIndexOf(loaded->creature, "Left hand")), 1);
    for (const char* gone : {"Left forearm", "Right leg", "Right arm", "Right forearm"})
        ASSERT_TRUE(loaded->creature.RemovePart(gone));
    const Skeleton skeleton = BuildSkeleton(loaded->creature);
    ASSERT_EQ(skeleton.joints.size(), std::size_t(kBodyPartCount - 4));
    ExpectTreeShape(skeleton);
    EXPECT_FALSE(skeleton.JointOfBodyPart(*BodyPartIdOfName("Left forearm")));
    const Joint& hand = skeleton.joints[*skeleton.JointOfBodyPart(*BodyPartIdOfName("Left hand"))];
    EXPECT_EQ(ParentName(skeleton, hand), "Left arm");
    ExpectNear(hand.restPosition, wrist, "the hand stays at its wrist");
    const Joint& foot = skeleton.joints[*skeleton.JointOfBodyPart(*BodyPartIdOfName("Right foot"))];
    EXPECT_EQ(ParentName(skeleton, foot), "Right thigh");
    // Two parts missing in a row: the hand hangs from the upper body.
    const Joint& otherHand =
        skeleton.joints[*skeleton.JointOfBodyPart(*BodyPartIdOfName("Right hand"))];
    EXPECT_EQ(ParentName(skeleton, otherHand), "Upper body");
}

TEST(SkeletonWithPartsMissing, WithoutUpperBodyTheFirstPartInCatalogueOrderIsTheOnlyRoot) {
    const auto loaded = test::LoadSampleCreature("Female.bwp");
    ASSERT_TRUE(loaded->creature.RemovePart("Upper body"));
    ASSERT_TRUE(loaded->creature.RemovePart("Head"));
    const Skeleton skeleton = BuildSkeleton(loaded->creature);
    ExpectTreeShape(skeleton);
    const Joint& root = skeleton.joints.front();
    EXPECT_EQ(root.name, "Left ear");
    ExpectNear(root.restPosition,
               MeanOfPoints(loaded->creature.Part(int(root.partIndex))->TransformedPoints()),
               "the root stands at the centre of its points");
    // Parts whose ancestors are all gone hang from the root; parts whose parent is gone hang from
    // the nearest ancestor left (the neck for the face).
    const std::map<std::string, std::string> expected{
        {"Neck", "Left ear"},     {"Left arm", "Left ear"}, {"Right arm", "Left ear"},
        {"Stomach", "Left ear"},  {"Right ear", "Neck"},    {"Nose", "Neck"},
        {"Left thigh", "Stomach"}};
    for (const auto& [child, parent] : expected) {
        const Joint& joint = skeleton.joints[*skeleton.JointOfBodyPart(*BodyPartIdOfName(child))];
        EXPECT_EQ(ParentName(skeleton, joint), parent) << child;
    }
}

TEST(SkeletonWithPartsMissing, AnEmptyCreatureHasNoJoints) {
    SilentNotifier notifier;
    const Creature creature(notifier);
    const Skeleton skeleton = BuildSkeleton(creature);
    EXPECT_TRUE(skeleton.joints.empty());
    EXPECT_FALSE(skeleton.JointOfPart(0));
    EXPECT_FALSE(skeleton.JointOfBodyPart(-1));
}

TEST(JointAxes, TwistAlongThePartAndMirrorLeftToRight) {
    const auto frame = [](const char* name) {
        return AxisFrameOfBodyPart(*BodyPartIdOfName(name));
    };
    const AxisFrame left = frame("Left forearm");
    EXPECT_EQ(left.twist, (Vec3d{1, 0, 0}));
    EXPECT_EQ(left.bend, (Vec3d{0, 1, 0}));
    EXPECT_EQ(left.side, (Vec3d{0, 0, 1}));
    const AxisFrame right = frame("Right forearm");
    EXPECT_EQ(right.twist, (Vec3d{-1, 0, 0}));
    EXPECT_EQ(right.bend, (Vec3d{0, -1, 0}));
    EXPECT_EQ(right.side, (Vec3d{0, 0, -1}));
    const AxisFrame leg = frame("Left leg");
    EXPECT_EQ(leg.twist, (Vec3d{0, -1, 0}));
    EXPECT_EQ(leg.bend, (Vec3d{-1, 0, 0}));
    EXPECT_EQ(leg.side, (Vec3d{0, 0, -1}));
    const AxisFrame nose = frame("Nose");
    EXPECT_EQ(nose.twist, (Vec3d{0, 0, 1}));
    EXPECT_EQ(nose.bend, (Vec3d{1, 0, 0}));
    EXPECT_EQ(nose.side, (Vec3d{0, 1, 0}));
    for (BodyPartId id = 0; id < kBodyPartCount; ++id) {
        const AxisFrame f = AxisFrameOfBodyPart(id);
        EXPECT_EQ(Dot(f.twist, f.bend), 0.0) << id;
        EXPECT_EQ(Dot(f.twist, f.side), 0.0) << id;
        EXPECT_EQ(Dot(f.bend, f.side), 0.0) << id;
        EXPECT_EQ(Length(f.twist), 1.0) << id;
    }
}

}  // namespace
}  // namespace bw
