#include "ui/project_icons.h"

#include <QFont>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <cmath>

namespace bw {
namespace {

// Symbols are drawn on a 64 x 64 grid and scaled to the size asked for.
constexpr qreal kGrid = 64.0;
const QColor kOutline(40, 44, 52);

void DrawNew(QPainter& p) {
    QPainterPath sheet;
    sheet.moveTo(16, 8);
    sheet.lineTo(38, 8);
    sheet.lineTo(48, 18);
    sheet.lineTo(48, 56);
    sheet.lineTo(16, 56);
    sheet.closeSubpath();
    p.setPen(QPen(kOutline, 2));
    p.setBrush(QColor(252, 252, 248));
    p.drawPath(sheet);
    QPainterPath fold;
    fold.moveTo(38, 8);
    fold.lineTo(38, 18);
    fold.lineTo(48, 18);
    p.setBrush(QColor(210, 214, 222));
    p.drawPath(fold);
    // A star: something new begins.
    QPolygonF star;
    for (int k = 0; k < 10; ++k) {
        const qreal radius = k % 2 == 0 ? 12.0 : 5.0;
        const qreal angle = -M_PI / 2 + k * M_PI / 5;
        star << QPointF(20 + radius * std::cos(angle), 44 + radius * std::sin(angle));
    }
    p.setPen(QPen(QColor(150, 96, 0), 1.5));
    p.setBrush(QColor(255, 200, 40));
    p.drawPolygon(star);
}

void DrawOpen(QPainter& p) {
    p.setPen(QPen(kOutline, 2));
    QPainterPath back;
    back.moveTo(6, 16);
    back.lineTo(22, 16);
    back.lineTo(26, 21);
    back.lineTo(52, 21);
    back.lineTo(52, 54);
    back.lineTo(6, 54);
    back.closeSubpath();
    p.setBrush(QColor(196, 140, 48));
    p.drawPath(back);
    p.setBrush(QColor(252, 252, 248));
    p.drawRect(QRectF(14, 11, 30, 30));
    p.setPen(QPen(QColor(150, 160, 175), 1.5));
    for (int y = 18; y <= 32; y += 5) p.drawLine(QPointF(19, y), QPointF(39, y));
    QPainterPath flap;
    flap.moveTo(12, 30);
    flap.lineTo(60, 30);
    flap.lineTo(52, 54);
    flap.lineTo(6, 54);
    flap.closeSubpath();
    p.setPen(QPen(kOutline, 2));
    p.setBrush(QColor(240, 188, 72));
    p.drawPath(flap);
}

void DrawSave(QPainter& p) {
    // A tray with an arrow going down into it.
    p.setPen(QPen(kOutline, 2));
    p.setBrush(QColor(120, 130, 146));
    QPainterPath tray;
    tray.moveTo(8, 38);
    tray.lineTo(18, 38);
    tray.lineTo(22, 46);
    tray.lineTo(42, 46);
    tray.lineTo(46, 38);
    tray.lineTo(56, 38);
    tray.lineTo(56, 56);
    tray.lineTo(8, 56);
    tray.closeSubpath();
    p.drawPath(tray);
    QPainterPath arrow;
    arrow.moveTo(26, 6);
    arrow.lineTo(38, 6);
    arrow.lineTo(38, 24);
    arrow.lineTo(47, 24);
    arrow.lineTo(32, 42);
    arrow.lineTo(17, 24);
    arrow.lineTo(26, 24);
    arrow.closeSubpath();
    p.setPen(QPen(QColor(20, 90, 40), 2));
    p.setBrush(QColor(60, 180, 90));
    p.drawPath(arrow);
}

void DrawDocs(QPainter& p) {
    p.setPen(QPen(kOutline, 2));
    p.setBrush(QColor(40, 90, 170));
    p.drawRoundedRect(QRectF(5, 14, 54, 40), 3, 3);
    p.setBrush(QColor(252, 252, 248));
    QPainterPath left;
    left.moveTo(32, 18);
    left.cubicTo(24, 12, 14, 12, 8, 15);
    left.lineTo(8, 50);
    left.cubicTo(14, 47, 24, 47, 32, 52);
    left.closeSubpath();
    QPainterPath right;
    right.moveTo(32, 18);
    right.cubicTo(40, 12, 50, 12, 56, 15);
    right.lineTo(56, 50);
    right.cubicTo(50, 47, 40, 47, 32, 52);
    right.closeSubpath();
    p.drawPath(left);
    p.drawPath(right);
    p.setPen(QPen(QColor(150, 160, 175), 1.5));
    for (int y = 22; y <= 42; y += 5) {
        p.drawLine(QPointF(12, y), QPointF(28, y + 1));
        p.drawLine(QPointF(36, y + 1), QPointF(52, y));
    }
}

void DrawCreatureHead(QPainter& p) {
    // Two curved horns behind a round green head with yellow slit eyes and a toothy grin.
    p.setPen(QPen(kOutline, 2));
    p.setBrush(QColor(236, 226, 196));
    for (int side : {-1, 1}) {
        QPainterPath horn;
        horn.moveTo(32 + side * 10, 20);
        horn.cubicTo(32 + side * 18, 8, 32 + side * 26, 6, 32 + side * 28, 2);
        horn.cubicTo(32 + side * 28, 14, 32 + side * 24, 22, 32 + side * 18, 26);
        horn.closeSubpath();
        p.drawPath(horn);
    }
    QRadialGradient skin(QPointF(26, 30), 30);
    skin.setColorAt(0, QColor(140, 210, 110));
    skin.setColorAt(1, QColor(56, 130, 60));
    p.setBrush(skin);
    p.drawEllipse(QRectF(10, 14, 44, 46));
    p.setBrush(QColor(255, 214, 40));
    p.drawEllipse(QRectF(18, 28, 11, 9));
    p.drawEllipse(QRectF(35, 28, 11, 9));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 20, 20));
    p.drawRect(QRectF(22.5, 29, 2, 7));
    p.drawRect(QRectF(39.5, 29, 2, 7));
    p.setPen(QPen(kOutline, 2));
    p.setBrush(Qt::NoBrush);
    QPainterPath grin;
    grin.moveTo(20, 45);
    grin.quadTo(32, 53, 44, 45);
    p.drawPath(grin);
    p.setBrush(QColor(252, 252, 248));
    p.setPen(QPen(kOutline, 1));
    QPolygonF tooth;
    tooth << QPointF(25, 47.5) << QPointF(29, 48.8) << QPointF(27, 53);
    p.drawPolygon(tooth);
    tooth.translate(10, 0);
    p.drawPolygon(tooth);
}

void DrawSymbol(QPainter& p, ProjectIcon icon) {
    switch (icon) {
        case ProjectIcon::New:
            DrawNew(p);
            break;
        case ProjectIcon::Open:
            DrawOpen(p);
            break;
        case ProjectIcon::Save:
            DrawSave(p);
            break;
        case ProjectIcon::Docs:
            DrawDocs(p);
            break;
        case ProjectIcon::About:
            DrawCreatureHead(p);
            break;
    }
}

QPixmap Canvas(int width, int height, qreal devicePixelRatio) {
    QPixmap pixmap(qMax(1, qRound(width * devicePixelRatio)),
                   qMax(1, qRound(height * devicePixelRatio)));
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

}  // namespace

QPixmap DrawProjectIcon(ProjectIcon icon, ProjectIconState state, int size) {
    QPixmap pixmap = Canvas(size, size, 1.0);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / kGrid, size / kGrid);
    if (state == ProjectIconState::Down) painter.translate(1.5, 1.5);
    DrawSymbol(painter, icon);
    return pixmap;
}

QPixmap DrawButtonFace(ProjectIcon icon, ProjectIconState state, const QString& caption, int width,
                       int height, qreal devicePixelRatio) {
    QPixmap pixmap = Canvas(width, height, devicePixelRatio);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const bool down = state == ProjectIconState::Down;
    const QRectF plate(0.5, 0.5, width - 1.0, height - 1.0);

    QLinearGradient fill(0, 0, 0, height);
    fill.setColorAt(0, down ? QColor(198, 204, 214) : QColor(250, 251, 253));
    fill.setColorAt(1, down ? QColor(226, 230, 236) : QColor(214, 219, 228));
    painter.setPen(QPen(QColor(120, 128, 140), 1));
    painter.setBrush(fill);
    painter.drawRoundedRect(plate, 4, 4);
    // Light from the top left: a raised plate is bright there, a sunken one dark.
    painter.setPen(QPen(down ? QColor(150, 156, 168) : QColor(255, 255, 255), 1));
    painter.drawLine(QPointF(3, 1.5), QPointF(width - 3, 1.5));
    painter.drawLine(QPointF(1.5, 3), QPointF(1.5, height - 3));

    const int shift = down ? 1 : 0;
    const QFontMetrics metrics(painter.font());
    const int captionHeight = caption.isEmpty() ? 0 : metrics.height();
    const int symbol = qMax(8, qMin(width - 12, height - captionHeight - 10));
    painter.save();
    painter.translate((width - symbol) / 2.0 + shift, 4.0 + shift);
    painter.scale(symbol / kGrid, symbol / kGrid);
    DrawSymbol(painter, icon);
    painter.restore();
    if (!caption.isEmpty()) {
        painter.setPen(QColor(20, 24, 32));
        painter.drawText(QRectF(shift, height - captionHeight - 4 + shift, width, captionHeight),
                         Qt::AlignHCenter | Qt::AlignVCenter, caption);
    }
    if (state == ProjectIconState::Focused) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(QColor(40, 100, 200), 2));
        painter.drawRoundedRect(plate.adjusted(1, 1, -1, -1), 4, 4);
        painter.setPen(QPen(QColor(40, 100, 200), 1, Qt::DotLine));
        painter.drawRect(QRectF(4.5, 4.5, width - 9.0, height - 9.0));
    }
    return pixmap;
}

QPixmap DrawProjectBanner(int width, int height, qreal devicePixelRatio) {
    QPixmap pixmap = Canvas(width, height, devicePixelRatio);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, width, height);
    sky.setColorAt(0, QColor(24, 60, 84));
    sky.setColorAt(1, QColor(70, 40, 96));
    painter.setPen(Qt::NoPen);
    painter.setBrush(sky);
    painter.drawRoundedRect(QRectF(0, 0, width, height), 6, 6);

    const int head = qMax(8, height - 8);
    painter.save();
    painter.translate(6, 4);
    painter.scale(head / kGrid, head / kGrid);
    DrawCreatureHead(painter);
    painter.restore();

    QFont title = painter.font();
    title.setBold(true);
    title.setPointSizeF(title.pointSizeF() * 1.5);
    painter.setFont(title);
    painter.setPen(QColor(250, 244, 220));
    const QRectF text(head + 14, 0, width - head - 18, height * 0.62);
    painter.drawText(text, Qt::AlignLeft | Qt::AlignBottom, "Beastwright Pro");
    QFont subtitle = painter.font();
    subtitle.setBold(false);
    subtitle.setPointSizeF(subtitle.pointSizeF() / 1.5);
    painter.setFont(subtitle);
    painter.setPen(QColor(200, 214, 230));
    painter.drawText(QRectF(head + 14, height * 0.62, width - head - 18, height * 0.38),
                     Qt::AlignLeft | Qt::AlignTop, "Creatures from body parts");
    return pixmap;
}

}  // namespace bw
