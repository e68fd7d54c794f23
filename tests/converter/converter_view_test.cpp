// The converter view's arithmetic: the view matrix, display points, what the view modes fix,
// the marked path's colours, picking within seven pixels and the camera drags.
#include "converter/converter_view.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

#include "converter/converter_camera.h"
#include "converter/converter_objects.h"
#include "converter/converter_picking.h"
#include "support/recording_notifier.h"

namespace bw::test {
namespace {

using testing::ElementsAre;

class ConverterViewTest : public testing::Test {
  protected:
    void Take(const PreparedObject& object) {
        NoProgress progress;
        ASSERT_TRUE(model.TakeObject(object, progress, nullptr));
    }
    // Places display point p at window pixel (x, y), y up, as a projection would.
    void PlaceInWindow(int p, int x, int y) {
        model.DisplayPoints()[std::size_t(p)].windowX = x;
        model.DisplayPoints()[std::size_t(p)].windowY = y;
    }

    RecordingNotifier notifier;
    ConverterModel model{notifier};
};

// The matrix as the product Ry(a) * Rx(c) * Rz(b) * S of the right-handed rotations.
std::array<double, 9> Product(double a, double c, double b, double sx, double sy, double sz) {
    const double ry[9] = {std::cos(a), 0, std::sin(a), 0, 1, 0, -std::sin(a), 0, std::cos(a)};
    const double rx[9] = {1, 0, 0, 0, std::cos(c), -std::sin(c), 0, std::sin(c), std::cos(c)};
    const double rz[9] = {std::cos(b), -std::sin(b), 0, std::sin(b), std::cos(b), 0, 0, 0, 1};
    const double s[9] = {sx, 0, 0, 0, sy, 0, 0, 0, sz};
    auto multiply = [](const double* l, const double* r, double* out) {
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j) {
                out[3 * i + j] = 0;
                for (int k = 0; k < 3; ++k) out[3 * i + j] += l[3 * i + k] * r[3 * k + j];
            }
    };
    double t1[9], t2[9];
    std::array<double, 9> result{};
    multiply(ry, rx, t1);
    multiply(t1, rz, t2);
    multiply(t2, s, result.data());
    return result;
}

TEST_F(ConverterViewTest, ViewMatrixIsHeadingTimesPitchTimesRollTimesScale) {
    model.heading = 0.7f;
    model.pitch = -0.3f;
    model.roll = 0.2f;  // the model keeps these at 0 and 1; the formula must still hold
    model.scale = {2.0f, 0.5f, 1.5f};
    model.translation = {1.0f, 2.0f, 3.0f};
    UpdateViewTransform(model);
    const auto expected = Product(0.7f, -0.3f, 0.2f, 2.0, 0.5, 1.5);
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col)
            EXPECT_NEAR(model.viewMatrix[std::size_t(4 * row + col)],
                        expected[std::size_t(3 * row + col)], 1e-12);
        EXPECT_EQ(model.viewMatrix[std::size_t(4 * row + 3)], row + 1.0);
    }
}

TEST_F(ConverterViewTest, DisplayPointsAreCentredOnTheShownGroupAndOffset) {
    Take(Tube(4, {0, 7}));
    model.viewOffsetX = 0.25f;
    model.viewDistance = -2.0f;
    UpdateViewTransform(model);
    TransformToDisplay(model);
    const ConverterPoint& p = model.DisplayPoints()[std::size_t(TubePoint(4, 2, 0))];
    EXPECT_FLOAT_EQ(p.x, 1.25f);
    EXPECT_FLOAT_EQ(p.y, 2.0f);
    EXPECT_FLOAT_EQ(p.z, -2.0f);

    model.hideRest = 1;
    model.selectedBodyPart = 7;  // the neck, centred at y = 1.5
    model.heading = 1.5707963f;  // a quarter turn: x goes to -z, normals turn alike
    UpdateViewTransform(model);
    TransformToDisplay(model);
    EXPECT_NEAR(p.y, 0.5f, 1e-6);
    EXPECT_NEAR(p.z, -3.0f, 1e-6);
    const ConverterPoint& n = model.DisplayNormals()[std::size_t(TubePoint(4, 2, 0))];
    EXPECT_NEAR(n.x, 0.0f, 1e-6);
    EXPECT_NEAR(n.z, -1.0f, 1e-6);
    // Without a selected body part hide rest centres nothing.
    model.selectedBodyPart = -1;
    TransformToDisplay(model);
    EXPECT_NEAR(p.y, 2.0f, 1e-6);
}

TEST_F(ConverterViewTest, OrthographicModesFixTheAnglesOthersKeepThem) {
    model.heading = 0.4f;
    model.pitch = 0.6f;
    model.viewMode = ConverterViewMode::Solid;
    ApplyViewModeAngles(model);
    EXPECT_EQ(model.heading, 0.4f);
    model.viewMode = ConverterViewMode::Top;
    ApplyViewModeAngles(model);
    EXPECT_EQ(model.heading, 0.0f);
    EXPECT_EQ(model.pitch, 1.57f);
    model.viewMode = ConverterViewMode::Front;
    ApplyViewModeAngles(model);
    EXPECT_EQ(model.heading, 3.14f);
    EXPECT_EQ(model.pitch, 0.0f);
    model.viewMode = ConverterViewMode::Side;
    ApplyViewModeAngles(model);
    EXPECT_EQ(model.heading, 1.57f);
    model.viewMode = ConverterViewMode::Wire;  // back to a perspective mode: the angles stay
    ApplyViewModeAngles(model);
    EXPECT_EQ(model.heading, 1.57f);

    EXPECT_EQ(PolygonStyleOf(ConverterViewMode::Solid), ConverterPolygonStyle::VertexNormals);
    EXPECT_EQ(PolygonStyleOf(ConverterViewMode::Smooth), ConverterPolygonStyle::FaceNormals);
    EXPECT_EQ(PolygonStyleOf(static_cast<ConverterViewMode>(9)), ConverterPolygonStyle::Wireframe);
    EXPECT_EQ(PolygonStyleOf(ConverterViewMode::Side), ConverterPolygonStyle::Wireframe);
}

TEST_F(ConverterViewTest, MarkedPathDarkensLineByLine) {
    EXPECT_THAT(MarkedPathReds(4), ElementsAre(1.0f, 0.875f, 0.75f));
    EXPECT_TRUE(MarkedPathReds(1).empty());
    EXPECT_TRUE(MarkedPathReds(0).empty());
}

TEST_F(ConverterViewTest, PickTogglesEveryPointCloserThanSevenPixels) {
    Take(Tube(4, {0, 7}));
    for (int p = 0; p < model.PointCount(); ++p) PlaceInWindow(p, 1000, 1000);
    // Viewport 100 pixels high: window row 60 (y up) is cursor row 39 (y down).
    PlaceInWindow(3, 50, 60);
    PlaceInWindow(5, 53, 60);  // 3 pixels from point 3: both within reach
    PlaceInWindow(6, 50, 67);  // exactly 7 pixels from the cursor: not picked
    PickPointsAt(model, 50, 39, 100);
    EXPECT_THAT(model.MarkedPointIndices(), ElementsAre(3, 5));
    EXPECT_EQ(model.ModelPoints()[6].selected, 0);

    // Picking a selected point removes only its entry; the rest keep their order.
    PlaceInWindow(8, 10, 10);
    PickPointsAt(model, 10, 89, 100);
    EXPECT_THAT(model.MarkedPointIndices(), ElementsAre(3, 5, 8));
    PlaceInWindow(3, 1000, 1000);
    PickPointsAt(model, 52, 39, 100);  // reaches point 5 only
    EXPECT_THAT(model.MarkedPointIndices(), ElementsAre(3, 8));
    EXPECT_EQ(model.ModelPoints()[5].selected, 0);
    EXPECT_EQ(model.DisplayPoints()[5].selected, 0);
    EXPECT_EQ(model.DisplayPoints()[8].selected, 1);
}

TEST_F(ConverterViewTest, HideRestPicksOnlyTheSelectedBodyPart) {
    Take(Tube(4, {0, 7}));
    for (int p = 0; p < model.PointCount(); ++p) PlaceInWindow(p, 20, 20);
    model.hideRest = 1;
    model.selectedBodyPart = 0;  // the head: rings 0 and 1
    PickPointsAt(model, 20, 79, 100);
    EXPECT_THAT(model.MarkedPointIndices(), ElementsAre(0, 1, 2, 3, 4, 5, 6, 7));
    // Without an object nothing happens.
    ConverterModel empty(notifier);
    PickPointsAt(empty, 20, 79, 100);
    EXPECT_EQ(empty.MarkedPoints().Count(), 0);
}

TEST_F(ConverterViewTest, FarOffWindowPositionsAreNeverPicked) {
    Take(Tube(4, {0, 7}));
    for (int p = 0; p < model.PointCount(); ++p) PlaceInWindow(p, INT32_MIN, INT32_MAX);
    PickPointsAt(model, INT32_MAX, INT32_MIN, INT32_MAX);
    EXPECT_EQ(model.MarkedPoints().Count(), 0);
}

TEST_F(ConverterViewTest, RightDragMovesOffsetsOrAnglesOrDistance) {
    ApplyConverterRightDrag(model, 10, -20, false, false);
    EXPECT_FLOAT_EQ(model.viewOffsetX, -0.02f);
    EXPECT_FLOAT_EQ(model.viewOffsetY, -0.04f);
    ApplyConverterRightDrag(model, 10, -20, false, true);
    EXPECT_FLOAT_EQ(model.heading, -0.02f);
    EXPECT_FLOAT_EQ(model.pitch, -0.04f);
    ApplyConverterRightDrag(model, 10, 50, true, true);  // Shift wins over Ctrl
    EXPECT_FLOAT_EQ(model.viewDistance, -0.1f);
    EXPECT_FLOAT_EQ(model.heading, -0.02f);
    ApplyConverterMiddleDrag(model, -50);
    EXPECT_NEAR(model.viewDistance, 0.0f, 1e-7);
}

}  // namespace
}  // namespace bw::test
