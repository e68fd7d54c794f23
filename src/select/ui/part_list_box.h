// The drop-down list of one body part's object files: a combo box that says when its list has
// dropped down, so the pictures of its entries can be drawn while it is open.
#pragma once

#include <QComboBox>

namespace bw {

class PartListBox : public QComboBox {
    Q_OBJECT

  public:
    using QComboBox::QComboBox;
    void showPopup() override {
        QComboBox::showPopup();
        emit PopupShown();
    }

  signals:
    void PopupShown();
};

}  // namespace bw
