#include "project/ui/bitmap_button.h"

#include <QPainter>

namespace bw {

BitmapButton::BitmapButton(ProjectIcon icon, const QString& caption, QWidget* parent)
    : QAbstractButton(parent), icon_(icon), caption_(caption) {
    setFocusPolicy(Qt::StrongFocus);
    DrawFaces();
}

ProjectIconState BitmapButton::CurrentState() const {
    if (isDown()) return ProjectIconState::Down;
    if (hasFocus()) return ProjectIconState::Focused;
    return ProjectIconState::Up;
}

void BitmapButton::DrawFaces() {
    for (ProjectIconState state :
         {ProjectIconState::Up, ProjectIconState::Down, ProjectIconState::Focused}) {
        faces_[static_cast<std::size_t>(state)] =
            DrawButtonFace(icon_, state, caption_, width(), height(), devicePixelRatioF());
    }
}

void BitmapButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, Face(CurrentState()));
}

void BitmapButton::resizeEvent(QResizeEvent* event) {
    QAbstractButton::resizeEvent(event);
    DrawFaces();
}

}  // namespace bw
