#include "support/modal_dialogs.h"

#include <QApplication>
#include <QPointer>

namespace bw::test {

ModalDialogs::ModalDialogs() {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
    timer_.start();
}

ModalDialogs::~ModalDialogs() { timer_.stop(); }

void ModalDialogs::Expect(std::function<void(QDialog&)> handler) {
    handlers_.push_back(std::move(handler));
}

void ModalDialogs::ExpectAccept() {
    Expect([](QDialog& dialog) { dialog.accept(); });
}

void ModalDialogs::ExpectReject() {
    Expect([](QDialog& dialog) { dialog.reject(); });
}

void ModalDialogs::Poll() {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog || !dialog->isVisible() || dialog == current_) return;
    // A dialog closed by its handler may be reused at the same address by the next one.
    current_ = dialog;
    QPointer<QDialog> guard(dialog);
    titles.push_back(dialog->windowTitle().toStdString());
    if (handlers_.empty()) {
        ++unexpected;
        dialog->reject();
    } else {
        auto handler = std::move(handlers_.front());
        handlers_.pop_front();
        handler(*dialog);
    }
    if (guard && !guard->isVisible()) current_ = nullptr;
}

}  // namespace bw::test
