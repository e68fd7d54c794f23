// SIGTERM (what a desktop session sends at logout) delivered by the event loop: the handler
// only writes a byte to a pipe whose reading end a socket notifier watches, so Received() is
// emitted from the loop, in nested modal loops too. One instance at a time; the previous
// disposition of SIGTERM comes back when it goes.
#pragma once

#include <QObject>
#include <array>
#include <csignal>

class QSocketNotifier;

namespace bw {

class TerminationSignal : public QObject {
    Q_OBJECT

  public:
    explicit TerminationSignal(QObject* parent = nullptr);
    ~TerminationSignal() override;
    TerminationSignal(const TerminationSignal&) = delete;
    TerminationSignal& operator=(const TerminationSignal&) = delete;

    // False when the pipe or the handler could not be set up: SIGTERM then keeps its default.
    bool IsInstalled() const { return installed_; }
    // True once a SIGTERM has come, even if nobody was connected to Received() then.
    bool WasReceived() const { return received_; }

  signals:
    void Received();

  private:
    void Drain();

    std::array<int, 2> pipe_{-1, -1};
    QSocketNotifier* notifier_ = nullptr;
    struct sigaction previous_ {};
    bool installed_ = false;
    bool received_ = false;
};

}  // namespace bw
