#include "ui/current_entry_combo_box.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QScrollBar>
#include <cstdlib>

namespace bw {

CurrentEntryComboBox::CurrentEntryComboBox(QWidget* parent) : QComboBox(parent) {
    view()->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
}

void CurrentEntryComboBox::showPopup() {
    QComboBox::showPopup();
    QAbstractItemView* list = view();
    QWidget* popup = list->window();
    const QModelIndex current = model()->index(currentIndex(), modelColumn(), rootModelIndex());
    if (!current.isValid() || popup == window()) return;
    // How far the current entry lies below the middle of the box (logical pixels, y down).
    const auto below = [&] {
        return list->viewport()->mapToGlobal(list->visualRect(current).center()).y() -
               mapToGlobal(rect().center()).y();
    };
    const int shift = below();
    if (shift == 0 || std::abs(shift) >= popup->height()) return;
    QRect place = popup->geometry();
    if (shift < 0) {
        // Held up by the screen's bottom: lower and shorter, the last rows out of sight.
        place.setTop(place.top() - shift);
        popup->setGeometry(place);
        return;
    }
    // Held down by the screen's top: shorter, with the first rows scrolled out of sight. The
    // scroll range follows the new height once the pending layout has run; a scrolled list
    // may then show scroll arrows above its rows, which a second turn allows for.
    place.setBottom(place.bottom() - shift);
    popup->setGeometry(place);
    QScrollBar* bar = list->verticalScrollBar();
    for (int turn = 0; turn < 2; ++turn) {
        QCoreApplication::sendPostedEvents();
        bar->setValue(bar->value() + below());
    }
}

}  // namespace bw
