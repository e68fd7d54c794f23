#include "render/ui/preview_container.h"

#include <QKeyEvent>
#include <QVBoxLayout>

#include "render/ui/preview_view.h"

namespace bw {

PreviewContainer::PreviewContainer(PreviewView* view, QWidget* parent)
    : QWidget(parent), view_(view) {
    setAccessibleName("Preview");
    setFocusPolicy(Qt::ClickFocus);
    view_->setFlag(Qt::WindowDoesNotAcceptFocus);
    QWidget* windowHolder = QWidget::createWindowContainer(view_, this);
    windowHolder->setFocusPolicy(Qt::NoFocus);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(windowHolder);
    view_->installEventFilter(this);
}

bool PreviewContainer::eventFilter(QObject* watched, QEvent* event) {
    if (watched == view_ && event->type() == QEvent::MouseButtonPress)
        setFocus(Qt::MouseFocusReason);
    return false;
}

void PreviewContainer::keyPressEvent(QKeyEvent* event) { event->accept(); }

void PreviewContainer::keyReleaseEvent(QKeyEvent* event) { event->accept(); }

}  // namespace bw
