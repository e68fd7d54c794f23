// The per-part view transform: the rotation order, the pan applied to points only, and parts
// whose arrays are empty or short.
#include "render/view_transform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "support/object_file_builder.h"

namespace bw {
namespace {

constexpr float kHalfPi = std::numbers::pi_v<float> / 2.0f;
constexpr float kTolerance = 1e-6f;

void ExpectNear(const Vec3f& actual, const Vec3f& expected) {
    EXPECT_NEAR(actual.x, expected.x, kTolerance);
    EXPECT_NEAR(actual.y, expected.y, kTolerance);
    EXPECT_NEAR(actual.z, expected.z, kTolerance);
}

// A part whose points are the unit axes and one general point, with the axes as normals.
void LoadAxes(PartObject& part) {
    ObjectFileContents c;
    c.points = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {2, -3, 5}};
    c.normals = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {0, 0.6f, 0.8f}};
    if (!part.LoadObjectImage(test::Encode(c))) ADD_FAILURE() << "part not loaded";
}

void View(PartObject& part, float yaw, float pitch, float panX = 0, float panY = 0) {
    part.yaw = yaw;
    part.pitch = pitch;
    part.panX = panX;
    part.panY = panY;
    BuildViewMatrix(part);
    TransformToView(part);
}

TEST(ViewTransformTest, NoRotationOrPanLeavesPointsAndNormalsAsTheyAre) {
    PartObject part;
    LoadAxes(part);
    View(part, 0, 0);
    const std::array<double, 12> identity{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0};
    EXPECT_EQ(part.viewMatrix, identity);
    ASSERT_EQ(part.viewPoints.size(), 4u);
    ASSERT_EQ(part.viewNormals.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(part.viewPoints[i], part.TransformedPoints()[i]);
        EXPECT_EQ(part.viewNormals[i], part.Normals()[i]);
    }
}

TEST(ViewTransformTest, YawTurnsAboutYAndPitchAboutX) {
    PartObject part;
    LoadAxes(part);
    View(part, kHalfPi, 0);
    ExpectNear(part.viewPoints[0], {0, 0, -1});
    ExpectNear(part.viewPoints[2], {1, 0, 0});
    ExpectNear(part.viewPoints[1], {0, 1, 0});  // on the axis
    ExpectNear(part.viewNormals[0], {0, 0, -1});

    View(part, 0, kHalfPi);
    ExpectNear(part.viewPoints[1], {0, 0, 1});
    ExpectNear(part.viewPoints[2], {0, -1, 0});
    ExpectNear(part.viewPoints[0], {1, 0, 0});  // on the axis
    ExpectNear(part.viewNormals[1], {0, 0, 1});
}

TEST(ViewTransformTest, PitchIsAppliedBeforeYaw) {
    // R = Ry(yaw) * Rx(pitch): (0, 1, 0) is pitched onto +z, then yawed onto +x. The other
    // order would leave it at +z.
    PartObject part;
    LoadAxes(part);
    View(part, kHalfPi, kHalfPi);
    ExpectNear(part.viewPoints[1], {1, 0, 0});
    ExpectNear(part.viewNormals[1], {1, 0, 0});

    // A general angle pair against the rotation written out by hand.
    const float yaw = 0.7f, pitch = -1.3f;
    View(part, yaw, pitch);
    const double cy = std::cos(double(yaw)), sy = std::sin(double(yaw));
    const double cp = std::cos(double(pitch)), sp = std::sin(double(pitch));
    const double x = 2, y = -3, z = 5;
    const double py = cp * y - sp * z, pz = sp * y + cp * z;  // pitched about X
    ExpectNear(part.viewPoints[3], {float(cy * x + sy * pz), float(py), float(-sy * x + cy * pz)});
    // A rotation keeps lengths.
    const Vec3f& n = part.viewNormals[3];
    EXPECT_NEAR(n.x * n.x + n.y * n.y + n.z * n.z, 1.0f, 1e-6f);
}

TEST(ViewTransformTest, PanMovesPointsOnlyAndAfterTheRotation) {
    PartObject part;
    LoadAxes(part);
    View(part, 0, 0, 0.3f, -0.2f);
    for (std::size_t i = 0; i < 4; ++i) {
        const Vec3f& p = part.TransformedPoints()[i];
        ExpectNear(part.viewPoints[i], {p.x + 0.3f, p.y - 0.2f, p.z});
        EXPECT_EQ(part.viewNormals[i], part.Normals()[i]);
    }
    // The pan is in view space: a turned part is still moved along view x and y.
    View(part, kHalfPi, 0, 0.3f, -0.2f);
    ExpectNear(part.viewPoints[0], {0.3f, -0.2f, -1});
    ExpectNear(part.viewNormals[0], {0, 0, -1});
}

TEST(ViewTransformTest, PartsWithoutPointsOrWithoutFileNormals) {
    PartObject empty;
    View(empty, 1, 1, 1, 1);
    EXPECT_TRUE(empty.viewPoints.empty());
    EXPECT_TRUE(empty.viewNormals.empty());

    // Normals only, no points: nothing to transform and nothing read past the arrays.
    PartObject normalsOnly;
    ASSERT_TRUE(normalsOnly.LoadObjectImage(
        test::ChunkBuilder()
            .Header(2, 0, 0)
            .Chunk("NRMS", test::ChunkBuilder::Floats({0, 0, 1, 0, 1, 0}))
            .Bytes()));
    View(normalsOnly, 1, 1);
    EXPECT_TRUE(normalsOnly.viewPoints.empty());

    // A reused part keeps its view arrays at one entry per point.
    PartObject part;
    LoadAxes(part);
    View(part, 0, 0);
    View(part, 0.5f, 0.5f);
    EXPECT_EQ(part.viewPoints.size(), 4u);
    EXPECT_EQ(part.viewNormals.size(), 4u);
}

}  // namespace
}  // namespace bw
