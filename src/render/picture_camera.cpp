#include "render/picture_camera.h"

#include <algorithm>
#include <cmath>

#include "render/view_transform.h"

namespace bw {

std::optional<PictureCamera> FitPictureCamera(Creature& creature, float yaw, float pitch) {
    double low[3] = {HUGE_VAL, HUGE_VAL, HUGE_VAL}, high[3] = {-HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
    std::vector<Vec3f> turned;
    for (int i = 0; i < creature.PartCount(); ++i) {
        PartObject& part = *creature.Part(i);
        part.yaw = yaw;
        part.pitch = pitch;
        part.panX = part.panY = 0.0f;
        BuildViewMatrix(part);
        TransformToView(part);
        for (std::size_t k = 0; k < part.TransformedPoints().size(); ++k) {
            const Vec3f& p = part.viewPoints[k];
            const double v[3] = {p.x, p.y, p.z};
            for (int a = 0; a < 3; ++a) {
                if (!std::isfinite(v[a])) return std::nullopt;
                low[a] = std::min(low[a], v[a]);
                high[a] = std::max(high[a], v[a]);
            }
            turned.push_back(p);
        }
    }
    if (turned.empty()) return std::nullopt;
    const double middle[3] = {(low[0] + high[0]) / 2, (low[1] + high[1]) / 2,
                              (low[2] + high[2]) / 2};
    double radius = 0.0;
    for (const Vec3f& p : turned) {
        radius = std::max(radius, std::hypot(p.x - middle[0], p.y - middle[1], p.z - middle[2]));
    }
    if (!(radius > 0.0) || !std::isfinite(radius)) return std::nullopt;
    PictureCamera camera;
    camera.yaw = yaw;
    camera.pitch = pitch;
    camera.panX = float(-middle[0]);
    camera.panY = float(-middle[1]);
    camera.centreZ = middle[2];
    camera.scale = 1.0 / radius;
    return camera;
}

}  // namespace bw
