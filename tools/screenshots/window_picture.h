// A picture of a shown top-level window as the screen holds it. QWidget::grab() renders the
// widgets only and leaves the preview's native GL window out; the window system's copy has it.
#pragma once

#include <QPixmap>
#include <QWidget>

namespace bw {

// Processes events until `window`'s preview (if any) has presented, then copies the window's
// area from the screen. Null when the window has no screen.
QPixmap WindowPicture(QWidget& window);

}  // namespace bw
