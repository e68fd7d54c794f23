// Whatever draws the pictures of object files that the Select Parts lists show (the main
// dialog hands the page one that draws in the preview's OpenGL context). The page knows
// nothing of how.
#pragma once

#include <QImage>
#include <QString>

namespace bw {

// The size pictures are drawn at: the freedesktop cache's "normal" size. Lists show them at
// 48 logical pixels, sharp up to a device pixel ratio of 2.6.
inline constexpr int kThumbnailPixels = 128;

class ThumbnailSource {
  public:
    virtual ~ThumbnailSource() = default;
    // A kThumbnailPixels square picture of the object file at `path` on a transparent
    // background; null when the file does not load, has nothing to draw, or nothing can draw.
    // Never shows a message.
    virtual QImage Draw(const QString& path) = 0;
    // Makes ready what drawing needs (an OpenGL context, say), which may take longer than a
    // picture does, so it can have a turn of the event loop to itself; false when nothing can
    // draw. Draw prepares by itself when this was not called.
    virtual bool Prepare() { return true; }
};

}  // namespace bw
