#include "render/ui/opengl_probe.h"

#include <QOffscreenSurface>
#include <QOpenGLContext>

#include "render/ui/preview_view.h"

namespace bw {

OpenGlSetup JudgeContextFormat(const QSurfaceFormat& granted) {
    // A size of -1 or the default swap behaviour means the platform did not say; only what it
    // reports as missing fails.
    const bool noDepth = granted.depthBufferSize() == 0;
    const bool singleBuffered = granted.swapBehavior() == QSurfaceFormat::SingleBuffer;
    return noDepth || singleBuffered ? OpenGlSetup::NoPixelFormat : OpenGlSetup::Ready;
}

OpenGlSetup ProbeOpenGl() {
    QOpenGLContext context;
    context.setFormat(PreviewView::RequestedFormat());
    if (!context.create()) return OpenGlSetup::NoContext;
    QOffscreenSurface surface;
    surface.setFormat(context.format());
    surface.create();
    if (!surface.isValid() || !context.makeCurrent(&surface)) return OpenGlSetup::NoContext;
    context.doneCurrent();
    return JudgeContextFormat(context.format());
}

}  // namespace bw
