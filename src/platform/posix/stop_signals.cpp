// The handler notes the signal and wakes the wait through a pipe.

#include "platform/stop_signals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <csignal>

namespace pointilla::platform {
namespace {

volatile std::sig_atomic_t caughtSignal = 0;
int signalPipeWrite = -1;
struct sigaction oldInt {};
struct sigaction oldTerm {};

extern "C" void onStopSignal(int signal) {
    caughtSignal = signal;
    const char byte = 0;
    [[maybe_unused]] const auto written = ::write(signalPipeWrite, &byte, 1);
}

}  // namespace

StopSignals::StopSignals() {
    if (::pipe2(fds_, O_CLOEXEC | O_NONBLOCK) != 0) fds_[0] = fds_[1] = -1;
    signalPipeWrite = fds_[1];
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, &oldInt);
    ::sigaction(SIGTERM, &action, &oldTerm);
}

StopSignals::~StopSignals() {
    ::sigaction(SIGINT, &oldInt, nullptr);
    ::sigaction(SIGTERM, &oldTerm, nullptr);
    signalPipeWrite = -1;
    for (const int fd : fds_) {
        if (fd >= 0) ::close(fd);
    }
}

int StopSignals::caught() { return caughtSignal; }

void StopSignals::drain() const {
    char buffer[64];
    while (fds_[0] >= 0 && ::read(fds_[0], buffer, sizeof buffer) > 0) {
    }
}

int StopSignals::endAsRequested(int otherwise) const {
    const int signal = caughtSignal;
    ::signal(signal, SIG_DFL);
    ::raise(signal);
    return otherwise;
}

}  // namespace pointilla::platform
