#include "bwtool/creature_picture.h"

#include <cmath>
#include <iostream>
#include <sstream>

#include "model/file_io.h"
#include "render/gl/picture_drawing.h"
#include "render/gl/png_image.h"
#include "render/picture_camera.h"

namespace bw::tool {
namespace {

constexpr int kMaxSize = 4096;
constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180.0;

// "R,G,B" with each channel a number from 0 to 1.
bool ParseBackground(const std::string& text, std::array<float, 3>& colour) {
    std::istringstream in(text);
    std::string channel;
    for (int c = 0; c < 3; ++c) {
        if (!std::getline(in, channel, ',')) return false;
        double value = 0.0;
        if (!CLI::detail::lexical_cast(channel, value) || !(value >= 0.0 && value <= 1.0))
            return false;
        colour[std::size_t(c)] = float(value);
    }
    return !std::getline(in, channel, ',');
}

}  // namespace

void AddPictureArguments(CLI::App& command, PictureOptions& options) {
    command.add_option("--size", options.size, "Width and height of the picture (default 256)")
        ->check(CLI::Range(1, kMaxSize))
        ->type_name("N")
        ->take_last();
    command.add_option("--yaw", options.yawDegrees, "Turn about the vertical axis (default 0)")
        ->check(CLI::Range(-3600.0, 3600.0))
        ->type_name("DEG")
        ->take_last();
    command
        .add_option("--pitch", options.pitchDegrees, "Tilt about the horizontal axis (default 0)")
        ->check(CLI::Range(-3600.0, 3600.0))
        ->type_name("DEG")
        ->take_last();
    command
        .add_option("--shading", options.shading,
                    "Shading as the preview draws it: smooth (default), flat or wireframe")
        ->transform(CLI::CheckedTransformer(
            std::map<std::string, ShadingMode>{{"smooth", ShadingMode::Smooth},
                                               {"flat", ShadingMode::Flat},
                                               {"wireframe", ShadingMode::Wireframe}},
            CLI::ignore_case))
        ->type_name("smooth|flat|wireframe")
        ->take_last();
    command
        .add_option_function<std::string>(
            "--background",
            [&options](const std::string& text) {
                if (!ParseBackground(text, options.background))
                    throw CLI::ValidationError("--background", "\"" + text +
                                                                   "\" is no R,G,B of three "
                                                                   "numbers from 0 to 1");
            },
            "Background colour, three numbers from 0 to 1 (default 0,0,0)")
        ->type_name("R,G,B")
        ->take_last();
}

bool PictureRenderer::Render(Creature& creature, const PictureOptions& options, std::string& png,
                             std::string* reason, bool* noGl) {
    if (noGl) *noGl = false;
    const std::optional<PictureCamera> camera =
        FitPictureCamera(creature, float(options.yawDegrees * kRadiansPerDegree),
                         float(options.pitchDegrees * kRadiansPerDegree));
    if (!camera) {
        if (reason) *reason = "there is nothing to draw (no points, or points that are no numbers)";
        return false;
    }
    if (!context_ || context_->Width() != options.size) {
        context_.reset();
        context_ = HeadlessGlContext::Create(options.size, options.size, reason);
        if (!context_) {
            if (noGl) *noGl = true;
            return false;
        }
    }
    DrawPicture(creature, *camera, options.shading, options.background, options.size, options.size);
    return EncodePng(context_->ReadPixels(), options.size, options.size, png, reason);
}

bool WritePictureReporting(PictureRenderer& renderer, Creature& creature,
                           const PictureOptions& options, const std::string& path) {
    std::string png, reason;
    bool noGl = false;
    if (!renderer.Render(creature, options, png, &reason, &noGl)) {
        if (noGl)
            std::cerr << "error: no usable OpenGL: " << reason << "\n";
        else
            std::cerr << "error: " << path << ": " << reason << "\n";
        return false;
    }
    if (!WriteFileAtomically(path, png, &reason)) {
        std::cerr << "error: " << path << ": " << reason << "\n";
        return false;
    }
    return true;
}

}  // namespace bw::tool
