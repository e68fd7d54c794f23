#include "render/gl/shading_state.h"

namespace bw {
namespace {

constexpr GLfloat kSmoothLightPosition[4] = {-114.0f, 14.0f, -114.0f, 1.0f};
constexpr GLfloat kSmoothLightSpecular[4] = {0.0f, 0.0f, 0.0f, 0.1f};
constexpr GLfloat kFlatLightPosition[4] = {-4.0f, 4.0f, -4.0f, 1.0f};
constexpr GLfloat kFlatLightSpecular[4] = {1.0f, 1.0f, 1.0f, 1.0f};
constexpr GLfloat kLightAmbientAlpha = 0.1f;
constexpr GLfloat kLightDiffuseAlpha = 0.4f;
constexpr GLfloat kMaterialBlack[4] = {0.0f, 0.0f, 0.0f, 1.0f};

void SetLight(const GLfloat (&position)[4], float level, const GLfloat (&specular)[4]) {
    const GLfloat ambient[4] = {level, level, level, kLightAmbientAlpha};
    const GLfloat diffuse[4] = {level, level, level, kLightDiffuseAlpha};
    glLightfv(GL_LIGHT0, GL_POSITION, position);
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    glLightfv(GL_LIGHT0, GL_SPECULAR, specular);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
}

}  // namespace

void SetSmoothShadingLight(float level) {
    SetLight(kSmoothLightPosition, level, kSmoothLightSpecular);
}

void SetFlatShadingLight(float level) { SetLight(kFlatLightPosition, level, kFlatLightSpecular); }

void SetSurfaceMaterial(const std::array<float, 3>& colour) {
    const GLfloat ambientDiffuse[4] = {colour[0], colour[1], colour[2], 1.0f};
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, ambientDiffuse);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, kMaterialBlack);
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, kMaterialBlack);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 0.0f);
}

void LeaveDrawingState() {
    glEnable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glDisable(GL_POLYGON_OFFSET_LINE);
}

void BeginHighlightOutline() {
    glDisable(GL_LIGHTING);
    glCullFace(GL_FRONT);
    glEnable(GL_CULL_FACE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    glColor3fv(kHighlightColour);
    glPolygonOffset(-1.0f, -1.0f);
    glEnable(GL_POLYGON_OFFSET_LINE);
}

void EndHighlightOutline() {
    glDisable(GL_POLYGON_OFFSET_LINE);
    glEnable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
}

}  // namespace bw
