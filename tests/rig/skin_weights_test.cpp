#include "rig/skin_weights.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <vector>

#include "rig/skeleton.h"
#include "rig_test_creatures.h"

namespace bw {
namespace {

// Point i of one part's set and point i of its neighbour's matching set, for every pair of
// present parts the creature welds.
struct WeldedPair {
    int partA;
    std::uint16_t pointA;
    int partB;
    std::uint16_t pointB;
};

std::vector<WeldedPair> WeldedPairs(const Creature& creature) {
    std::vector<WeldedPair> pairs;
    for (int a = 0; a < creature.PartCount(); ++a) {
        const PartObject& part = *creature.Part(a);
        for (const SetConnection& c : ConnectionsOfTypeCode(part.GetTypeCode())) {
            for (int b = 0; b < creature.PartCount(); ++b) {
                const PartObject& other = *creature.Part(b);
                if (other.GetTypeCode() != c.neighbour) continue;
                const auto own = part.ConnectionSet(c.ownSet - 1);
                const auto theirs = other.ConnectionSet(c.neighbourSet - 1);
                if (own.size() != theirs.size()) continue;
                for (std::size_t i = 0; i < own.size(); ++i)
                    pairs.push_back({a, own[i], b, theirs[i]});
            }
        }
    }
    return pairs;
}

// How many welded sets each point of the creature lies in.
std::vector<std::vector<int>> SeamMemberships(const Creature& creature,
                                              const std::vector<WeldedPair>& pairs) {
    std::vector<std::vector<int>> count(std::size_t(creature.PartCount()));
    for (int p = 0; p < creature.PartCount(); ++p)
        count[std::size_t(p)].assign(creature.Part(p)->PointCount(), 0);
    for (const WeldedPair& pair : pairs) ++count[std::size_t(pair.partA)][pair.pointA];
    return count;
}

void ExpectWellFormed(const PointWeights& w, std::size_t jointCount) {
    ASSERT_GE(w.count, 1);
    ASSERT_LE(w.count, kMaxInfluences);
    double sum = 0.0;
    for (std::size_t k = 0; k < w.count; ++k) {
        const Influence& influence = w.influences[k];
        EXPECT_TRUE(std::isfinite(influence.weight));
        EXPECT_GT(influence.weight, 0.0f);
        EXPECT_LT(influence.joint, jointCount);
        if (k > 0) {
            EXPECT_GE(w.influences[k - 1].weight, influence.weight);
        }
        sum += influence.weight;
    }
    EXPECT_NEAR(sum, 1.0, 1e-6);
}

TEST(SkinWeightsOfSampleCreatures, AreNormalisedSharedAcrossWeldsAndWeighEveryJoint) {
    for (const std::string& project : test::SampleProjectNames()) {
        SCOPED_TRACE(project);
        const auto loaded = test::LoadSampleCreature(project);
        const Creature& creature = loaded->creature;
        const Skeleton skeleton = BuildSkeleton(creature);
        const SkinWeights weights = ComputeSkinWeights(creature, skeleton);
        ASSERT_EQ(weights.parts.size(), std::size_t(creature.PartCount()));
        std::set<std::uint16_t> weighing;
        for (int p = 0; p < creature.PartCount(); ++p) {
            const auto& part = weights.parts[std::size_t(p)];
            ASSERT_EQ(part.size(), creature.Part(p)->PointCount());
            for (const PointWeights& w : part) {
                ExpectWellFormed(w, skeleton.joints.size());
                for (const Influence& influence : w.Used()) weighing.insert(influence.joint);
            }
        }
        EXPECT_EQ(weighing.size(), skeleton.joints.size()) << "a joint weighs no point";

        const std::vector<WeldedPair> pairs = WeldedPairs(creature);
        ASSERT_FALSE(pairs.empty());
        const auto memberships = SeamMemberships(creature, pairs);
        int halves = 0;
        for (const WeldedPair& pair : pairs) {
            const PointWeights& a = weights.parts[std::size_t(pair.partA)][pair.pointA];
            const PointWeights& b = weights.parts[std::size_t(pair.partB)][pair.pointB];
            ASSERT_EQ(a, b) << BodyPartName(creature.Part(pair.partA)->bodyPart) << " point "
                            << pair.pointA;
            if (memberships[std::size_t(pair.partA)][pair.pointA] != 1 ||
                memberships[std::size_t(pair.partB)][pair.pointB] != 1)
                continue;
            // A point on one seam only: half its part's joint, half the neighbour's.
            ++halves;
            ASSERT_EQ(a.count, 2);
            EXPECT_EQ(a.influences[0].weight, 0.5f);
            EXPECT_EQ(a.influences[1].weight, 0.5f);
            const std::set<std::uint16_t> joints{a.influences[0].joint, a.influences[1].joint};
            const std::set<std::uint16_t> expected{
                std::uint16_t(*skeleton.JointOfPart(std::size_t(pair.partA))),
                std::uint16_t(*skeleton.JointOfPart(std::size_t(pair.partB)))};
            EXPECT_EQ(joints, expected);
        }
        EXPECT_GT(halves, 0);
    }
}

// The weight a point gives its own part's joint.
float OwnWeight(const PointWeights& w, std::size_t joint) {
    for (const Influence& influence : w.Used())
        if (influence.joint == joint) return influence.weight;
    return 0.0f;
}

TEST(SkinWeightsNearASeam, FadeFromHalfAtTheSeamToTheOwnJointOverTheBand) {
    const test::TemporaryDirectory directory;
    const auto loaded = test::SyntheticLeftArm(directory);
    const Creature& creature = loaded->creature;
    const Skeleton skeleton = BuildSkeleton(creature);
    const SkinWeights weights = ComputeSkinWeights(creature, skeleton);
    const int forearm = test::PartIndexOf(creature, "Left forearm");
    const std::size_t forearmJoint = *skeleton.JointOfPart(std::size_t(forearm));
    const auto& forearmWeights = weights.parts[std::size_t(forearm)];
    const double band = kSeamBandFraction * test::kLimbLength;

    // Rings from the elbow (ring 0) to the wrist (last ring): own weight rises from one half
    // to all over the band, stays whole in the middle, and falls back to a half at the wrist.
    std::vector<float> ownByRing;
    for (int ring = 0; ring < test::kLimbRings; ++ring) {
        const float own = OwnWeight(forearmWeights[std::size_t(4 * ring)], forearmJoint);
        for (int k = 1; k < 4; ++k)
            EXPECT_NEAR(OwnWeight(forearmWeights[std::size_t(4 * ring + k)], forearmJoint), own,
                        1e-6);
        ownByRing.push_back(own);
    }
    EXPECT_EQ(ownByRing.front(), 0.5f);
    EXPECT_EQ(ownByRing.back(), 0.5f);
    for (int ring = 1; ring < test::kLimbRings / 2; ++ring) {
        const double distance = ring * double(test::kLimbStep);
        if (distance < band - 1e-4) {
            EXPECT_GT(ownByRing[std::size_t(ring)], ownByRing[std::size_t(ring - 1)]) << ring;
            EXPECT_LT(ownByRing[std::size_t(ring)], 1.0f) << ring;
        } else if (distance > band + 1e-4) {
            EXPECT_EQ(ownByRing[std::size_t(ring)], 1.0f) << ring;
            EXPECT_EQ(forearmWeights[std::size_t(4 * ring)].count, 1) << ring;
        }
    }
    for (int ring = test::kLimbRings / 2; ring + 1 < test::kLimbRings; ++ring)
        EXPECT_GE(ownByRing[std::size_t(ring)], ownByRing[std::size_t(ring + 1)]) << ring;
    EXPECT_LT(ownByRing[std::size_t(test::kLimbRings - 2)], 1.0f);
    // A quarter of the way into the band the neighbour still has most of its half.
    const int quarterRing = int(std::lround(band / 4 / test::kLimbStep));
    EXPECT_LT(ownByRing[std::size_t(quarterRing)], 0.6f);

    // On the parent's side of the elbow the forearm's share fades the same way.
    const int arm = test::PartIndexOf(creature, "Left arm");
    const auto& armWeights = weights.parts[std::size_t(arm)];
    const std::size_t armJoint = *skeleton.JointOfPart(std::size_t(arm));
    float previous = 0.5f;
    for (int ring = test::kLimbRings - 2; ring > test::kLimbRings / 2; --ring) {
        const float own = OwnWeight(armWeights[std::size_t(4 * ring)], armJoint);
        EXPECT_GE(own, previous) << ring;
        previous = own;
    }
    EXPECT_LT(OwnWeight(armWeights[std::size_t(4 * (test::kLimbRings - 2))], armJoint), 1.0f);
    EXPECT_EQ(previous, 1.0f);
}

TEST(SkinWeightsNearASeam, AreSharedByEveryPointOfAGroupWeldedAcrossTwoSeams) {
    const test::TemporaryDirectory directory;
    const auto loaded = test::SyntheticLeftArm(directory);
    const Creature& creature = loaded->creature;
    const int arm = test::PartIndexOf(creature, "Left arm");
    const int forearm = test::PartIndexOf(creature, "Left forearm");
    const int hand = test::PartIndexOf(creature, "Left hand");
    // The forearm's wrist set takes in point 0 of its elbow set as its last point, so that
    // point is welded to the arm (elbow) and to the hand (wrist) at once.
    const auto wrist = creature.Part(forearm)->ConnectionSet(0);
    const auto elbow = creature.Part(forearm)->ConnectionSet(1);
    wrist.back() = elbow.front();
    const std::uint16_t armPoint = creature.Part(arm)->ConnectionSet(0).front();
    const std::uint16_t handPoint = creature.Part(hand)->ConnectionSet(0).back();

    const Skeleton skeleton = BuildSkeleton(creature);
    const SkinWeights weights = ComputeSkinWeights(creature, skeleton);
    const PointWeights& shared = weights.parts[std::size_t(forearm)][elbow.front()];
    EXPECT_EQ(weights.parts[std::size_t(arm)][armPoint], shared);
    EXPECT_EQ(weights.parts[std::size_t(hand)][handPoint], shared);
    ASSERT_EQ(shared.count, 3);
    EXPECT_EQ(shared.influences[0].joint, *skeleton.JointOfPart(std::size_t(forearm)));
    EXPECT_GT(shared.influences[0].weight, shared.influences[1].weight);
    EXPECT_EQ(shared.influences[1].weight, shared.influences[2].weight);
    ExpectWellFormed(shared, skeleton.joints.size());
}

TEST(SkinWeightsOfOddCreatures, APartWithoutAJointAndAnEmptyCreatureHaveNoWeights) {
    SilentNotifier notifier;
    const Creature empty(notifier);
    EXPECT_TRUE(ComputeSkinWeights(empty, BuildSkeleton(empty)).parts.empty());

    // Weights from a skeleton of another creature never read outside this one.
    const test::TemporaryDirectory directory;
    const auto arm = test::SyntheticLeftArm(directory);
    const auto sample = test::LoadSampleCreature("Insect.bwp");
    const SkinWeights mismatched =
        ComputeSkinWeights(arm->creature, BuildSkeleton(sample->creature));
    EXPECT_EQ(mismatched.parts.size(), std::size_t(arm->creature.PartCount()));
}

}  // namespace
}  // namespace bw
