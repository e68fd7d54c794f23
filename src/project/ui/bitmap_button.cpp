#include "project/ui/bitmap_button.h"

#include <QPainter>

namespace bw {

BitmapButton::BitmapButton(ProjectIcon icon, const QString& caption, QWidget* parent)
    : QAbstractButton(parent), icon_(icon), caption_(caption) {
    setFocusPolicy(Qt::StrongFocus);
    DrawFaces();
}

ProjectIconState BitmapButton::CurrentState() const {
    if (isDown()) return ProjectIconState::kDown;
    if (hasFocus()) return ProjectIconState::kFocused;
    return ProjectIconState::kUp;
}

void BitmapButton::DrawFaces() {
    for (ProjectIconState state :
         {ProjectIconState::kUp, ProjectIconState::kDown, ProjectIconState::kFocused}) {
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
