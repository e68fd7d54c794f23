// The face normal of flat shading: direction and length, and every case that gives none.
#include "render/face_normal.h"

#include <gtest/gtest.h>

#include <limits>

namespace bw {
namespace {

TEST(FaceNormalTest, UnitNormalOfTheFirstThreeCornersByTheRightHandRule) {
    const auto up = FaceNormal({0, 0, 0}, {1, 0, 0}, {0, 1, 0});
    ASSERT_TRUE(up.has_value());
    EXPECT_EQ(*up, (Vec3f{0, 0, 1}));

    // Reversed winding faces the other way; size and position do not matter.
    const auto down = FaceNormal({5, 5, 5}, {5, 8, 5}, {9, 5, 5});
    ASSERT_TRUE(down.has_value());
    EXPECT_EQ(*down, (Vec3f{0, 0, -1}));

    const auto slanted = FaceNormal({0, 0, 0}, {0, 2, 0}, {0, 2, 2});
    ASSERT_TRUE(slanted.has_value());
    EXPECT_EQ(*slanted, (Vec3f{1, 0, 0}));

    const auto diagonal = FaceNormal({0, 0, 0}, {1, -1, 0}, {1, 1, -2});
    ASSERT_TRUE(diagonal.has_value());
    const Vec3f n = *diagonal;
    EXPECT_NEAR(n.x * n.x + n.y * n.y + n.z * n.z, 1.0f, 1e-6f);
    EXPECT_NEAR(n.x, n.y, 1e-6f);  // (2, 2, 2) normalised
    EXPECT_NEAR(n.y, n.z, 1e-6f);
}

TEST(FaceNormalTest, DegenerateTinyAndNonFiniteFacesGiveNoNormal) {
    EXPECT_FALSE(FaceNormal({1, 2, 3}, {1, 2, 3}, {1, 2, 3}).has_value());  // coincident
    EXPECT_FALSE(FaceNormal({0, 0, 0}, {0, 0, 0}, {4, 4, 0}).has_value());  // a = b
    EXPECT_FALSE(FaceNormal({0, 0, 0}, {1, 1, 1}, {3, 3, 3}).has_value());  // collinear
    // Cross product of length 1e-6, not above the limit; 1e-4 is.
    EXPECT_FALSE(FaceNormal({0, 0, 0}, {0.001f, 0, 0}, {0, 0.001f, 0}).has_value());
    EXPECT_TRUE(FaceNormal({0, 0, 0}, {0.01f, 0, 0}, {0, 0.01f, 0}).has_value());

    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_FALSE(FaceNormal({0, 0, 0}, {inf, 0, 0}, {0, 1, 0}).has_value());
    EXPECT_FALSE(FaceNormal({0, 0, 0}, {nan, 0, 0}, {0, 1, 0}).has_value());
    // Finite points whose float cross product would overflow still give a unit normal.
    const float big = 1e30f;
    const auto huge = FaceNormal({0, 0, 0}, {big, 0, 0}, {0, big, 0});
    ASSERT_TRUE(huge.has_value());
    EXPECT_EQ(*huge, (Vec3f{0, 0, 1}));
}

}  // namespace
}  // namespace bw
