// Whether the preview can draw on this display: a context of the preview's format is made
// and current on an offscreen surface, and what it got is judged before any window exists.
#pragma once

#include <QSurfaceFormat>

namespace bw {

enum class OpenGlSetup {
    Ready,          // a context with a depth buffer and double buffering
    NoPixelFormat,  // a context, but without a depth buffer or double buffering
    NoContext,      // no context could be made or made current
};

// NoPixelFormat when `granted` (the format a created context reports) has no depth buffer or
// is single-buffered; Ready otherwise.
OpenGlSetup JudgeContextFormat(const QSurfaceFormat& granted);

// Makes a context of PreviewView::RequestedFormat() and judges it.
OpenGlSetup ProbeOpenGl();

}  // namespace bw
