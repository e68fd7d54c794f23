// A push button that shows nothing but a colour: its whole face is filled with the colour, with
// no border or text. Keyboard focus shows as a dashed frame inside the face and a pressed
// swatch as a dark frame, both in a shade that stands out against the colour.
//
// Ownership: a plain Qt child of its page.
#pragma once

#include <QPushButton>
#include <array>

namespace bw {

class ColourSwatchButton : public QPushButton {
    Q_OBJECT

  public:
    explicit ColourSwatchButton(QWidget* parent = nullptr);

    // 8-bit red, green, blue; white until set.
    const std::array<int, 3>& Colour() const { return colour_; }
    // Stores the colour and repaints the button at once when it differs from the stored one;
    // does nothing otherwise.
    void SetColour(const std::array<int, 3>& colour);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::array<int, 3> colour_{255, 255, 255};
};

}  // namespace bw
