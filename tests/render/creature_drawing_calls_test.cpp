// The creature drawing at the level of its OpenGL calls, against a recording double linked in
// place of libGL: lights, materials per surface run, normals, the highlight outline, and the
// state each routine leaves.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>

#include "render/gl/creature_drawing.h"
#include "render/recording_gl.h"
#include "render/view_transform.h"
#include "support/object_file_builder.h"
#include "support/recording_notifier.h"

namespace bw {
namespace {

using test::Float3;
using test::Float4;
using test::GlPrimitive;
using test::RecordingGl;

constexpr float kHalfPi = std::numbers::pi_v<float> / 2.0f;
const Float3 kYellow{1.0f, 1.0f, 0.0f};

// `surfaceOfQuad.size()` unit quads side by side along x from `x0`, facing +z, quad k using
// surface surfaceOfQuad[k]; surfaces are red, green and blue.
ObjectFileContents Strip(const std::vector<std::uint16_t>& surfaceOfQuad, float x0 = 0) {
    ObjectFileContents c;
    for (std::size_t i = 0; i <= surfaceOfQuad.size(); ++i) {
        c.points.push_back({x0 + float(i), 0, 0});
        c.points.push_back({x0 + float(i), 1, 0});
    }
    c.normals.assign(c.points.size(), Vec3f{0, 0, 1});
    for (std::size_t k = 0; k < surfaceOfQuad.size(); ++k) {
        const auto p = std::uint16_t(2 * k);
        c.polygons.push_back({{p, std::uint16_t(p + 2), std::uint16_t(p + 3), std::uint16_t(p + 1)},
                              surfaceOfQuad[k]});
    }
    c.surfaces = {{"Red", ColourDataBlock(255, 0, 0)},
                  {"Green", ColourDataBlock(0, 255, 0)},
                  {"Blue", ColourDataBlock(0, 0, 255)}};
    return c;
}

// Points only: a part with nothing to draw.
ObjectFileContents NoPolygons() { return test::RingContents({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}}); }

Float3 Xyz(const Vec3f& v) { return {v.x, v.y, v.z}; }
Float3 Rgb(const Float4& c) { return {c[0], c[1], c[2]}; }

MATCHER_P(Near3, expected, "") {
    for (int i = 0; i < 3; ++i)
        if (std::abs(arg[i] - expected[i]) > 1e-5f) return false;
    return true;
}

class CreatureDrawingCallsTest : public ::testing::Test {
  protected:
    void SetUp() override { gl().Reset(); }
    void TearDown() override {
        EXPECT_THAT(gl().errors, ::testing::IsEmpty());
        EXPECT_FALSE(gl().insideBegin);
    }
    static RecordingGl& gl() { return RecordingGl::Instance(); }

    // A loaded part with its view transform applied.
    static std::unique_ptr<PartObject> Loaded(const ObjectFileContents& contents, float yaw = 0) {
        auto part = std::make_unique<PartObject>();
        if (!part->LoadObjectImage(test::Encode(contents))) ADD_FAILURE() << "part not loaded";
        part->yaw = yaw;
        BuildViewMatrix(*part);
        TransformToView(*part);
        return part;
    }
    // Adds a part to the creature from a file.
    PartObject* Add(const std::string& bodyPart, const ObjectFileContents& contents) {
        const std::string path = dir.Write(bodyPart + ".bwo", test::Encode(contents));
        if (!creature.AddPart(bodyPart, path, *BodyPartIdOfName(bodyPart))) return nullptr;
        return creature.Part(creature.PartCount() - 1);
    }
    // The ambient-and-diffuse colour of every material set, in order.
    static std::vector<Float3> MaterialColours() {
        std::vector<Float3> colours;
        for (const auto& call : gl().CallsNamed("glMaterialfv"))
            if (call.args[1] == GL_AMBIENT_AND_DIFFUSE) {
                EXPECT_EQ(call.args[5], 1.0);
                colours.push_back({float(call.args[2]), float(call.args[3]), float(call.args[4])});
            }
        return colours;
    }
    static void ExpectLight(GLenum pname, Float4 expected) {
        ASSERT_TRUE(gl().light0.contains(pname)) << pname;
        const Float4 actual = gl().light0.at(pname);
        for (int i = 0; i < 4; ++i) EXPECT_FLOAT_EQ(actual[i], expected[i]) << pname << " " << i;
    }
    // The state every routine leaves.
    static void ExpectLeftState() {
        EXPECT_TRUE(gl().IsEnabled(GL_LIGHTING));
        EXPECT_FALSE(gl().IsEnabled(GL_CULL_FACE));
        EXPECT_FALSE(gl().IsEnabled(GL_POLYGON_OFFSET_LINE));
    }
    static void ExpectOutline(const GlPrimitive& p) {
        EXPECT_FALSE(p.state.lighting);
        EXPECT_EQ(p.state.polygonModeFront, GLenum(GL_LINE));
        EXPECT_EQ(p.state.polygonModeBack, GLenum(GL_LINE));
        EXPECT_THAT(Rgb(p.state.colour), Near3(kYellow));
    }

    test::TemporaryDirectory dir;
    test::RecordingNotifier notifier;
    Creature creature{notifier};
};

TEST_F(CreatureDrawingCallsTest, SmoothShadingLightsEveryCornerWithItsViewNormal) {
    const auto loaded = Loaded(Strip({0, 0}), kHalfPi);
    PartObject& part = *loaded;
    EXPECT_TRUE(DrawPartSmooth(part, 0.6f));

    EXPECT_EQ(gl().state.shadeModel, GLenum(GL_SMOOTH));
    ExpectLight(GL_POSITION, {-114, 14, -114, 1});
    ExpectLight(GL_AMBIENT, {0.6f, 0.6f, 0.6f, 0.1f});
    ExpectLight(GL_DIFFUSE, {0.6f, 0.6f, 0.6f, 0.4f});
    ExpectLight(GL_SPECULAR, {0, 0, 0, 0.1f});
    ASSERT_EQ(gl().primitives.size(), 2u);
    for (std::size_t k = 0; k < 2; ++k) {
        const GlPrimitive& quad = gl().primitives[k];
        EXPECT_EQ(quad.mode, GLenum(GL_QUADS));
        EXPECT_TRUE(quad.state.lighting);
        EXPECT_TRUE(quad.state.light0);
        EXPECT_EQ(quad.state.polygonModeFront, GLenum(GL_FILL));
        EXPECT_EQ(quad.state.polygonModeBack, GLenum(GL_FILL));
        ASSERT_EQ(quad.vertices.size(), 4u);
        const Quad& polygon = part.Polygons()[k];
        for (std::size_t i = 0; i < 4; ++i) {
            // View space, not model space: the yaw turned +z normals onto +x.
            EXPECT_EQ(quad.vertices[i].position, Xyz(part.viewPoints[polygon.corner[i]]));
            EXPECT_THAT(quad.vertices[i].normal, Near3(Float3{1, 0, 0}));
        }
    }
    // The current normal is left defined, that of the last corner drawn.
    EXPECT_THAT(gl().normal, Near3(Float3{1, 0, 0}));
    ExpectLeftState();
}

TEST_F(CreatureDrawingCallsTest, MaterialIsSetOncePerRunOfOneSurface) {
    const auto loaded = Loaded(Strip({0, 0, 1, 1, 1, 0, 2}));
    PartObject& part = *loaded;
    const Float3 red{1, 0, 0}, green{0, 1, 0}, blue{0, 0, 1};
    for (int flat = 0; flat < 2; ++flat) {
        SCOPED_TRACE(flat ? "flat" : "smooth");
        gl().Reset();
        EXPECT_TRUE(flat ? DrawPartFlat(part, 0.5f) : DrawPartSmooth(part, 0.5f));
        EXPECT_THAT(MaterialColours(),
                    ::testing::ElementsAre(Near3(red), Near3(green), Near3(red), Near3(blue)));
        // Each material set is complete: black specular and emission, no shininess, both faces.
        for (const auto& call : gl().CallsNamed("glMaterialfv")) {
            EXPECT_EQ(call.args[0], GL_FRONT_AND_BACK);
            if (call.args[1] == GL_SPECULAR || call.args[1] == GL_EMISSION) {
                EXPECT_THAT(call.args,
                            ::testing::ElementsAre(::testing::_, ::testing::_, 0, 0, 0, 1));
            }
        }
        EXPECT_EQ(gl().Count("glMaterialfv"), 4 * 3);
        EXPECT_THAT(
            gl().CallsNamed("glMaterialf"),
            ::testing::Each(::testing::Field(
                &test::GlCall::args, ::testing::ElementsAre(GL_FRONT_AND_BACK, GL_SHININESS, 0))));
        EXPECT_EQ(gl().Count("glMaterialf"), 4);
        // Every quad is drawn in its own surface's colour.
        ASSERT_EQ(gl().primitives.size(), part.Polygons().size());
        for (std::size_t k = 0; k < part.Polygons().size(); ++k) {
            const auto& colour = part.Surfaces()[part.Polygons()[k].surface].colour;
            EXPECT_THAT(Rgb(gl().primitives[k].state.frontDiffuse), Near3(colour)) << k;
            EXPECT_THAT(Rgb(gl().primitives[k].state.frontAmbient), Near3(colour)) << k;
        }
    }
    // Each drawing starts without a surface: the first material is set again, even when it is
    // the one still current from the last drawing.
    gl().Reset();
    DrawPartSmooth(part, 0.5f);
    DrawPartSmooth(part, 0.5f);
    EXPECT_EQ(MaterialColours().size(), 8u);
}

TEST_F(CreatureDrawingCallsTest,
       FlatShadingGivesOneFaceNormalPerPolygonAndKeepsItOnDegenerateFaces) {
    // A: facing +z; B: facing +y; C: its first three corners coincide; then A again.
    ObjectFileContents c = Strip({0});
    c.points = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {0, 0, 1}, {1, 0, 1}};
    c.normals.assign(c.points.size(), Vec3f{0, 0, 1});
    c.polygons = {Quad{{0, 1, 2, 3}, 0}, Quad{{0, 4, 5, 1}, 0}, Quad{{3, 3, 3, 2}, 0},
                  Quad{{0, 1, 2, 3}, 0}};
    const auto loaded = Loaded(c, kHalfPi);
    PartObject& part = *loaded;
    EXPECT_TRUE(DrawPartFlat(part, 0.25f));

    EXPECT_EQ(gl().state.shadeModel, GLenum(GL_FLAT));
    ExpectLight(GL_POSITION, {-4, 4, -4, 1});
    ExpectLight(GL_AMBIENT, {0.25f, 0.25f, 0.25f, 0.1f});
    ExpectLight(GL_DIFFUSE, {0.25f, 0.25f, 0.25f, 0.4f});
    ExpectLight(GL_SPECULAR, {1, 1, 1, 1});
    // Normals come from the view points: the yaw turns +z onto +x; +y stays.
    const std::vector<Float3> expected{{1, 0, 0}, {0, 1, 0}, {0, 1, 0}, {1, 0, 0}};
    ASSERT_EQ(gl().primitives.size(), 4u);
    for (std::size_t k = 0; k < 4; ++k) {
        const GlPrimitive& quad = gl().primitives[k];
        EXPECT_TRUE(quad.state.lighting);
        EXPECT_EQ(quad.state.polygonModeFront, GLenum(GL_FILL));
        ASSERT_EQ(quad.vertices.size(), 4u);
        for (const auto& v : quad.vertices) EXPECT_THAT(v.normal, Near3(expected[k])) << k;
    }
    // The next part's degenerate first face finds the last face's normal.
    EXPECT_THAT(gl().normal, Near3(expected.back()));

    // A degenerate first face keeps whatever normal was current before the part.
    c.polygons = {Quad{{3, 3, 3, 2}, 0}, Quad{{0, 1, 2, 3}, 0}};
    const auto degenerateFirst = Loaded(c);
    gl().Reset();
    glNormal3f(0, -1, 0);
    EXPECT_TRUE(DrawPartFlat(*degenerateFirst, 0.25f));
    ASSERT_EQ(gl().primitives.size(), 2u);
    EXPECT_THAT(gl().primitives[0].vertices[0].normal, Near3(Float3{0, -1, 0}));
    EXPECT_THAT(gl().primitives[1].vertices[0].normal, Near3(Float3{0, 0, 1}));
    ExpectLeftState();
}

TEST_F(CreatureDrawingCallsTest, WireframeDrawsUnlitOutlinesInTheCreaturesWireColour) {
    PartObject* plain = Add("Head", Strip({0, 1}));
    PartObject* highlighted = Add("Left hand", Strip({2, 2, 2}, 10));
    ASSERT_NE(plain, nullptr);
    ASSERT_NE(highlighted, nullptr);
    highlighted->highlight = 1;
    creature.shadingMode = ShadingMode::Wireframe;
    creature.wireColour = {0.25f, 0.5f, 0.75f};
    gl().Reset();
    DrawCreature(creature);

    EXPECT_EQ(plain->wireColour, creature.wireColour);
    EXPECT_EQ(highlighted->wireColour, creature.wireColour);
    // Drawn once each, the highlighted part in yellow: no overlay in wireframe.
    ASSERT_EQ(gl().primitives.size(), 5u);
    for (std::size_t k = 0; k < 5; ++k) {
        const GlPrimitive& quad = gl().primitives[k];
        EXPECT_FALSE(quad.state.lighting) << k;
        EXPECT_EQ(quad.state.polygonModeFront, GLenum(GL_LINE));
        EXPECT_EQ(quad.state.polygonModeBack, GLenum(GL_LINE));
        EXPECT_FALSE(quad.state.cullFace);
        EXPECT_FALSE(quad.state.offsetLine);
        EXPECT_THAT(Rgb(quad.state.colour), Near3(k < 2 ? Float3{0.25f, 0.5f, 0.75f} : kYellow))
            << k;
        EXPECT_EQ(quad.vertices.size(), 4u);
    }
    EXPECT_EQ(gl().Count("glNormal3f") + gl().Count("glNormalPointer"), 0);
    EXPECT_EQ(gl().Count("glMaterialfv"), 0);
    EXPECT_EQ(gl().Count("glCullFace"), 0);
    EXPECT_EQ(gl().Count("glPolygonOffset"), 0);
    ExpectLeftState();
}

TEST_F(CreatureDrawingCallsTest, HighlightedPartIsShadedThenOutlinedInSmoothAndFlat) {
    PartObject* plain = Add("Head", Strip({0}));
    PartObject* highlighted = Add("Left hand", Strip({1, 1}, 10));
    ASSERT_NE(highlighted, nullptr);
    highlighted->highlight = 1;
    const std::array<float, 3> wire = plain->wireColour;
    for (ShadingMode mode : {ShadingMode::Smooth, ShadingMode::Flat}) {
        SCOPED_TRACE(static_cast<int>(mode));
        creature.shadingMode = mode;
        gl().Reset();
        DrawCreature(creature);
        // The plain part's quad, the highlighted part's two shaded quads, then its outline.
        ASSERT_EQ(gl().primitives.size(), 5u);
        for (std::size_t k = 0; k < 3; ++k) {
            EXPECT_TRUE(gl().primitives[k].state.lighting);
            EXPECT_EQ(gl().primitives[k].state.polygonModeFront, GLenum(GL_FILL));
            EXPECT_FALSE(gl().primitives[k].state.cullFace);
        }
        for (std::size_t k = 3; k < 5; ++k) {
            const GlPrimitive& outline = gl().primitives[k];
            ExpectOutline(outline);
            EXPECT_TRUE(outline.state.cullFace);
            EXPECT_EQ(outline.state.cullFaceMode, GLenum(GL_FRONT));
            EXPECT_TRUE(outline.state.offsetLine);
            EXPECT_EQ(outline.state.offsetFactor, -1.0f);
            EXPECT_EQ(outline.state.offsetUnits, -1.0f);
            // The same four view points as the shaded quad under it.
            for (std::size_t i = 0; i < 4; ++i)
                EXPECT_EQ(outline.vertices[i].position,
                          gl().primitives[k - 2].vertices[i].position);
        }
        ExpectLeftState();
        // Shading modes leave the wire colour alone.
        EXPECT_EQ(plain->wireColour, wire);
    }
}

TEST_F(CreatureDrawingCallsTest, PartWithNothingToDrawDrawsNothingAndLeavesTheDrawingState) {
    const auto empty = Loaded(NoPolygons());
    PartObject neverTransformed;  // polygons, but no view points yet
    ASSERT_TRUE(neverTransformed.LoadObjectImage(test::Encode(Strip({0, 1}))));
    for (PartObject* part : {empty.get(), &neverTransformed}) {
        for (int routine = 0; routine < 4; ++routine) {
            SCOPED_TRACE(routine);
            gl().Reset();
            glDisable(GL_LIGHTING);
            glEnable(GL_CULL_FACE);
            glEnable(GL_POLYGON_OFFSET_LINE);
            const bool drawn = routine == 0   ? DrawPartSmooth(*part, 0.5f)
                               : routine == 1 ? DrawPartFlat(*part, 0.5f)
                               : routine == 2 ? DrawPartWire(*part)
                                              : DrawHighlightOverlay(*part);
            EXPECT_FALSE(drawn);
            EXPECT_THAT(gl().primitives, ::testing::IsEmpty());
            EXPECT_EQ(gl().Count("glMaterialfv"), 0);
            ExpectLeftState();
        }
    }

    // In a creature, a part drawn after an empty highlighted one finds lighting on and no
    // culling, whatever the state before.
    PartObject* first = Add("Head", NoPolygons());
    ASSERT_NE(first, nullptr);
    first->highlight = 1;
    ASSERT_NE(Add("Left hand", Strip({0})), nullptr);
    for (ShadingMode mode : {ShadingMode::Smooth, ShadingMode::Flat, ShadingMode::Wireframe}) {
        SCOPED_TRACE(static_cast<int>(mode));
        creature.shadingMode = mode;
        gl().Reset();
        glDisable(GL_LIGHTING);
        glEnable(GL_CULL_FACE);
        DrawCreature(creature);
        ASSERT_EQ(gl().primitives.size(), 1u);
        EXPECT_FALSE(gl().primitives[0].state.cullFace);
        EXPECT_EQ(gl().primitives[0].state.lighting, mode != ShadingMode::Wireframe);
        ExpectLeftState();
    }
}

TEST_F(CreatureDrawingCallsTest, CreatureDrawsPartsInListOrderAndNothingInAnUnknownMode) {
    PartObject* head = Add("Head", Strip({0}, -5));
    PartObject* hand = Add("Left hand", Strip({0}, 5));
    ASSERT_NE(hand, nullptr);
    creature.yaw = 0.25f;
    creature.pitch = -0.5f;
    creature.shadingMode = ShadingMode::Smooth;
    DrawCreature(creature);
    for (PartObject* part : {head, hand}) {
        EXPECT_EQ(part->yaw, 0.25f);
        EXPECT_EQ(part->pitch, -0.5f);
    }
    ASSERT_EQ(gl().primitives.size(), 2u);
    EXPECT_EQ(gl().primitives[0].vertices[0].position, Xyz(head->viewPoints[0]));
    EXPECT_EQ(gl().primitives[1].vertices[0].position, Xyz(hand->viewPoints[0]));

    for (int mode : {3, -1, 100}) {
        SCOPED_TRACE(mode);
        creature.shadingMode = static_cast<ShadingMode>(mode);
        head->highlight = 1;
        gl().Reset();
        DrawCreature(creature);
        EXPECT_THAT(gl().primitives, ::testing::IsEmpty());
        EXPECT_EQ(gl().Count("glMaterialfv"), 0);
        EXPECT_EQ(gl().Count("glLightfv"), 0);
        EXPECT_EQ(gl().Count("glColor3fv") + gl().Count("glColor3f"), 0);
    }
}

}  // namespace
}  // namespace bw
