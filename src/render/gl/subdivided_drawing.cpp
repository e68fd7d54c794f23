#include "render/gl/subdivided_drawing.h"

#include <GL/gl.h>

#include <vector>

#include "render/gl/creature_drawing.h"
#include "render/gl/shading_state.h"
#include "render/view_transform.h"

namespace bw {
namespace {

// The surface in view space, kept between frames so that a frame allocates nothing once the
// largest surface has been drawn.
struct ViewArrays {
    std::vector<Vec3f> points;
    std::vector<Vec3f> normals;
    std::vector<Vec3f> flatPoints;   // flat shading: four corners per face...
    std::vector<Vec3f> flatNormals;  // ...each with its face's normal
};

ViewArrays& Scratch() {
    static thread_local ViewArrays arrays;
    return arrays;
}

void CarrySurfaceToView(const Creature& creature, const SubdividedCreature& surface,
                        ViewArrays& view) {
    const std::array<double, 12> move =
        ViewMatrix(creature.yaw, creature.pitch, creature.panX, creature.panY);
    const std::array<double, 12> turn = ViewMatrix(creature.yaw, creature.pitch, 0.0f, 0.0f);
    view.points.resize(surface.Points().size());
    view.normals.resize(surface.Normals().size());
    for (std::size_t i = 0; i < view.points.size(); ++i)
        view.points[i] = ToView(move, surface.Points()[i]);
    for (std::size_t i = 0; i < view.normals.size(); ++i)
        view.normals[i] = ToView(turn, surface.Normals()[i]);
}

bool Highlighted(const Creature& creature, int part) {
    const PartObject* object = creature.Part(part);
    return object != nullptr && object->highlight == 1;
}

void DrawRun(const SubdividedCreature& surface, const SubdividedCreature::FaceRun& run) {
    const auto faces = surface.Faces().subspan(run.first, run.end - run.first);
    glDrawElements(GL_QUADS, GLsizei(faces.size() * 4), GL_UNSIGNED_INT, faces.data());
}

// Every run in its surface's material from point and normal arrays: through the faces' corner
// indices, or (`cornersInOrder`) from four consecutive corners per face.
void DrawLitRuns(const SubdividedCreature& surface, const std::vector<Vec3f>& points,
                 const std::vector<Vec3f>& normals, bool cornersInOrder) {
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glVertexPointer(3, GL_FLOAT, sizeof(Vec3f), points.data());
    glNormalPointer(GL_FLOAT, sizeof(Vec3f), normals.data());
    for (const auto& run : surface.Runs()) {
        SetSurfaceMaterial(run.colour);
        if (cornersInOrder)
            glDrawArrays(GL_QUADS, GLint(run.first * 4), GLsizei((run.end - run.first) * 4));
        else
            DrawRun(surface, run);
    }
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}

void DrawSmooth(const Creature& creature, const SubdividedCreature& surface,
                const ViewArrays& view) {
    glShadeModel(GL_SMOOTH);
    SetSmoothShadingLight(creature.lightLevel);
    DrawLitRuns(surface, view.points, view.normals, false);
}

void DrawFlat(const Creature& creature, const SubdividedCreature& surface, ViewArrays& view) {
    glShadeModel(GL_FLAT);
    SetFlatShadingLight(creature.lightLevel);
    // A face without a normal of its own keeps the one before it, as the parts' drawing does;
    // refined faces are small, so any area gives one (the direction of the diagonals' cross
    // product).
    Vec3f normal{0.0f, 0.0f, 1.0f};
    view.flatPoints.clear();
    view.flatNormals.clear();
    const auto& p = view.points;
    for (const auto& face : surface.Faces()) {
        const Vec3f across = Cross(p[face[2]] - p[face[0]], p[face[3]] - p[face[1]]);
        if (const auto n = Unit(across)) normal = *n;
        for (std::uint32_t corner : face) {
            view.flatPoints.push_back(p[corner]);
            view.flatNormals.push_back(normal);
        }
    }
    DrawLitRuns(surface, view.flatPoints, view.flatNormals, true);
}

void DrawWire(const Creature& creature, const SubdividedCreature& surface, const ViewArrays& view) {
    glDisable(GL_LIGHTING);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, sizeof(Vec3f), view.points.data());
    for (const auto& run : surface.Runs()) {
        glColor3fv(Highlighted(creature, run.part) ? kHighlightColour : creature.wireColour.data());
        DrawRun(surface, run);
    }
    glDisableClientState(GL_VERTEX_ARRAY);
    glEnable(GL_LIGHTING);
}

void DrawHighlightOutlines(const Creature& creature, const SubdividedCreature& surface,
                           const ViewArrays& view) {
    BeginHighlightOutline();
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, sizeof(Vec3f), view.points.data());
    for (const auto& run : surface.Runs())
        if (Highlighted(creature, run.part)) DrawRun(surface, run);
    glDisableClientState(GL_VERTEX_ARRAY);
    EndHighlightOutline();
}

}  // namespace

bool DrawSubdividedCreature(Creature& creature, std::span<const PosedPart> posed,
                            const SubdividedCreature& surface) {
    CarryPartsToView(creature, posed);
    if (surface.Faces().empty()) {
        LeaveDrawingState();
        return false;
    }
    ViewArrays& view = Scratch();
    CarrySurfaceToView(creature, surface, view);
    switch (creature.shadingMode) {
        case ShadingMode::Smooth:
            DrawSmooth(creature, surface, view);
            DrawHighlightOutlines(creature, surface, view);
            break;
        case ShadingMode::Flat:
            DrawFlat(creature, surface, view);
            DrawHighlightOutlines(creature, surface, view);
            break;
        case ShadingMode::Wireframe:
            DrawWire(creature, surface, view);
            break;
        default:
            break;
    }
    LeaveDrawingState();
    return true;
}

}  // namespace bw
