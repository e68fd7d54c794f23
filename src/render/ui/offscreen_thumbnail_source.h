// Draws the pictures of object files for the Select Parts lists in an OpenGL context of the
// program's own: offscreen (no window), sharing the preview's context, into a framebuffer
// object. The preview's drawing, lights and materials, with the camera fitted to the part.
#pragma once

#include <functional>
#include <memory>

#include "ui/thumbnail_source.h"

class QOffscreenSurface;
class QOpenGLContext;
class QOpenGLFramebufferObject;

namespace bw {

class OffscreenThumbnailSource : public ThumbnailSource {
  public:
    // `shareContext()` gives the context to share (the preview's), or null; asked when the
    // first picture is drawn.
    explicit OffscreenThumbnailSource(std::function<QOpenGLContext*()> shareContext);
    ~OffscreenThumbnailSource() override;

    QImage Draw(const QString& path) override;
    // Makes the context and its framebuffer (about 20 ms on llvmpipe).
    bool Prepare() override;

  private:
    // Makes the context current with the framebuffer bound; false when OpenGL cannot be had
    // (then no picture is ever drawn).
    bool MakeCurrent();

    std::function<QOpenGLContext*()> shareContext_;
    std::unique_ptr<QOffscreenSurface> surface_;
    std::unique_ptr<QOpenGLContext> context_;
    std::unique_ptr<QOpenGLFramebufferObject> framebuffer_;
    bool failed_ = false;
};

}  // namespace bw
