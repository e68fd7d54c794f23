// Converts dialog units into pixels from a font: a horizontal unit is a quarter of the font's
// average character width, a vertical unit an eighth of its height. Positions given in dialog
// units thus follow the font and the screen's scale.
#pragma once

#include <QFont>
#include <QRect>

namespace bw {

class DialogUnits {
  public:
    explicit DialogUnits(const QFont& font);

    int X(int units) const { return (units * baseWidth_ + 2) / 4; }
    int Y(int units) const { return (units * baseHeight_ + 4) / 8; }
    QRect Rect(int x, int y, int width, int height) const {
        return QRect(X(x), Y(y), X(width), Y(height));
    }
    int BaseWidth() const { return baseWidth_; }
    int BaseHeight() const { return baseHeight_; }

  private:
    int baseWidth_ = 6;    // pixels, average character width
    int baseHeight_ = 13;  // pixels, character height
};

}  // namespace bw
