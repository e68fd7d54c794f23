#include "support/scroll_bar_input.h"

#include <QStyleOptionSlider>
#include <QTest>

namespace bw::test {

QRect ScrollBarPart(QScrollBar* bar, QStyle::SubControl control) {
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = bar->orientation();
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->sliderPosition();
    option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    option.upsideDown = bar->invertedAppearance();
    return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, control, bar);
}

void DragScrollBarThumb(QScrollBar* bar, int value) {
    const QRect handle = ScrollBarPart(bar, QStyle::SC_ScrollBarSlider);
    const QRect groove = ScrollBarPart(bar, QStyle::SC_ScrollBarGroove);
    const int span = groove.width() - handle.width();
    auto pixel = [&](int v) {
        return QStyle::sliderPositionFromValue(bar->minimum(), bar->maximum(), v, span);
    };
    const QPoint from = handle.center();
    const QPoint to = from + QPoint(pixel(value) - pixel(bar->sliderPosition()), 0);
    QTest::mousePress(bar, Qt::LeftButton, {}, from);
    QTest::mouseMove(bar, (from + to) / 2);
    QTest::mouseMove(bar, to);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, to);
}

}  // namespace bw::test
