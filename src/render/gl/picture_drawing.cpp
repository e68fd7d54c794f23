#include "render/gl/picture_drawing.h"

#include <GL/gl.h>

#include <cmath>

#include "render/gl/creature_drawing.h"
#include "render/preview_camera.h"
#include "render/preview_navigation.h"

namespace bw {
namespace {

// The preview's projection.
constexpr double kHalfFieldOfView = kFieldOfViewDegrees / 2.0 * 3.14159265358979323846 / 180.0;
// The sphere round the creature is seen from where it just fits the narrower side, with a
// margin of a twentieth.
constexpr double kMargin = 1.05;

}  // namespace

void DrawPicture(Creature& creature, const PictureCamera& camera, ShadingMode shading,
                 const std::array<float, 3>& background, int width, int height,
                 float backgroundAlpha) {
    glViewport(0, 0, width, height);
    glClearColor(background[0], background[1], background[2], backgroundAlpha);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    const double aspect = height > 0 ? double(width) / height : 1.0;
    const double top = kNearPlane * std::tan(kHalfFieldOfView);
    const double right = top * aspect;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum(-right, right, -top, top, kNearPlane, kFarPlane);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const double narrower =
        aspect < 1.0 ? std::atan(std::tan(kHalfFieldOfView) * aspect) : kHalfFieldOfView;
    glTranslated(0.0, 0.0, -kMargin / std::sin(narrower));
    // The negative z scale turns the creature's model space into GL's eye space, as in the
    // preview.
    glScaled(camera.scale, camera.scale, -camera.scale);
    glTranslated(0.0, 0.0, -camera.centreZ);
    glEnable(GL_DEPTH_TEST);
    glShadeModel(GL_SMOOTH);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);

    // Drawing takes the rotation from the creature and the pan from each part.
    const float yaw = creature.yaw, pitch = creature.pitch;
    const ShadingMode oldShading = creature.shadingMode;
    const float level = creature.lightLevel;
    creature.yaw = camera.yaw;
    creature.pitch = camera.pitch;
    creature.shadingMode = shading;
    creature.lightLevel = LightLevelForZoom(kInitialZoom);
    const auto setPan = [&](float x, float y) {
        for (int i = 0; i < creature.PartCount(); ++i) {
            creature.Part(i)->panX = x;
            creature.Part(i)->panY = y;
        }
    };
    setPan(camera.panX, camera.panY);
    DrawCreature(creature);
    setPan(creature.panX, creature.panY);
    creature.yaw = yaw;
    creature.pitch = pitch;
    creature.shadingMode = oldShading;
    creature.lightLevel = level;
}

}  // namespace bw
