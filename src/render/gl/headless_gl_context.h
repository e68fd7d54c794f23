// An OpenGL context without a display: EGL on Mesa's surfaceless platform (llvmpipe where
// there is no GPU), desktop OpenGL with the fixed-function pipeline, drawing into a framebuffer
// object of its own. No X server, no Wayland compositor, no Qt.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace bw {

class HeadlessGlContext {
  public:
    // A context current on this thread with a width x height framebuffer (colour and depth)
    // bound; null, with `reason` set, when there is no usable EGL, OpenGL or framebuffer.
    static std::unique_ptr<HeadlessGlContext> Create(int width, int height, std::string* reason);
    ~HeadlessGlContext();
    HeadlessGlContext(const HeadlessGlContext&) = delete;
    HeadlessGlContext& operator=(const HeadlessGlContext&) = delete;

    // The framebuffer's pixels, red, green, blue and alpha bytes, top row first.
    std::vector<std::uint8_t> ReadPixels() const;
    int Width() const { return width_; }
    int Height() const { return height_; }

  private:
    HeadlessGlContext() = default;
    struct Egl;
    std::unique_ptr<Egl> egl_;
    unsigned framebuffer_ = 0, colour_ = 0, depth_ = 0;
    int width_ = 0, height_ = 0;
};

}  // namespace bw
