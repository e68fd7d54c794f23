// Pictures of creatures drawn without a display (bwtool render, bwtool random --render): the
// preview's drawing in a headless OpenGL context, the camera fitted to the creature, written
// as PNG.
#pragma once

#include <CLI/CLI.hpp>
#include <array>
#include <memory>
#include <string>

#include "model/creature.h"
#include "model/shading_mode.h"
#include "render/gl/headless_gl_context.h"

namespace bw::tool {

struct PictureOptions {
    int size = 256;  // pixels, square
    double yawDegrees = 0.0;
    double pitchDegrees = 0.0;
    ShadingMode shading = ShadingMode::Smooth;
    std::array<float, 3> background{0.0f, 0.0f, 0.0f};  // red, green, blue, 0 to 1
};

// Adds --size N, --yaw DEG, --pitch DEG, --shading smooth|flat|wireframe and
// --background R,G,B to `command`; `options` must outlive the parse.
void AddPictureArguments(CLI::App& command, PictureOptions& options);

// Draws pictures in one headless context, made on first use and made again for another size.
class PictureRenderer {
  public:
    // The PNG bytes of `creature` as `options` say. False, with `reason` set, when there is no
    // usable OpenGL (`noGl` set too) or the creature has nothing to draw.
    bool Render(Creature& creature, const PictureOptions& options, std::string& png,
                std::string* reason, bool* noGl = nullptr);

  private:
    std::unique_ptr<HeadlessGlContext> context_;
};

// Renders and writes `path` atomically, reporting "error: PATH: reason" on standard error, or
// "error: no usable OpenGL: reason" when there is none. True when the file was written.
bool WritePictureReporting(PictureRenderer& renderer, Creature& creature,
                           const PictureOptions& options, const std::string& path);

}  // namespace bw::tool
