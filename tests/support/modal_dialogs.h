// Answers the modal dialogs a command opens with exec(), so a GUI test drives a command that
// asks questions without a person. Each handler gets the next modal dialog that appears and
// must close it (accept, reject or a click on one of its buttons). A dialog that appears with
// no handler left is rejected and counted, so a test never hangs.
#pragma once

#include <QDialog>
#include <QTimer>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace bw::test {

class ModalDialogs {
  public:
    ModalDialogs();
    ~ModalDialogs();

    // Handles the next dialog that appears after those already expected.
    void Expect(std::function<void(QDialog&)> handler);
    // Closes the next dialog with OK (accept()).
    void ExpectAccept();
    void ExpectReject();

    // Window titles of every modal dialog seen, in order.
    std::vector<std::string> titles;
    // Dialogs that appeared with no handler left (they were rejected).
    int unexpected = 0;
    // Handlers not used yet.
    std::size_t Pending() const { return handlers_.size(); }

  private:
    void Poll();

    QTimer timer_;
    QDialog* current_ = nullptr;
    std::deque<std::function<void(QDialog&)>> handlers_;
};

}  // namespace bw::test
