#include "render/ui/offscreen_thumbnail_source.h"

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>

#include "model/creature.h"
#include "model/notifier.h"
#include "model/own_body_part.h"
#include "render/gl/picture_drawing.h"
#include "render/picture_camera.h"

namespace bw {
namespace {}  // namespace

OffscreenThumbnailSource::OffscreenThumbnailSource(std::function<QOpenGLContext*()> shareContext)
    : shareContext_(std::move(shareContext)) {}

OffscreenThumbnailSource::~OffscreenThumbnailSource() {
    // The framebuffer goes while its context is current.
    if (context_ && surface_ && context_->makeCurrent(surface_.get())) framebuffer_.reset();
}

bool OffscreenThumbnailSource::MakeCurrent() {
    if (failed_) return false;
    if (!context_) {
        failed_ = true;  // until everything below has worked
        surface_ = std::make_unique<QOffscreenSurface>();
        surface_->create();
        context_ = std::make_unique<QOpenGLContext>();
        if (QOpenGLContext* share = shareContext_ ? shareContext_() : nullptr)
            context_->setShareContext(share);
        if (!surface_->isValid() || !context_->create() || !context_->makeCurrent(surface_.get()))
            return false;
        QOpenGLFramebufferObjectFormat format;
        format.setAttachment(QOpenGLFramebufferObject::Depth);
        framebuffer_ = std::make_unique<QOpenGLFramebufferObject>(
            QSize(kThumbnailPixels, kThumbnailPixels), format);
        if (!framebuffer_->isValid()) return false;
        failed_ = false;
    }
    return context_->makeCurrent(surface_.get()) && framebuffer_->bind();
}

bool OffscreenThumbnailSource::Prepare() {
    if (!MakeCurrent()) return false;
    framebuffer_->release();
    context_->doneCurrent();
    return true;
}

QImage OffscreenThumbnailSource::Draw(const QString& path) {
    SilentNotifier notifier;
    Creature creature(notifier);
    if (!AddPartAsItsOwnBodyPart(creature, path.toStdString())) return {};
    const std::optional<PictureCamera> camera = FitPictureCamera(creature, 0.0f, 0.0f);
    if (!camera || !MakeCurrent()) return {};
    DrawPicture(creature, *camera, ShadingMode::Smooth, {0.0f, 0.0f, 0.0f}, kThumbnailPixels,
                kThumbnailPixels, 0.0f);
    QImage picture = framebuffer_->toImage();
    framebuffer_->release();
    context_->doneCurrent();
    return picture;
}

}  // namespace bw
