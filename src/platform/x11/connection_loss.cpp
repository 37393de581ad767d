#include "platform/x11/connection_loss.h"

namespace pointilla::platform::x11 {
namespace {

// The owner says what happened, in the program's words.
int quietIoError(Display* /*display*/) { return 0; }

// Returning, instead of exiting, leaves the display marked unusable: every
// later call on it returns at once.
void noteBroken(Display* /*display*/, void* broken) { *static_cast<bool*>(broken) = true; }

}  // namespace

void reportBrokenConnection(Display* display, bool* broken) {
    static const bool quiet = [] {
        XSetIOErrorHandler(quietIoError);
        return true;
    }();
    static_cast<void>(quiet);
    XSetIOErrorExitHandler(display, noteBroken, broken);
}

}  // namespace pointilla::platform::x11
