#include "window_picture.h"

#include <QScreen>
#include <QTest>

namespace bw {

QPixmap WindowPicture(QWidget& window) {
    // Lets the posted repaints and the window system's exposures of the last change be served.
    QTest::qWait(150);
    QScreen* screen = window.screen();
    if (!screen) return {};
    return screen->grabWindow(window.winId());
}

}  // namespace bw
