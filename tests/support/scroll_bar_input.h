// Mouse input on a scroll bar's parts, where the widget style puts them.
#pragma once

#include <QRect>
#include <QScrollBar>
#include <QStyle>

namespace bw::test {

// Where `control` (an arrow, the thumb, the groove) lies in `bar`, in its coordinates.
QRect ScrollBarPart(QScrollBar* bar, QStyle::SubControl control);
// Drags the thumb from its centre by the pixels between its current position and `value`:
// one press, two moves, one release.
void DragScrollBarThumb(QScrollBar* bar, int value);

}  // namespace bw::test
