#include "platform/ui/termination_signal.h"

#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cerrno>

namespace bw {
namespace {

volatile std::sig_atomic_t gWriteEnd = -1;

extern "C" void WriteTerminationByte(int) {
    const int savedErrno = errno;
    const int fd = gWriteEnd;
    if (fd >= 0) {
        const char byte = 1;
        // A full pipe already holds a byte for the loop; nothing more is needed.
        (void)!write(fd, &byte, 1);
    }
    errno = savedErrno;
}

}  // namespace

TerminationSignal::TerminationSignal(QObject* parent) : QObject(parent) {
    if (gWriteEnd >= 0 || pipe2(pipe_.data(), O_CLOEXEC | O_NONBLOCK) != 0) return;
    gWriteEnd = pipe_[1];
    struct sigaction action {};
    action.sa_handler = WriteTerminationByte;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    if (sigaction(SIGTERM, &action, &previous_) != 0) {
        gWriteEnd = -1;
        return;
    }
    installed_ = true;
    notifier_ = new QSocketNotifier(pipe_[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        Drain();
        received_ = true;
        emit Received();
    });
}

TerminationSignal::~TerminationSignal() {
    if (installed_) {
        sigaction(SIGTERM, &previous_, nullptr);
        gWriteEnd = -1;
    }
    for (int fd : pipe_)
        if (fd >= 0) close(fd);
}

void TerminationSignal::Drain() {
    std::array<char, 64> bytes{};
    while (read(pipe_[0], bytes.data(), bytes.size()) > 0) {
    }
}

}  // namespace bw
