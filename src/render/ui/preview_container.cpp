#include "render/ui/preview_container.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

#include "render/ui/preview_view.h"

namespace bw {

PreviewContainer::PreviewContainer(PreviewView* view, QWidget* parent)
    : QWidget(parent), view_(view), windowHolder_(QWidget::createWindowContainer(view, this)) {
    setAccessibleName("Preview");
    setFocusPolicy(Qt::ClickFocus);
    view_->setFlag(Qt::WindowDoesNotAcceptFocus);
    windowHolder_->setFocusPolicy(Qt::NoFocus);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(windowHolder_);
    view_->installEventFilter(this);
}

bool PreviewContainer::eventFilter(QObject* watched, QEvent* event) {
    if (watched == view_ && event->type() == QEvent::MouseButtonPress)
        setFocus(Qt::MouseFocusReason);
    if (watched == watchedTopLevel_ && event->type() == QEvent::Expose &&
        watchedTopLevel_->isExposed() && !view_->isExposed()) {
        // After the top-level's own handling of the exposure, from the event loop.
        QTimer::singleShot(0, this, [this] { ShowViewAgainIfUnexposed(); });
    }
    return false;
}

void PreviewContainer::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (watchedTopLevel_ || QGuiApplication::platformName() != "wayland") return;
    watchedTopLevel_ = window()->windowHandle();
    if (watchedTopLevel_) watchedTopLevel_->installEventFilter(this);
}

void PreviewContainer::ShowViewAgainIfUnexposed() {
    if (view_->isExposed() || !isVisible()) return;
    windowHolder_->hide();
    windowHolder_->show();
}

void PreviewContainer::keyPressEvent(QKeyEvent* event) { event->accept(); }

void PreviewContainer::keyReleaseEvent(QKeyEvent* event) { event->accept(); }

}  // namespace bw
