#include "render/gl/creature_drawing.h"

#include <GL/gl.h>

#include <array>
#include <span>
#include <vector>

#include "render/face_normal.h"
#include "render/gl/shading_state.h"
#include "render/view_transform.h"

namespace bw {
namespace {

constexpr GLfloat kJointPointSize = 6.0f;

// The polygons a routine may draw: none when the part has none, or when its view arrays do not
// cover its points (TransformToView has not run since the part was loaded).
std::span<const Quad> DrawablePolygons(const PartObject& part) {
    const std::size_t points = part.TransformedPoints().size();
    if (part.viewPoints.size() < points || part.viewNormals.size() < points) return {};
    return part.Polygons();
}

// Issues the surface's material when `surface` differs from `*current`; -1 means none yet.
void SelectSurface(const PartObject& part, std::uint16_t surface, int* current) {
    if (int(surface) == *current) return;
    *current = surface;
    const auto surfaces = part.Surfaces();
    const float grey = SurfaceMaterial::kDefaultGrey;
    SetSurfaceMaterial(surface < surfaces.size() ? surfaces[surface].colour
                                                 : std::array<float, 3>{grey, grey, grey});
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

void CarryPartsToView(Creature& creature, std::span<const PosedPart> posed) {
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
    }
}

void DrawCreature(Creature& creature, std::span<const PosedPart> posed) {
    CarryPartsToView(creature, posed);
    for (int i = 0; i < creature.PartCount(); ++i) {
        PartObject* part = creature.Part(i);
        if (part == nullptr) continue;
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
    SetSmoothShadingLight(level);

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
    SetFlatShadingLight(level);

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
    BeginHighlightOutline();
    DrawQuadsOfViewArrays(part, polygons, false);
    EndHighlightOutline();
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
