#include "platform/x11/connection_loss.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace pointilla::platform::x11 {
namespace {

std::mutex watchedLock;
std::vector<Display*> watched;
XIOErrorHandler otherHandler = nullptr;

// The owner says what happened, in the program's words; other connections keep
// the handler they had.
int onIoError(Display* display) {
    XIOErrorHandler other = nullptr;
    {
        const std::lock_guard<std::mutex> lock(watchedLock);
        if (std::find(watched.begin(), watched.end(), display) != watched.end()) return 0;
        other = otherHandler;
    }
    return other != nullptr ? other(display) : 0;
}

// Returning, instead of exiting, leaves the display marked unusable: every
// later call on it returns at once.
void noteBroken(Display* /*display*/, void* broken) { *static_cast<bool*>(broken) = true; }

}  // namespace

void BrokenConnectionWatch::keepHandling() {
    const XIOErrorHandler previous = XSetIOErrorHandler(onIoError);
    if (previous != onIoError) {
        const std::lock_guard<std::mutex> lock(watchedLock);
        otherHandler = previous;
    }
}

void BrokenConnectionWatch::watch(Display* display) {
    {
        const std::lock_guard<std::mutex> lock(watchedLock);
        watched.push_back(display);
    }
    display_ = display;
    keepHandling();
    XSetIOErrorExitHandler(display, noteBroken, &broken_);
}

BrokenConnectionWatch::~BrokenConnectionWatch() {
    if (display_ == nullptr) return;
    const std::lock_guard<std::mutex> lock(watchedLock);
    std::erase(watched, display_);
}

}  // namespace pointilla::platform::x11
