#include "converter/gl/converter_drawing.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <optional>

#include "converter/converter_picking.h"
#include "converter/converter_view.h"
#include "render/preview_camera.h"

namespace bw {
namespace {

// The picture is squeezed horizontally to suit the preview's proportions.
constexpr GLfloat kHorizontalSqueeze = 0.89f;
constexpr double kOrthographicHalfSize = 1.5;  // times the view distance
constexpr double kOrthographicNear = -100.0;
constexpr double kOrthographicFar = 40000.0;
constexpr double kPerspectiveAspect = 1.0;

constexpr GLfloat kLightPosition[4] = {-4.0f, 4.0f, 4.0f, 1.0f};
constexpr GLfloat kLightAmbient[4] = {0.4f, 0.4f, 0.45f, 1.0f};
constexpr GLfloat kLightDiffuse[4] = {1.0f, 1.0f, 1.0f, 0.4f};
constexpr GLfloat kLightSpecular[4] = {1.0f, 1.0f, 1.0f, 1.0f};
constexpr GLfloat kBlack[4] = {0.0f, 0.0f, 0.0f, 1.0f};
// Materials beyond this index are drawn in material 0's colour.
constexpr std::int32_t kLastDrawnMaterial = 655;
constexpr GLfloat kSelectedPointSize = 4.0f;

// Window coordinates are kept well inside the int range: a point at the eye or far outside the
// view can project to any value (or none).
constexpr double kWindowLimit = 1.0e9;
constexpr std::int32_t kNoWindowPosition = -1000000000;

std::int32_t WindowCoordinate(double value) {
    if (!std::isfinite(value)) return kNoWindowPosition;
    if (value > kWindowLimit) value = kWindowLimit;
    if (value < -kWindowLimit) value = -kWindowLimit;
    return std::int32_t(value);  // toward zero
}

void Vertex(const ConverterPoint& p) { glVertex3f(p.x, p.y, p.z); }

void QuadThroughDisplayPoints(const ConverterModel& model, const ConverterPolygon& polygon) {
    const auto display = model.DisplayPoints();
    glBegin(GL_QUADS);
    for (std::int32_t v : polygon.vertices) Vertex(display[std::size_t(v)]);
    glEnd();
}

void SetLight() {
    glLightfv(GL_LIGHT0, GL_POSITION, kLightPosition);
    glLightfv(GL_LIGHT0, GL_AMBIENT, kLightAmbient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, kLightDiffuse);
    glLightfv(GL_LIGHT0, GL_SPECULAR, kLightSpecular);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
}

void ApplyMaterial(const ConverterModel& model, std::int32_t material) {
    const auto materials = model.Materials();
    if (material > kLastDrawnMaterial || material < 0 || std::size_t(material) >= materials.size())
        material = 0;
    if (materials.empty()) return;
    const auto& c = materials[std::size_t(material)].colour;
    const GLfloat colour[4] = {c[0], c[1], c[2], 1.0f};
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, colour);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, colour);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, kBlack);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 0.0f);
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, kBlack);
}

// The lit drawing of both shaded modes; `perVertex` chooses vertex or face normals.
void DrawShaded(const ConverterModel& model, bool perVertex) {
    glShadeModel(GL_SMOOTH);
    SetLight();
    const auto display = model.DisplayPoints();
    const auto normals = model.DisplayNormals();
    const auto polygons = model.Polygons();
    const PartGroup* group = model.hideRest == 1 ? model.SelectedGroup() : nullptr;
    std::optional<std::int32_t> applied;
    if (group) {
        applied = *model.selectedBodyPart;
        ApplyMaterial(model, *applied);
    }
    ForEachShownPolygon(model, [&](std::int32_t s) {
        const ConverterPolygon& polygon = polygons[std::size_t(s)];
        if (!group && applied != polygon.material) {
            ApplyMaterial(model, polygon.material);
            applied = polygon.material;
        }
        if (perVertex) {
            glBegin(GL_QUADS);
            for (std::int32_t v : polygon.vertices) {
                const ConverterPoint& n = normals[std::size_t(v)];
                glNormal3f(n.x, n.y, n.z);
                Vertex(display[std::size_t(v)]);
            }
            glEnd();
        } else {
            const auto& v = polygon.vertices;
            if (const auto n =
                    ConverterFaceNormal(display[std::size_t(v[0])], display[std::size_t(v[1])],
                                        display[std::size_t(v[3])]))
                glNormal3d(n->x, n->y, n->z);
            QuadThroughDisplayPoints(model, polygon);
        }
    });
    DrawSelectedPoints(model);
}

}  // namespace

bool DrawConverter(ConverterModel& model) {
    if (model.ObjectLoaded() == 0) return true;
    glColor3f(1.0f, 1.0f, 1.0f);
    glPushMatrix();
    glScalef(kHorizontalSqueeze, 1.0f, 1.0f);
    glPushMatrix();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    if (IsOrthographicMode(model.viewMode)) {
        const double v = model.viewDistance;
        // A zero view distance makes an empty box, which OpenGL refuses (the projection then
        // stays the identity): leave it so without raising the error.
        if (v != 0.0) {
            glOrtho(-kOrthographicHalfSize * v, kOrthographicHalfSize * v,
                    -kOrthographicHalfSize * v, kOrthographicHalfSize * v, kOrthographicNear,
                    kOrthographicFar);
        }
        ApplyViewModeAngles(model);
    } else {
        gluPerspective(kFieldOfViewDegrees, kPerspectiveAspect, kNearPlane, kFarPlane);
        glTranslated(0.0, 0.0, -kEyeDistance);
    }
    glMatrixMode(GL_MODELVIEW);
    UpdateViewTransform(model);
    ProjectPoints(model);
    switch (PolygonStyleOf(model.viewMode)) {
        case ConverterPolygonStyle::Wireframe:
            DrawWireframe(model);
            break;
        case ConverterPolygonStyle::VertexNormals:
            DrawVertexNormals(model);
            break;
        case ConverterPolygonStyle::FaceNormals:
            DrawFaceNormals(model);
            break;
    }
    if (model.showSelection == 1) DrawMarkedPath(model);
    glPopMatrix();
    glPopMatrix();
    return true;
}

void ProjectPoints(ConverterModel& model) {
    GLint viewport[4];
    GLdouble modelView[16];
    GLdouble projection[16];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glGetDoublev(GL_MODELVIEW_MATRIX, modelView);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    TransformToDisplay(model);
    for (ConverterPoint& p : model.DisplayPoints()) {
        GLdouble x = 0.0, y = 0.0, z = 0.0;
        if (gluProject(p.x, p.y, p.z, modelView, projection, viewport, &x, &y, &z) == GL_TRUE) {
            p.windowX = WindowCoordinate(x);
            p.windowY = WindowCoordinate(y);
        } else {
            p.windowX = p.windowY = kNoWindowPosition;
        }
    }
}

void DrawWireframe(const ConverterModel& model) {
    glDisable(GL_LIGHTING);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    glColor3f(1.0f, 1.0f, 1.0f);
    const auto polygons = model.Polygons();
    ForEachShownPolygon(
        model, [&](std::int32_t s) { QuadThroughDisplayPoints(model, polygons[std::size_t(s)]); });
    DrawSelectedPoints(model);
}

void DrawVertexNormals(const ConverterModel& model) { DrawShaded(model, true); }

void DrawFaceNormals(const ConverterModel& model) { DrawShaded(model, false); }

void DrawSelectedPoints(const ConverterModel& model) {
    glDisable(GL_LIGHTING);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    glColor3f(0.0f, 1.0f, 0.0f);
    glPointSize(kSelectedPointSize);
    for (const ConverterPoint& p : model.DisplayPoints()) {
        if (p.selected != 1) continue;
        glBegin(GL_POINTS);
        Vertex(p);
        glEnd();
    }
    glColor3f(0.0f, 1.0f, 0.0f);
    glPointSize(1.0f);
    glEnable(GL_LIGHTING);
}

void DrawMarkedPath(const ConverterModel& model) {
    glDisable(GL_LIGHTING);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    const std::vector<std::int32_t> marked = model.MarkedPointIndices();
    const std::vector<float> reds = MarkedPathReds(int(marked.size()));
    if (reds.empty()) return;
    const auto display = model.DisplayPoints();
    const auto normals = model.DisplayNormals();
    const float lift = MarkedPathLift(model);
    const auto lifted = [&](std::int32_t p) {
        const ConverterPoint& d = display[std::size_t(p)];
        const ConverterPoint& n = normals[std::size_t(p)];
        glVertex3f(d.x + lift * n.x, d.y + lift * n.y, d.z + lift * n.z);
    };
    for (std::size_t i = 0; i < reds.size(); ++i) {
        glColor3f(reds[i], 0.0f, 0.0f);
        glBegin(GL_LINES);
        lifted(marked[i]);
        lifted(marked[i + 1]);
        glEnd();
    }
    glColor3f(1.0f, 1.0f, 1.0f);
}

bool PickPoints(ConverterModel& model, int x, int y) {
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    return PickPointsAt(model, x, y, viewport[3]);
}

}  // namespace bw
