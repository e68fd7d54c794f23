#include "ui/dialog_units.h"

#include <QFontMetrics>

namespace bw {

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    // The average width over the 52 letters, rounded, as dialog templates measure it.
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    if (letters > 0) baseWidth_ = (letters / 26 + 1) / 2;
    if (metrics.height() > 0) baseHeight_ = metrics.height();
}

}  // namespace bw
