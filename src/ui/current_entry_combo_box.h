// A drop-down list that opens with its current entry under the pointer, wherever the window
// stands on the screen. An open list that would reach above the screen's top (or below its
// bottom) is moved onto the screen, which puts a neighbour under the pointer, so a click picks
// the wrong entry; this list is then made shorter and scrolled so the current one is in place.
#pragma once

#include <QComboBox>

namespace bw {

class CurrentEntryComboBox : public QComboBox {
    Q_OBJECT

  public:
    explicit CurrentEntryComboBox(QWidget* parent = nullptr);

    void showPopup() override;
};

}  // namespace bw
