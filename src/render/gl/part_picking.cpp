#include "render/gl/part_picking.h"

#include <GL/gl.h>

#include <array>
#include <vector>

namespace bw {
namespace {

// Part i is drawn in the colour whose red, green and blue bytes spell i + 1; black is none.
void SetIdentityColour(int index) {
    const auto id = static_cast<unsigned>(index + 1);
    glColor3ub(GLubyte(id & 0xFFU), GLubyte((id >> 8U) & 0xFFU), GLubyte((id >> 16U) & 0xFFU));
}

void DrawPartInItsColour(const PartObject& part, int index) {
    const auto polygons = part.Polygons();
    if (polygons.empty() || part.viewPoints.size() < part.TransformedPoints().size()) return;
    std::vector<GLuint> corners;
    corners.reserve(polygons.size() * 4);
    for (const Quad& quad : polygons)
        for (std::uint16_t corner : quad.corner) corners.push_back(corner);
    SetIdentityColour(index);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, sizeof(Vec3f), part.viewPoints.data());
    glDrawElements(GL_QUADS, GLsizei(corners.size()), GL_UNSIGNED_INT, corners.data());
    glDisableClientState(GL_VERTEX_ARRAY);
}

}  // namespace

std::optional<int> PartAtPixel(const Creature& creature, float zoom, int x, int y) {
    std::array<GLint, 4> viewport{};
    glGetIntegerv(GL_VIEWPORT, viewport.data());
    if (x < 0 || y < 0 || x >= viewport[2] || y >= viewport[3]) return std::nullopt;

    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_POLYGON_BIT | GL_CURRENT_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_DITHER);
    glDisable(GL_BLEND);
    glDisable(GL_CULL_FACE);
    glEnable(GL_DEPTH_TEST);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    glScalef(zoom, zoom, -zoom);
    for (int i = 0; i < creature.PartCount(); ++i)
        if (const PartObject* part = creature.Part(i)) DrawPartInItsColour(*part, i);
    glPopMatrix();

    std::array<GLubyte, 4> pixel{};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(viewport[0] + x, viewport[1] + viewport[3] - 1 - y, 1, 1, GL_RGBA,
                 GL_UNSIGNED_BYTE, pixel.data());
    glPopAttrib();
    const int id = pixel[0] | (pixel[1] << 8) | (pixel[2] << 16);
    if (id == 0 || id > creature.PartCount()) return std::nullopt;
    return id - 1;
}

}  // namespace bw
