// The real preview under Xvfb + Mesa: pixels grabbed from its framebuffer for each shading
// mode and the highlight, and the camera effects of drags and double clicks.
#include "render/ui/preview_view.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <cmath>

#include "model/part_object.h"
#include "render/preview_navigation.h"
#include "rig/creature_pose.h"
#include "support/gui_fixture.h"
#include "support/object_file_builder.h"
#include "support/recording_notifier.h"
#include "support/render_compare.h"

namespace bw::test {
namespace {

constexpr int kSide = 200;

// A preview of its own, showing one cube (0.2 units wide, centred on the origin) or the
// sample creature.
class PreviewViewTest : public testing::Test {
  protected:
    PreviewViewTest() : creature(notifier) {
        view.resize(kSide, kSide);
        view.SetCreature(&creature);
        view.SetBackgroundColour({0.0f, 0.0f, 1.0f});
        creature.lightLevel = kInitialLightLevel;
    }

    void AddCube() {
        ObjectFileContents cube = CubeContents({-0.5f, -0.5f, -0.5f});
        for (Vec3f& p : cube.points) p = {p.x * 0.2f, p.y * 0.2f, p.z * 0.2f};
        const std::string path = directory.Write("Head/Cube.bwo", Encode(cube));
        ASSERT_TRUE(creature.AddPart("Head", path, 0));
    }

    QImage Render() {
        view.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&view));
        return view.DrawAndReadFrame();
    }

    static QColor Centre(const QImage& image) {
        return image.pixelColor(image.width() / 2, image.height() / 2);
    }
    // Pixels of a colour close to (r, g, b), within 8 levels per channel.
    static int CountColour(const QImage& image, int r, int g, int b) {
        return test::CountColour(image, r, g, b, 8);
    }

    // Eight parts of the male sample creature, the left arm among them.
    void AddSampleCreature() {
        const std::string library = SampleLibraryDirectory();
        const char* files[][2] = {
            {"Head", "Male-Square.bwo"},         {"Neck", "Male-Thick.bwo"},
            {"Upper body", "Male-Athletic.bwo"}, {"Stomach", "Male-Flat.bwo"},
            {"Left arm", "Male-Slim.bwo"},       {"Right thigh", "Male-Slim.bwo"},
            {"Right leg", "Male-Slim.bwo"},      {"Right foot", "Male-Bare.bwo"}};
        for (const auto& [part, file] : files) {
            const auto id = BodyPartIdOfName(part);
            ASSERT_TRUE(id.has_value());
            ASSERT_TRUE(creature.AddPart(part, library + "/" + part + "/" + file, *id));
        }
    }

    void Mouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QMouseEvent event(type, QPointF(at), view.mapToGlobal(QPointF(at)), button, buttons,
                          modifiers);
        QApplication::sendEvent(&view, &event);
    }
    void Drag(Qt::MouseButton button, QPoint from, QPoint to,
              Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        Mouse(QEvent::MouseButtonPress, from, button, button, modifiers);
        Mouse(QEvent::MouseMove, to, Qt::NoButton, button, modifiers);
        Mouse(QEvent::MouseButtonRelease, to, button, Qt::NoButton, modifiers);
    }

    TemporaryDirectory directory;
    RecordingNotifier notifier;
    Creature creature;
    PreviewView view;
};

TEST_F(PreviewViewTest, ClearsToTheBackgroundColour) {
    const QImage image = Render();
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(Centre(image), QColor(0, 0, 255));
    EXPECT_EQ(image.pixelColor(0, 0), QColor(0, 0, 255));
}

TEST_F(PreviewViewTest, SmoothAndFlatDrawALitPartAndWireframeItsOutlines) {
    AddCube();
    creature.shadingMode = ShadingMode::Smooth;
    const QColor smooth = Centre(Render());
    EXPECT_NE(smooth, QColor(0, 0, 255)) << "a shaded part covers the centre";
    EXPECT_GT(smooth.red(), smooth.blue()) << "the cube's orange surface, lit";

    creature.shadingMode = ShadingMode::Flat;
    view.update();
    const QColor flat = Centre(Render());
    EXPECT_NE(flat, QColor(0, 0, 255));

    creature.shadingMode = ShadingMode::Wireframe;
    creature.wireColour = {0.0f, 1.0f, 0.0f};
    view.update();
    const QImage wire = Render();
    EXPECT_GT(CountColour(wire, 0, 255, 0), 50) << "green outlines";
    EXPECT_EQ(CountColour(wire, 255, 255, 0), 0);
}

TEST_F(PreviewViewTest, AHighlightedPartIsOutlinedInYellow) {
    AddCube();
    creature.FindPartForEdit(0);
    for (ShadingMode mode : {ShadingMode::Smooth, ShadingMode::Flat}) {
        creature.shadingMode = mode;
        view.update();
        EXPECT_GT(CountColour(Render(), 255, 255, 0), 50) << "mode " << static_cast<int>(mode);
    }
    creature.shadingMode = ShadingMode::Wireframe;
    creature.wireColour = {0.0f, 1.0f, 0.0f};
    view.update();
    const QImage wire = Render();
    EXPECT_GT(CountColour(wire, 255, 255, 0), 50) << "highlighted wireframe is yellow";
    EXPECT_EQ(CountColour(wire, 0, 255, 0), 0);
}

TEST_F(PreviewViewTest, AnUnknownShadingModeDrawsNothing) {
    AddCube();
    creature.shadingMode = static_cast<ShadingMode>(3);
    const QImage image = Render();
    EXPECT_EQ(CountColour(image, 0, 0, 255), image.width() * image.height());
}

// The whole sample creature, smooth and flat, against committed images (render_compare.h
// documents the tolerance).
TEST_F(PreviewViewTest, TheSampleCreatureMatchesItsBaselines) {
    AddSampleCreature();
    EXPECT_TRUE(notifier.messages.empty());
    creature.yaw = 0.4f;
    creature.pitch = 0.2f;
    creature.FindPartForEdit(*BodyPartIdOfName("Left arm"));
    creature.shadingMode = ShadingMode::Smooth;
    EXPECT_EQ(CompareWithBaseline(Render(), "PreviewSampleCreatureSmooth"), "");
    creature.shadingMode = ShadingMode::Flat;
    view.update();
    EXPECT_EQ(CompareWithBaseline(Render(), "PreviewSampleCreatureFlat"), "");
}

// The same creature posed, with and without its skeleton drawn over it; back at rest it is
// drawn as before it was posed.
TEST_F(PreviewViewTest, APosedCreatureAndItsSkeletonMatchTheirBaselines) {
    AddSampleCreature();
    creature.yaw = 0.4f;
    creature.pitch = 0.2f;
    creature.shadingMode = ShadingMode::Smooth;
    const QImage rest = Render();

    CreaturePose pose;
    view.SetCreaturePose(&pose);
    ASSERT_TRUE(pose.SetRotation(*BodyPartIdOfName("Left arm"), {60.0f, 0.0f, 0.0f}));
    ASSERT_TRUE(pose.SetRotation(*BodyPartIdOfName("Right thigh"), {-45.0f, 0.0f, 0.0f}));
    ASSERT_TRUE(pose.SetRotation(*BodyPartIdOfName("Neck"), {0.0f, 0.0f, 30.0f}));
    view.update();
    const QImage posed = Render();
    EXPECT_NE(posed, rest);
    EXPECT_EQ(CompareWithBaseline(posed, "PreviewSampleCreaturePosed"), "");

    creature.wireColour = {0.0f, 1.0f, 0.0f};
    view.SetShowSkeleton(true);
    const QImage skeleton = Render();
    EXPECT_GT(CountColour(skeleton, 0, 255, 0), 100) << "bones and joints in the wire colour";
    EXPECT_EQ(CompareWithBaseline(skeleton, "PreviewSampleCreatureSkeleton"), "");

    view.SetShowSkeleton(false);
    pose.SetPose(Pose{});
    view.update();
    EXPECT_EQ(Render(), rest);
}

// The sample creature subdivided: smooth at the first level and flat at the second against
// committed images; the edited part's outline follows its own subdivided faces, and "Parts"
// draws exactly what it drew before.
TEST_F(PreviewViewTest, TheSubdividedSampleCreatureMatchesItsBaselinesAndOutlinesTheEditedPart) {
    AddSampleCreature();
    creature.yaw = 0.4f;
    creature.pitch = 0.2f;
    creature.shadingMode = ShadingMode::Smooth;
    const QImage parts = Render();

    view.SetSurfaceLevel(1);
    const QImage smooth = Render();
    EXPECT_NE(smooth, parts);
    EXPECT_EQ(CountColour(smooth, 255, 255, 0), 0) << "no part is edited";
    EXPECT_EQ(CompareWithBaseline(smooth, "PreviewSampleCreatureSmoothLevel1"), "");
    creature.shadingMode = ShadingMode::Flat;
    view.SetSurfaceLevel(2);
    EXPECT_EQ(CompareWithBaseline(Render(), "PreviewSampleCreatureFlatLevel2"), "");

    // The left arm's outline: its yellow lies where the arm is drawn, the right thigh's
    // elsewhere; both differ from the outline of the parts' own faces.
    creature.shadingMode = ShadingMode::Smooth;
    view.SetSurfaceLevel(1);
    const auto outlined = [&](const char* part) {
        creature.FindPartForEdit(*BodyPartIdOfName(part));
        view.update();
        return Render();
    };
    // The number of yellow pixels and their mean column.
    const auto yellowColumns = [](const QImage& image) {
        double sum = 0.0;
        int count = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.red() >= 247 && c.green() >= 247 && c.blue() <= 8) {
                    sum += x;
                    ++count;
                }
            }
        }
        return std::pair{count, count ? sum / count : 0.0};
    };
    const auto [armYellow, armX] = yellowColumns(outlined("Left arm"));
    const auto [thighYellow, thighX] = yellowColumns(outlined("Right thigh"));
    EXPECT_GT(armYellow, 50);
    EXPECT_GT(thighYellow, 50);
    // Seen turned by the yaw, the left arm is drawn to the right of the right thigh.
    EXPECT_GT(armX, thighX + 20.0);
    view.SetSurfaceLevel(0);
    const auto [partsYellow, partsX] = yellowColumns(outlined("Right thigh"));
    EXPECT_NE(partsYellow, thighYellow);

    // The wireframe of the edited part is yellow, the rest in the wire colour.
    creature.shadingMode = ShadingMode::Wireframe;
    creature.wireColour = {0.0f, 1.0f, 0.0f};
    view.SetSurfaceLevel(2);
    const QImage wire = Render();
    EXPECT_GT(CountColour(wire, 255, 255, 0), 50);
    EXPECT_GT(CountColour(wire, 0, 255, 0), 500);

    // "Parts" again: the pixels of the parts' own drawing.
    creature.ClearHighlights();
    creature.shadingMode = ShadingMode::Smooth;
    view.SetSurfaceLevel(0);
    EXPECT_EQ(Render(), parts);
}

TEST_F(PreviewViewTest, DragsRotatePanAndZoomByTheirStepSizes) {
    Render();
    Drag(Qt::LeftButton, {50, 50}, {150, 50});
    EXPECT_FLOAT_EQ(creature.yaw, -0.5f);
    EXPECT_FLOAT_EQ(creature.pitch, 0.0f);

    Drag(Qt::RightButton, {50, 100}, {50, 50}, Qt::ShiftModifier);
    EXPECT_NEAR(view.Zoom(), 1.0f, 1e-6f);
    EXPECT_NEAR(creature.lightLevel, 0.4f, 1e-6f);

    Drag(Qt::RightButton, {50, 50}, {60, 40});
    EXPECT_NEAR(creature.panX, 0.02f, 1e-6f);
    EXPECT_NEAR(creature.panY, 0.02f, 1e-6f);

    // Dragging down brings the creature closer.
    for (int k = 0; k < 3; ++k) Drag(Qt::MiddleButton, {10, 0}, {10, 199});
    EXPECT_FLOAT_EQ(view.Zoom(), kMaxZoom);
    EXPECT_FLOAT_EQ(creature.lightLevel, 0.7f);
    for (int k = 0; k < 6; ++k) Drag(Qt::MiddleButton, {10, 199}, {10, 0});
    EXPECT_FLOAT_EQ(view.Zoom(), kMinZoom);
}

TEST_F(PreviewViewTest, SwappedButtonsExchangeRotateAndPan) {
    Render();
    view.SetSwapMouseButtons(true);
    Drag(Qt::RightButton, {50, 50}, {150, 50});
    EXPECT_FLOAT_EQ(creature.yaw, -0.5f);
    Drag(Qt::LeftButton, {50, 50}, {40, 50});
    EXPECT_NEAR(creature.panX, -0.02f, 1e-6f);

    Mouse(QEvent::MouseButtonDblClick, {5, 5}, Qt::RightButton, Qt::RightButton);
    EXPECT_EQ(creature.yaw, 0.0f) << "right double click resets the rotation when swapped";
    EXPECT_NE(creature.panX, 0.0f);
    Mouse(QEvent::MouseButtonDblClick, {5, 5}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(creature.panX, 0.0f);
}

// A scene that keeps the drags it is given.
struct RecordingScene : PreviewScene {
    void Draw() override { ++draws; }
    void Pick(int x, int y) override { picks.push_back({x, y}); }
    void RightDrag(int dx, int dy, bool, bool) override { rightDrags.push_back({dx, dy}); }
    void MiddleDrag(int dy) override { middleDrags.push_back(dy); }
    int draws = 0;
    std::vector<std::pair<int, int>> picks, rightDrags;
    std::vector<int> middleDrags;
};

TEST_F(PreviewViewTest, ASceneRightDragMovesByEachMovesOwnDistance) {
    Render();
    RecordingScene scene;
    view.SetScene(&scene);
    Mouse(QEvent::MouseButtonPress, {10, 10}, Qt::RightButton, Qt::RightButton);
    Mouse(QEvent::MouseMove, {20, 15}, Qt::NoButton, Qt::RightButton);
    Mouse(QEvent::MouseMove, {25, 15}, Qt::NoButton, Qt::RightButton);
    Mouse(QEvent::MouseMove, {25, 5}, Qt::NoButton, Qt::RightButton);
    Mouse(QEvent::MouseButtonRelease, {25, 5}, Qt::RightButton, Qt::NoButton);
    // (last - new) of each move, never the distance from the press.
    EXPECT_EQ(scene.rightDrags, (std::vector<std::pair<int, int>>{{-10, -5}, {-5, 0}, {0, 10}}));
    view.SetScene(nullptr);
}

TEST_F(PreviewViewTest, MovesWithoutCaptureAndWithASceneLeaveTheCreature) {
    Render();
    Mouse(QEvent::MouseMove, {90, 90}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(creature.yaw, 0.0f);

    // Releasing one button ends the capture: the still-held one stops dragging.
    Mouse(QEvent::MouseButtonPress, {50, 50}, Qt::LeftButton, Qt::LeftButton);
    Mouse(QEvent::MouseButtonPress, {50, 50}, Qt::RightButton, Qt::LeftButton | Qt::RightButton);
    Mouse(QEvent::MouseButtonRelease, {50, 50}, Qt::RightButton, Qt::LeftButton);
    Mouse(QEvent::MouseMove, {150, 50}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(creature.yaw, 0.0f);
    Mouse(QEvent::MouseButtonRelease, {150, 50}, Qt::LeftButton, Qt::NoButton);

    creature.yaw = 0.25f;
    RecordingScene scene;
    view.SetScene(&scene);
    view.Repaint();
    EXPECT_EQ(scene.draws, 1);
    Drag(Qt::LeftButton, {50, 50}, {150, 50});
    Drag(Qt::RightButton, {50, 50}, {40, 45});
    Mouse(QEvent::MouseButtonDblClick, {5, 5}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(creature.yaw, 0.25f);
    // The scene took the drags instead: picks in device pixels, moves as last minus new.
    const int ratio = int(view.devicePixelRatio());
    ASSERT_FALSE(scene.picks.empty());
    EXPECT_EQ(scene.picks.back(), std::make_pair(150 * ratio, 50 * ratio));
    ASSERT_EQ(scene.rightDrags.size(), 1u);
    EXPECT_EQ(scene.rightDrags[0], std::make_pair(10, 5));
    view.SetScene(nullptr);
}

TEST_F(PreviewViewTest, TheWheelZoomsAsATwentyPixelZoomDragPerNotchWithoutAMessage) {
    Render();
    const auto turn = [this](int angleDelta) {
        QWheelEvent wheel(QPointF(10, 20), view.mapToGlobal(QPointF(10, 20)), QPoint(),
                          QPoint(0, angleDelta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                          false);
        QApplication::sendEvent(&view, &wheel);
    };
    turn(kWheelNotch);  // away from the user: closer
    EXPECT_NEAR(view.Zoom(), ZoomedBy(kInitialZoom, -20), 1e-6f);
    EXPECT_GT(view.Zoom(), kInitialZoom);
    turn(-kWheelNotch);
    EXPECT_NEAR(view.Zoom(), kInitialZoom, 1e-6f);
    // A fine-grained wheel: three sixths of a notch make half a notch's zoom.
    for (int k = 0; k < 3; ++k) turn(-kWheelNotch / 6);
    EXPECT_NEAR(view.Zoom(), ZoomedBy(kInitialZoom, 10), 1e-6f);
    for (int k = 0; k < 200; ++k) turn(kWheelNotch);
    EXPECT_FLOAT_EQ(view.Zoom(), kMaxZoom);
    EXPECT_TRUE(notifier.messages.empty());

    // Over a scene (the converter's view), a notch away is a 20-pixel middle drag upwards.
    RecordingScene scene;
    view.SetScene(&scene);
    turn(kWheelNotch);
    turn(-2 * kWheelNotch);
    EXPECT_EQ(scene.middleDrags, (std::vector<int>{20, -40}));
    EXPECT_FLOAT_EQ(view.Zoom(), kMaxZoom);
    view.SetScene(nullptr);
}

}  // namespace
}  // namespace bw::test
