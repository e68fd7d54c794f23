// The adjustment transform: scale about the origin weakened by the distance from the centroid,
// sides chosen by the centroid, and the taper along the part's own axis.
#include "model/part_transform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "model/creature.h"
#include "support/object_file_builder.h"
#include "support/recording_notifier.h"

namespace bw {
namespace {

// Parts are not copyable: loaded in place.
void Load(PartObject& part, std::vector<Vec3f> points) {
    ObjectFileContents c;
    c.points = std::move(points);
    ASSERT_TRUE(part.LoadObjectImage(test::Encode(c)));
}

std::vector<Vec3f> Box(float x0, float x1, float y0, float y1, float z0, float z1) {
    std::vector<Vec3f> p;
    for (int i = 0; i < 8; ++i)
        p.push_back({(i & 1) ? x1 : x0, (i & 2) ? y1 : y0, (i & 4) ? z1 : z0});
    return p;
}

TEST(PartTransformTest, ZeroValuesGiveTheBasePointsAndRepeatingChangesNothing) {
    PartObject part;
    Load(part, Box(0.1f, 0.4f, 1, 1.5f, -0.2f, 0.3f));
    part.adjustments.taperAxis = 2;
    TransformPart(part);
    for (std::size_t i = 0; i < 8; ++i)
        EXPECT_EQ(part.TransformedPoints()[i], part.BasePoints()[i]);

    part.adjustments.scaleValue = {0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f, 0.7f, 0.8f, 0.9f};
    part.adjustments.taperValue = {0.3f, 0.2f, 0.1f};
    TransformPart(part);
    const std::vector<Vec3f> once(part.TransformedPoints().begin(), part.TransformedPoints().end());
    TransformPart(part);
    for (std::size_t i = 0; i < 8; ++i) EXPECT_EQ(part.TransformedPoints()[i], once[i]);
}

TEST(PartTransformTest, PositiveXActsOnlyBelowTheCentroidWeakenedByTheDistance) {
    PartObject part;
    // Centroid (1, 0, 0); the middle point lies on it.
    Load(part, {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}});
    part.adjustments.scaleValue[ScaleIndex(kScalePositive, 0)] = 0.5f;
    TransformPart(part);
    const auto q = part.TransformedPoints();
    EXPECT_FLOAT_EQ(q[0].x, 0.0f);  // x = 0 scales to 0 whatever the factor
    EXPECT_FLOAT_EQ(q[1].x, 1.0f);  // on the centroid: only the None value
    EXPECT_FLOAT_EQ(q[2].x, 2.0f);  // above: untouched

    PartObject shifted;
    Load(shifted, {{1, 0, 0}, {2, 0, 0}, {3, 0, 0}});
    shifted.adjustments.scaleValue[ScaleIndex(kScalePositive, 0)] = 0.5f;
    TransformPart(shifted);
    EXPECT_FLOAT_EQ(shifted.TransformedPoints()[0].x, 1.0f * (1.0f + 0.5f * std::cos(1.0f)));
    EXPECT_FLOAT_EQ(shifted.TransformedPoints()[2].x, 3.0f);

    shifted.adjustments.scaleValue = {};
    shifted.adjustments.scaleValue[ScaleIndex(kScaleNegative, 0)] = -0.25f;
    shifted.adjustments.scaleValue[ScaleIndex(kScaleNone, 1)] = 1.0f;  // y is 0 everywhere
    TransformPart(shifted);
    EXPECT_FLOAT_EQ(shifted.TransformedPoints()[0].x, 1.0f);
    EXPECT_FLOAT_EQ(shifted.TransformedPoints()[2].x, 3.0f * (1.0f - 0.25f * std::cos(1.0f)));
    EXPECT_FLOAT_EQ(shifted.TransformedPoints()[2].y, 0.0f);
}

TEST(PartTransformTest, EachScaleValueMovesOnlyItsOwnAxisAndSide) {
    // A box around the centroid (1, 2, 3), away from the origin so that every factor shows,
    // small enough that the weakening cosine stays positive.
    const std::vector<Vec3f> box = Box(0.5f, 1.5f, 1.5f, 2.5f, 2.5f, 3.5f);
    const Vec3f c{1, 2, 3};
    const auto coordinate = [](const Vec3f& v, int axis) {
        return axis == 0 ? v.x : axis == 1 ? v.y : v.z;
    };
    for (ScaleSide side : {kScaleNone, kScalePositive, kScaleNegative}) {
        for (int axis = 0; axis < 3; ++axis) {
            PartObject part;
            Load(part, box);
            part.adjustments.scaleValue[ScaleIndex(side, axis)] = 0.5f;
            TransformPart(part);
            for (std::size_t i = 0; i < box.size(); ++i) {
                const Vec3f& p = box[i];
                const Vec3f& q = part.TransformedPoints()[i];
                const float own = coordinate(p, axis) - coordinate(c, axis);
                // Positive acts below the centroid, Negative above it, None everywhere.
                const bool acts = side == kScaleNone || (side == kScalePositive && own < 0) ||
                                  (side == kScaleNegative && own > 0);
                for (int other = 0; other < 3; ++other) {
                    SCOPED_TRACE(testing::Message() << "value " << ScaleIndex(side, axis)
                                                    << ", point " << i << ", axis " << other);
                    if (other == axis && acts) {
                        EXPECT_GT(coordinate(q, other), coordinate(p, other) * 1.1f);
                    } else {
                        EXPECT_EQ(coordinate(q, other), coordinate(p, other));
                    }
                }
            }
        }
    }
}

TEST(PartTransformTest, PointAtTheCentroidGetsOnlyTheNoneValues) {
    PartObject part;
    Load(part, {{1, 2, 3}, {0.5f, 1.5f, 2.5f}, {1.5f, 2.5f, 3.5f}});
    part.adjustments.scaleValue = {0.1f, 0.2f, 0.3f, 5, 5, 5, 7, 7, 7};
    TransformPart(part);
    EXPECT_FLOAT_EQ(part.TransformedPoints()[0].x, 1.1f);
    EXPECT_FLOAT_EQ(part.TransformedPoints()[0].y, 2.4f);
    EXPECT_FLOAT_EQ(part.TransformedPoints()[0].z, 3.9f);
}

TEST(PartTransformTest, TaperAlongYHalvesTheBottomAndWidensTheTopWhateverTheSign) {
    for (int axis : {2, -2}) {
        PartObject part;
        // x, z around the centroid line (1, *, 1); y from 0 to 2, mid height at 1.
        std::vector<Vec3f> points = Box(0, 2, 0, 2, 0, 2);
        points.push_back({2, 1, 0});
        points.push_back({0, 1, 2});
        Load(part, points);
        part.adjustments.taperAxis = axis;
        part.adjustments.taperValue[0] = 0.5f;
        TransformPart(part);
        const auto q = part.TransformedPoints();
        const auto p = part.BasePoints();
        const Vec3f c{1, 1, 1};
        for (std::size_t i = 0; i < p.size(); ++i) {
            const float factor = p[i].y == 0 ? 0.5f : p[i].y == 2 ? 1.5f : 1.0f;
            EXPECT_FLOAT_EQ(q[i].x - c.x, (p[i].x - c.x) * factor)
                << "axis " << axis << " point " << i;
            EXPECT_FLOAT_EQ(q[i].z - c.z, (p[i].z - c.z) * factor);
            EXPECT_FLOAT_EQ(q[i].y, p[i].y);
        }
    }
}

TEST(PartTransformTest, LeftBottomTapersAboveTheCentroidAndRightTopBelowIt) {
    PartObject part;
    // Along X from 0 to 4 (centroid 2); y spreads 1 about the centroid's line at every x.
    Load(part, {{0, -1, 0},
                {0, 1, 0},
                {1, -1, 0},
                {1, 1, 0},
                {3, -1, 0},
                {3, 1, 0},
                {4, -1, 0},
                {4, 1, 0}});
    part.adjustments.taperAxis = 1;
    part.adjustments.taperValue[1] = 0.5f;  // Left/Bottom: acts where x > 2
    TransformPart(part);
    // s = 2 (t - 0.5): 0.5 at x = 3, 1 at x = 4; below the centroid nothing moves.
    EXPECT_FLOAT_EQ(part.TransformedPoints()[5].y, 1.25f);
    EXPECT_FLOAT_EQ(part.TransformedPoints()[7].y, 1.5f);
    EXPECT_FLOAT_EQ(part.TransformedPoints()[1].y, 1.0f);

    part.adjustments.taperValue = {0, 0, 0.5f};  // Right/Top: acts where x < 2
    TransformPart(part);
    // s = -1 at x = 0, -0.5 at x = 1: narrowed; above the centroid nothing moves.
    EXPECT_FLOAT_EQ(part.TransformedPoints()[1].y, 0.5f);
    EXPECT_FLOAT_EQ(part.TransformedPoints()[3].y, 0.75f);
    EXPECT_FLOAT_EQ(part.TransformedPoints()[7].y, 1.0f);
}

TEST(PartTransformTest, AnAxisThatNamesNoAxisDoesNotTaper) {
    // Such values come only from damaged project files; they must neither taper nor misbehave.
    for (int axis : {4, -4, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()}) {
        PartObject part;
        Load(part, Box(0, 1, 0, 1, 0, 1));
        part.adjustments.taperAxis = axis;
        part.adjustments.taperValue = {0.5f, 0.5f, 0.5f};
        TransformPart(part);
        for (std::size_t i = 0; i < 8; ++i)
            EXPECT_EQ(part.TransformedPoints()[i], part.BasePoints()[i]);
    }
}

TEST(PartTransformTest, NoTaperWithoutAxisOrOnAFlatPart) {
    PartObject cleared;
    Load(cleared, Box(0, 1, 0, 1, 0, 1));
    cleared.adjustments.taperValue = {0.9f, 0.9f, 0.9f};
    TransformPart(cleared);  // axis 0 after a reset: the shape is kept
    for (std::size_t i = 0; i < 8; ++i)
        EXPECT_EQ(cleared.TransformedPoints()[i], cleared.BasePoints()[i]);

    PartObject flat;
    Load(flat, {{0, 1, 0}, {1, 1, 0}, {1, 1, 1}});
    flat.adjustments.taperAxis = 2;
    flat.adjustments.taperValue = {0.9f, 0.9f, 0.9f};
    TransformPart(flat);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_TRUE(std::isfinite(flat.TransformedPoints()[i].x));
        EXPECT_EQ(flat.TransformedPoints()[i], flat.BasePoints()[i]);
    }
}

TEST(PartTransformTest, DistanceAndBounds) {
    EXPECT_EQ(PointDistance({1, 2, 3}, {1, 2, 3}), 0.0f);
    EXPECT_FLOAT_EQ(PointDistance({0, 0, 0}, {3, 4, 0}), 5.0f);
    PartObject none;
    EXPECT_FALSE(BaseBounds(none).has_value());
    PartObject part;
    Load(part, {{1, -2, 3}, {-1, 2, 0}});
    const auto b = BaseBounds(part);
    ASSERT_TRUE(b);
    EXPECT_EQ(b->min, (Vec3f{-1, -2, 0}));
    EXPECT_EQ(b->max, (Vec3f{1, 2, 3}));
}

TEST(PartTransformTest, ApplyAdjustmentsReattachesAndReweldsTheNeighbours) {
    test::TemporaryDirectory dir;
    test::RecordingNotifier notifier;
    Creature creature(notifier);
    ObjectFileContents forearm;
    forearm.points = {{0, 0, 0}, {0.2f, 0, 0}, {0, 0.5f, 0}, {0.2f, 0.5f, 0}};
    forearm.connectionSets[0] = {0, 1};  // to the hand
    forearm.connectionSets[1] = {2, 3};  // to the arm
    ObjectFileContents hand;
    hand.points = {{0, 0, 0}, {0.2f, 0, 0}, {0.1f, -0.3f, 0}};
    hand.connectionSets[0] = {0, 1};
    ASSERT_TRUE(creature.AddPart("Left forearm", dir.Write("f.bwo", test::Encode(forearm)), 10));
    ASSERT_TRUE(creature.AddPart("Left hand", dir.Write("h.bwo", test::Encode(hand)), 11));

    PartObject* f = creature.FindPartForEdit(10);
    f->adjustments.scaleValue[ScaleIndex(kScaleNone, 0)] = 0.5f;
    creature.ApplyAdjustments(f);
    PartObject* h = creature.FindPartForEdit(11);
    // The hand's set follows the stretched forearm's set and both hold the same points.
    EXPECT_EQ(h->TransformedPoints()[1], f->TransformedPoints()[1]);
    EXPECT_GT(f->TransformedPoints()[1].x, 0.25f);
    EXPECT_TRUE(notifier.messages.empty());
}

}  // namespace
}  // namespace bw
