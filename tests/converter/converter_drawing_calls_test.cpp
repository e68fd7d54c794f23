// The converter drawing at the level of its OpenGL calls, against the recording double linked
// in place of libGL: nothing without an object, the projection of each mode, materials per
// run, normals, the selected points, the marked path, and picking on the projected picture.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

#include "converter/converter_objects.h"
#include "converter/gl/converter_drawing.h"
#include "converter/recording_gl_matrices.h"
#include "render/recording_gl.h"
#include "support/recording_notifier.h"

namespace bw::test {
namespace {

using testing::ElementsAre;

class ConverterDrawingCallsTest : public testing::Test {
  protected:
    ConverterDrawingCallsTest() {
        RecordingGl::Instance().Reset();
        RecordingMatrices::Instance().Reset();
    }
    void Take(const PreparedObject& object) {
        NoProgress progress;
        ASSERT_TRUE(model.TakeObject(object, progress, nullptr));
    }
    static RecordingGl& Gl() { return RecordingGl::Instance(); }
    static std::vector<GlPrimitive> PrimitivesOf(GLenum mode) {
        std::vector<GlPrimitive> found;
        for (const GlPrimitive& p : Gl().primitives)
            if (p.mode == mode) found.push_back(p);
        return found;
    }

    RecordingNotifier notifier;
    ConverterModel model{notifier};
};

TEST_F(ConverterDrawingCallsTest, WithoutAnObjectNothingIsIssued) {
    EXPECT_TRUE(DrawConverter(model));
    EXPECT_TRUE(Gl().calls.empty());
}

TEST_F(ConverterDrawingCallsTest, PerspectiveModesKeepTheModelViewStackAndSetTheProjection) {
    Take(Tube(4, {0, 7}));
    model.viewMode = ConverterViewMode::Wire;
    EXPECT_TRUE(DrawConverter(model));
    EXPECT_TRUE(Gl().errors.empty()) << Gl().errors.front();
    EXPECT_EQ(Gl().CallsNamed("gluPerspective").front().args,
              (std::vector<double>{45.0, 1.0, 0.02, 400.0}));
    EXPECT_EQ(Gl().CallsNamed("glTranslated").front().args, (std::vector<double>{0, 0, -0.5}));
    EXPECT_EQ(Gl().CallsNamed("glScalef").front().args[0], 0.89f);
    EXPECT_TRUE(RecordingMatrices::Instance().modelViewStack.empty());
    EXPECT_EQ(RecordingMatrices::Instance().mode, GLenum(GL_MODELVIEW));
    // Wireframe: every polygon an unlit white quadrilateral drawn as lines.
    const auto quads = PrimitivesOf(GL_QUADS);
    ASSERT_EQ(quads.size(), 8u);
    EXPECT_FALSE(quads[0].state.lighting);
    EXPECT_EQ(quads[0].state.polygonModeFront, GLenum(GL_LINE));
    EXPECT_EQ(quads[0].state.colour, (Float4{1, 1, 1, 1}));
}

TEST_F(ConverterDrawingCallsTest, OrthographicModesScaleWithTheViewDistanceAndFixTheAngles) {
    Take(Tube(4, {0, 7}));
    model.viewMode = ConverterViewMode::Front;
    model.viewDistance = 2.0f;
    DrawConverter(model);
    EXPECT_EQ(Gl().CallsNamed("glOrtho").front().args,
              (std::vector<double>{-3, 3, -3, 3, -100, 40000}));
    EXPECT_EQ(model.heading, 3.14f);
    EXPECT_EQ(Gl().Count("gluPerspective"), 0);
    // A zero distance would be an empty box: no call, the identity stays, no error.
    Gl().Reset();
    model.viewDistance = 0.0f;
    DrawConverter(model);
    EXPECT_EQ(Gl().Count("glOrtho"), 0);
    EXPECT_TRUE(Gl().errors.empty());
}

TEST_F(ConverterDrawingCallsTest, SolidModeSetsEachMaterialOncePerRun) {
    Take(Tube(4, {0, 0, 7}));
    model.viewMode = ConverterViewMode::Solid;
    DrawConverter(model);
    EXPECT_EQ(Gl().light0[GL_POSITION], (Float4{-4, 4, 4, 1}));
    EXPECT_EQ(Gl().light0[GL_AMBIENT], (Float4{0.4f, 0.4f, 0.45f, 1}));
    const auto ambient = Gl().CallsNamed("glMaterialfv");
    int ambientCalls = 0;
    for (const GlCall& c : ambient) ambientCalls += c.args[1] == GL_AMBIENT;
    EXPECT_EQ(ambientCalls, 2);  // head, then neck
    const auto quads = PrimitivesOf(GL_QUADS);
    ASSERT_EQ(quads.size(), 12u);
    EXPECT_TRUE(quads[0].state.lighting);
    EXPECT_EQ(quads[0].state.polygonModeFront, GLenum(GL_FILL));
    EXPECT_EQ(quads[11].state.frontDiffuse, (Float4{7 / 255.0f, 14 / 255.0f, 21 / 255.0f, 1}));
    // Each vertex carries its display normal: the tube's normals point away from its axis.
    EXPECT_NEAR(quads[0].vertices[0].normal[0], 1.0f, 1e-6);

    // Hide rest: the selected body part's polygons only, its material once.
    Gl().Reset();
    model.hideRest = 1;
    model.selectedBodyPart = 7;
    DrawConverter(model);
    EXPECT_EQ(PrimitivesOf(GL_QUADS).size(), 4u);
    ambientCalls = 0;
    for (const GlCall& c : Gl().CallsNamed("glMaterialfv")) ambientCalls += c.args[1] == GL_AMBIENT;
    EXPECT_EQ(ambientCalls, 1);
}

TEST_F(ConverterDrawingCallsTest, SmoothModeKeepsThePreviousNormalForADegenerateFace) {
    PreparedObject object = Grid(2, 1, 2, 0, 0);
    // Polygon 1 becomes degenerate: vertices 0, 1 and 3 at one point.
    object.corners[object.polygonStart[1] + 1] = object.corners[object.polygonStart[1]];
    object.corners[object.polygonStart[1] + 3] = object.corners[object.polygonStart[1]];
    Take(object);
    model.viewMode = ConverterViewMode::Smooth;
    DrawConverter(model);
    const auto quads = PrimitivesOf(GL_QUADS);
    ASSERT_EQ(quads.size(), 2u);
    EXPECT_EQ(Gl().Count("glNormal3d"), 1);
    EXPECT_EQ(quads[1].vertices[0].normal, quads[0].vertices[0].normal);
    EXPECT_NEAR(quads[0].vertices[0].normal[2], 1.0f, 1e-6);
}

TEST_F(ConverterDrawingCallsTest, SelectedPointsAndTheMarkedPath) {
    Take(Tube(4, {0, 7}));
    for (int p : {4, 5, 6, 7}) ASSERT_TRUE(model.MarkPoint(p));
    model.showSelection = 1;
    DrawConverter(model);
    const auto points = PrimitivesOf(GL_POINTS);
    ASSERT_EQ(points.size(), 4u);
    EXPECT_EQ(points[0].state.colour, (Float4{0, 1, 0, 1}));
    EXPECT_EQ(RecordingMatrices::Instance().pointSize, 1.0f);
    const auto lines = PrimitivesOf(GL_LINES);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].state.colour[0], 1.0f);
    EXPECT_EQ(lines[1].state.colour[0], 0.875f);
    EXPECT_EQ(lines[2].state.colour[0], 0.75f);
    // From entry 0 to entry 1, lifted off the surface along the normal by 1/400 of the
    // object's size: the tube spans 2 x 2 x 2 units.
    const float lift = std::sqrt(12.0f) / 400.0f;
    const ConverterPoint& start = model.DisplayPoints()[4];
    EXPECT_FLOAT_EQ(lines[0].vertices[0].position[0], start.x + lift * model.DisplayNormals()[4].x);
    EXPECT_FLOAT_EQ(lines[0].vertices[1].position[1], model.DisplayPoints()[5].y);
    EXPECT_EQ(Gl().state.colour, (Float4{1, 1, 1, 1}));
}

TEST_F(ConverterDrawingCallsTest, PicksUseThePicturesWindowPositions) {
    Take(Tube(4, {0, 7}));
    model.viewDistance = -3.0f;  // the tube well in front of the eye
    DrawConverter(model);
    // The projected picture: point 4 lies where the projection put it, apart from the others.
    const ConverterPoint& p = model.DisplayPoints()[4];
    const int height = RecordingMatrices::Instance().viewport[3];
    ASSERT_GT(p.windowX, 0);
    ASSERT_LT(p.windowX, 200);
    PickPoints(model, p.windowX + 2, height - 1 - p.windowY);
    EXPECT_THAT(model.MarkedPointIndices(), ElementsAre(4));
}

}  // namespace
}  // namespace bw::test
