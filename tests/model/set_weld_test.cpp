// Centroids, moves and welds of connection sets: a weld leaves both parts of a seam with the
// same points and the same normals, the average of what each had.
#include "model/set_weld.h"

#include <gtest/gtest.h>

#include "support/object_file_builder.h"

namespace bw {
namespace {

// A part of the given points and normals whose set 1 is every point in order.
void Load(PartObject& part, std::vector<Vec3f> points, std::vector<Vec3f> normals) {
    ObjectFileContents c = test::RingContents(std::move(points));
    c.normals = std::move(normals);
    ASSERT_TRUE(part.LoadObjectImage(test::Encode(c)));
}

TEST(SetWeld, CentroidIsTheMeanOfTheSetsTransformedPoints) {
    PartObject part;
    Load(part, {{0, 0, 0}, {2, 4, 0}, {4, 2, 6}}, {{0, 0, 1}, {0, 0, 1}, {0, 0, 1}});
    const std::vector<std::uint16_t> lastTwo{1, 2};
    const Vec3d c = SetCentroid(part, lastTwo);
    EXPECT_DOUBLE_EQ(c.x, 3.0);
    EXPECT_DOUBLE_EQ(c.y, 3.0);
    EXPECT_DOUBLE_EQ(c.z, 3.0);
    part.TransformedPoints()[2] = {10, 10, 10};  // as after an adjustment
    EXPECT_DOUBLE_EQ(SetCentroid(part, lastTwo).x, 6.0);
    const Vec3d none = SetCentroid(part, {});
    EXPECT_EQ(none.x + none.y + none.z, 0.0);
}

TEST(SetWeld, MoveBringsTheCentroidsTogetherAndEmptySetsDoNotMove) {
    PartObject x;
    PartObject y;
    Load(x, {{0, 0, 0}, {2, 0, 0}}, {{0, 0, 1}, {0, 0, 1}});
    Load(y, {{10, 1, 0}, {12, 3, 0}}, {{0, 0, 1}, {0, 0, 1}});
    MoveSetOnto(x, x.ConnectionSet(0), y, y.ConnectionSet(0));
    EXPECT_EQ(x.TransformedPoints()[0], (Vec3f{10, 2, 0}));
    EXPECT_EQ(x.BasePoints()[1], (Vec3f{12, 2, 0}));
    EXPECT_EQ(y.TransformedPoints()[0], (Vec3f{10, 1, 0}));  // the target stays

    MoveSetOnto(x, {}, y, {});
    EXPECT_EQ(x.TransformedPoints()[0], (Vec3f{10, 2, 0}));
}

TEST(SetWeld, BothSidesGetTheAveragePointsAndNormalsInSetOrder) {
    PartObject x;
    PartObject y;
    Load(x, {{0, 0, 0}, {2, 0, 0}, {9, 9, 9}}, {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}});
    Load(y, {{4, 2, 0}, {0, 2, 2}}, {{0, 0, 1}, {0, -1, 0}});
    // Point 1 of x meets point 0 of y and point 0 of x meets point 1 of y.
    const std::vector<std::uint16_t> a{1, 0};
    const std::vector<std::uint16_t> b{0, 1};
    WeldSets(x, a, y, b);
    EXPECT_EQ(x.TransformedPoints()[1], (Vec3f{3, 1, 0}));
    EXPECT_EQ(y.TransformedPoints()[0], (Vec3f{3, 1, 0}));
    EXPECT_EQ(x.TransformedPoints()[0], (Vec3f{0, 1, 1}));
    EXPECT_EQ(y.TransformedPoints()[1], (Vec3f{0, 1, 1}));
    // Normals are averaged on both sides, not normalised.
    EXPECT_EQ(x.Normals()[1], (Vec3f{0, 0.5f, 0.5f}));
    EXPECT_EQ(y.Normals()[0], (Vec3f{0, 0.5f, 0.5f}));
    EXPECT_EQ(x.Normals()[0], (Vec3f{0.5f, -0.5f, 0}));
    EXPECT_EQ(y.Normals()[1], (Vec3f{0.5f, -0.5f, 0}));
    // Points outside the sets, and base points, are not welded.
    EXPECT_EQ(x.TransformedPoints()[2], (Vec3f{9, 9, 9}));
    EXPECT_EQ(x.Normals()[2], (Vec3f{0, 0, 1}));
    EXPECT_EQ(x.BasePoints()[1], (Vec3f{2, 0, 0}));
    EXPECT_EQ(y.BasePoints()[0], (Vec3f{4, 2, 0}));
}

}  // namespace
}  // namespace bw
