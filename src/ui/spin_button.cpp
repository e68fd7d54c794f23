#include "ui/spin_button.h"

#include <QLineEdit>

namespace bw {

SpinButton::SpinButton(QWidget* parent) : QAbstractSpinBox(parent) {
    setWrapping(true);
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    lineEdit()->setReadOnly(true);
    setFrame(false);
}

void SpinButton::stepBy(int steps) {
    // Qt's up arrow steps by +1; it moves towards the top of the list.
    for (int k = 0; k < std::abs(steps); ++k) emit Stepped(steps > 0 ? -1 : 1);
}

}  // namespace bw
