#include "ui/field_commit.h"

#include <QKeyEvent>

namespace bw {

bool TakeFieldOnCommit(const QEvent* event, const std::function<bool()>& take) {
    if (event->type() == QEvent::FocusOut) {
        take();
        return false;
    }
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return (key == Qt::Key_Return || key == Qt::Key_Enter) && take();
}

}  // namespace bw
