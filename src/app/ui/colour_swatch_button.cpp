#include "app/ui/colour_swatch_button.h"

#include <QPainter>

namespace bw {

ColourSwatchButton::ColourSwatchButton(QWidget* parent) : QPushButton(parent) { setFlat(true); }

void ColourSwatchButton::SetColour(const std::array<int, 3>& colour) {
    if (colour == colour_) return;
    colour_ = colour;
    repaint();
}

void ColourSwatchButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(colour_[0], colour_[1], colour_[2]));
    painter.drawRect(rect());
    if (!hasFocus() && !isDown()) return;
    // Dark marks on light colours, light marks on dark ones.
    const int luminance = (colour_[0] * 299 + colour_[1] * 587 + colour_[2] * 114) / 1000;
    const QColor mark = luminance > 127 ? QColor(0, 0, 0) : QColor(255, 255, 255);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(mark, 1, isDown() ? Qt::SolidLine : Qt::DashLine));
    painter.drawRect(rect().adjusted(2, 2, -3, -3));
}

}  // namespace bw
