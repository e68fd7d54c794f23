#include "platform/ui/qt_notifier.h"

#include <QMessageBox>
#include <QString>

namespace bw {
namespace {

QMessageBox::Icon BoxIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::None:
            return QMessageBox::NoIcon;
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::Error:
            return QMessageBox::Critical;
        case MessageIcon::Warning:
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

MessageResult QtNotifier::ShowMessage(const std::string& text, const std::string& caption,
                                      MessageIcon icon, MessageButtons buttons) {
    // Paths and names are bytes; invalid UTF-8 shows as replacement characters.
    QMessageBox box(BoxIcon(icon), QString::fromUtf8(caption.data(), qsizetype(caption.size())),
                    QString::fromUtf8(text.data(), qsizetype(text.size())), QMessageBox::NoButton,
                    parent_);
    box.setTextFormat(Qt::PlainText);
    switch (buttons) {
        case MessageButtons::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case MessageButtons::OkCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
        case MessageButtons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        case MessageButtons::SaveDiscardCancel:
            box.setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
            box.setDefaultButton(QMessageBox::Save);
            break;
    }
    switch (box.exec()) {
        case QMessageBox::Cancel:
            return MessageResult::Cancel;
        case QMessageBox::Yes:
            return MessageResult::Yes;
        case QMessageBox::No:
            return MessageResult::No;
        case QMessageBox::Save:
            return MessageResult::Save;
        case QMessageBox::Discard:
            return MessageResult::Discard;
        default:
            // Closed without a button (Escape, the close box): the choice that changes least.
            if (buttons == MessageButtons::SaveDiscardCancel) return MessageResult::Cancel;
            return buttons == MessageButtons::YesNo ? MessageResult::No : MessageResult::Ok;
    }
}

}  // namespace bw
