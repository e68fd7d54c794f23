#include "render/gl/creature_drawing.h"

#include <GL/gl.h>

#include <array>
#include <span>
#include <vector>

#include "render/face_normal.h"
#include "render/view_transform.h"

namespace bw {
namespace {

// Light 0 of smooth shading sits far to the left, slightly above and in front of the creature;
// flat shading uses a close light with a white specular part so the facets read.
constexpr GLfloat kSmoothLightPosition[4] = {-114.0f, 14.0f, -114.0f, 1.0f};
constexpr GLfloat kSmoothLightSpecular[4] = {0.0f, 0.0f, 0.0f, 0.1f};
constexpr GLfloat kFlatLightPosition[4] = {-4.0f, 4.0f, -4.0f, 1.0f};
constexpr GLfloat kFlatLightSpecular[4] = {1.0f, 1.0f, 1.0f, 1.0f};
constexpr GLfloat kLightAmbientAlpha = 0.1f;
constexpr GLfloat kLightDiffuseAlpha = 0.4f;
constexpr GLfloat kMaterialBlack[4] = {0.0f, 0.0f, 0.0f, 1.0f};
constexpr GLfloat kHighlightColour[3] = {1.0f, 1.0f, 0.0f};
constexpr GLfloat kJointPointSize = 6.0f;

// The polygons a routine may draw: none when the part has none, or when its view arrays do not
// cover its points (TransformToView has not run since the part was loaded).
std::span<const Quad> DrawablePolygons(const PartObject& part) {
    const std::size_t points = part.TransformedPoints().size();
    if (part.viewPoints.size() < points || part.viewNormals.size() < points) return {};
    return part.Polygons();
}

// The state every routine leaves, also when it draws nothing.
void LeaveDrawingState() {
    glEnable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glDisable(GL_POLYGON_OFFSET_LINE);
}

void SetLight(const GLfloat (&position)[4], float level, const GLfloat (&specular)[4]) {
    const GLfloat ambient[4] = {level, level, level, kLightAmbientAlpha};
    const GLfloat diffuse[4] = {level, level, level, kLightDiffuseAlpha};
    glLightfv(GL_LIGHT0, GL_POSITION, position);
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    glLightfv(GL_LIGHT0, GL_SPECULAR, specular);
}

void EnableLitFill() {
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
}

// Issues the surface's material when `surface` differs from `*current`; -1 means none yet.
void SelectSurface(const PartObject& part, std::uint16_t surface, int* current) {
    if (int(surface) == *current) return;
    *current = surface;
    const auto surfaces = part.Surfaces();
    const float grey = SurfaceMaterial::kDefaultGrey;
    const std::array<float, 3> colour = surface < surfaces.size()
                                            ? surfaces[surface].colour
                                            : std::array<float, 3>{grey, grey, grey};
    const GLfloat ambientDiffuse[4] = {colour[0], colour[1], colour[2], 1.0f};
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, ambientDiffuse);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, kMaterialBlack);
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, kMaterialBlack);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 0.0f);
}

// Arrays the drawing refills for each run of polygons, kept between frames so that a frame
// allocates nothing once the largest part has been drawn.
struct RunArrays {
    std::vector<std::uint16_t> corners;  // four view point indices per polygon
    std::vector<Vec3f> points;           // flat shading: four corners per polygon...
    std::vector<Vec3f> normals;          // ...each with its face's normal
};

RunArrays& Scratch() {
    static thread_local RunArrays arrays;
    return arrays;
}

// The index just past the run of polygons that starts at `first` and shares its surface.
std::size_t EndOfSurfaceRun(std::span<const Quad> polygons, std::size_t first) {
    std::size_t end = first + 1;
    while (end < polygons.size() && polygons[end].surface == polygons[first].surface) ++end;
    return end;
}

void CornersOf(std::span<const Quad> polygons, std::vector<std::uint16_t>* corners) {
    corners->clear();
    for (const Quad& quad : polygons)
        corners->insert(corners->end(), quad.corner.begin(), quad.corner.end());
}

// Quadrilaterals of the polygons' view points, from the part's view arrays; the normal array
// too when `withNormals`.
void DrawQuadsOfViewArrays(const PartObject& part, std::span<const Quad> polygons,
                           bool withNormals) {
    std::vector<std::uint16_t>& corners = Scratch().corners;
    CornersOf(polygons, &corners);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, sizeof(Vec3f), part.viewPoints.data());
    if (withNormals) {
        glEnableClientState(GL_NORMAL_ARRAY);
        glNormalPointer(GL_FLOAT, sizeof(Vec3f), part.viewNormals.data());
    }
    glDrawElements(GL_QUADS, GLsizei(corners.size()), GL_UNSIGNED_SHORT, corners.data());
    if (withNormals) glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}

// The current normal is undefined after drawing from a normal array; it is set to the normal of
// the last corner drawn, as corner-by-corner drawing would leave it.
void LeaveCurrentNormal(const Vec3f& n) { glNormal3f(n.x, n.y, n.z); }

Vec3f CurrentNormal() {
    GLfloat n[4] = {0.0f, 0.0f, 1.0f, 0.0f};
    glGetFloatv(GL_CURRENT_NORMAL, n);
    return {n[0], n[1], n[2]};
}

// Quadrilaterals each carrying one face normal, a degenerate face keeping the normal of the face
// before it (for the first face, the normal current before the call). Returns the last normal.
Vec3f DrawFlatQuads(const PartObject& part, std::span<const Quad> polygons, Vec3f normal) {
    RunArrays& arrays = Scratch();
    arrays.points.clear();
    arrays.normals.clear();
    const auto& p = part.viewPoints;
    for (const Quad& quad : polygons) {
        if (const auto n = FaceNormal(p[quad.corner[0]], p[quad.corner[1]], p[quad.corner[2]]))
            normal = *n;
        for (std::uint16_t corner : quad.corner) {
            arrays.points.push_back(p[corner]);
            arrays.normals.push_back(normal);
        }
    }
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glVertexPointer(3, GL_FLOAT, sizeof(Vec3f), arrays.points.data());
    glNormalPointer(GL_FLOAT, sizeof(Vec3f), arrays.normals.data());
    glDrawArrays(GL_QUADS, 0, GLsizei(arrays.points.size()));
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    return normal;
}

}  // namespace

void DrawCreature(Creature& creature, std::span<const PosedPart> posed) {
    for (int i = 0; i < creature.PartCount(); ++i) {
        PartObject* part = creature.Part(i);
        if (part == nullptr) continue;
        part->yaw = creature.yaw;
        part->pitch = creature.pitch;
        BuildViewMatrix(*part);
        const PosedPart* pose = std::size_t(i) < posed.size() ? &posed[std::size_t(i)] : nullptr;
        if (pose && pose->points.size() == part->TransformedPoints().size() &&
            pose->normals.size() == part->Normals().size()) {
            TransformToView(*part, pose->points, pose->normals);
        } else {
            TransformToView(*part);
        }
        switch (creature.shadingMode) {
            case ShadingMode::Smooth:
                DrawPartSmooth(*part, creature.lightLevel);
                if (part->highlight == 1) DrawHighlightOverlay(*part);
                break;
            case ShadingMode::Flat:
                DrawPartFlat(*part, creature.lightLevel);
                if (part->highlight == 1) DrawHighlightOverlay(*part);
                break;
            case ShadingMode::Wireframe:
                part->wireColour = creature.wireColour;
                DrawPartWire(*part);
                break;
            default:
                break;
        }
    }
}

bool DrawPartSmooth(PartObject& part, float level) {
    const std::span<const Quad> polygons = DrawablePolygons(part);
    if (polygons.empty()) {
        LeaveDrawingState();
        return false;
    }
    glShadeModel(GL_SMOOTH);
    SetLight(kSmoothLightPosition, level, kSmoothLightSpecular);
    EnableLitFill();

    int surface = -1;
    for (std::size_t first = 0; first < polygons.size();) {
        const std::size_t end = EndOfSurfaceRun(polygons, first);
        SelectSurface(part, polygons[first].surface, &surface);
        DrawQuadsOfViewArrays(part, polygons.subspan(first, end - first), true);
        first = end;
    }
    LeaveCurrentNormal(part.viewNormals[polygons.back().corner[3]]);
    return true;
}

bool DrawPartFlat(PartObject& part, float level) {
    const std::span<const Quad> polygons = DrawablePolygons(part);
    if (polygons.empty()) {
        LeaveDrawingState();
        return false;
    }
    glShadeModel(GL_FLAT);
    SetLight(kFlatLightPosition, level, kFlatLightSpecular);
    EnableLitFill();

    int surface = -1;
    Vec3f normal = CurrentNormal();
    for (std::size_t first = 0; first < polygons.size();) {
        const std::size_t end = EndOfSurfaceRun(polygons, first);
        SelectSurface(part, polygons[first].surface, &surface);
        normal = DrawFlatQuads(part, polygons.subspan(first, end - first), normal);
        first = end;
    }
    LeaveCurrentNormal(normal);
    return true;
}

bool DrawPartWire(PartObject& part) {
    const std::span<const Quad> polygons = DrawablePolygons(part);
    if (polygons.empty()) {
        LeaveDrawingState();
        return false;
    }
    glDisable(GL_LIGHTING);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    if (part.highlight == 1)
        glColor3fv(kHighlightColour);
    else
        glColor3fv(part.wireColour.data());
    DrawQuadsOfViewArrays(part, polygons, false);
    glEnable(GL_LIGHTING);
    return true;
}

bool DrawHighlightOverlay(PartObject& part) {
    const std::span<const Quad> polygons = DrawablePolygons(part);
    if (polygons.empty()) {
        LeaveDrawingState();
        return false;
    }
    glDisable(GL_LIGHTING);
    glCullFace(GL_FRONT);
    glEnable(GL_CULL_FACE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    glColor3fv(kHighlightColour);
    glPolygonOffset(-1.0f, -1.0f);
    glEnable(GL_POLYGON_OFFSET_LINE);
    DrawQuadsOfViewArrays(part, polygons, false);
    glDisable(GL_POLYGON_OFFSET_LINE);
    glEnable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    return true;
}

void DrawSkeleton(const Creature& creature, const CreaturePose::Bones& bones,
                  const std::array<float, 3>& colour) {
    const std::array<double, 12> view =
        ViewMatrix(creature.yaw, creature.pitch, creature.panX, creature.panY);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glColor3f(colour[0], colour[1], colour[2]);
    glBegin(GL_LINES);
    for (const auto& [parent, child] : bones.bones) {
        if (parent >= bones.joints.size() || child >= bones.joints.size()) continue;
        const Vec3f a = ToView(view, bones.joints[parent]);
        const Vec3f b = ToView(view, bones.joints[child]);
        glVertex3f(a.x, a.y, a.z);
        glVertex3f(b.x, b.y, b.z);
    }
    glEnd();
    glPointSize(kJointPointSize);
    glBegin(GL_POINTS);
    for (const Vec3f& joint : bones.joints) {
        const Vec3f p = ToView(view, joint);
        glVertex3f(p.x, p.y, p.z);
    }
    glEnd();
    glPointSize(1.0f);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
}

}  // namespace bw
