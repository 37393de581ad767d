#pragma once
// Xlib's answer to a broken connection is an English line on standard error
// and the end of the program. Here a broken connection only raises a flag
// that its owner reads, and the call that met it returns.

#include <X11/Xlib.h>

namespace pointilla::platform::x11 {

// Watches one connection from watch() until it is destroyed; declared before
// the connection's handle, so that it outlives the connection's closing.
class BrokenConnectionWatch {
  public:
    BrokenConnectionWatch() = default;
    ~BrokenConnectionWatch();
    BrokenConnectionWatch(const BrokenConnectionWatch&) = delete;
    BrokenConnectionWatch& operator=(const BrokenConnectionWatch&) = delete;

    // From now on a broken connection to `display` sets broken() instead of
    // ending the program, and Xlib says nothing of it.
    void watch(Display* display);
    bool broken() const { return broken_; }

    // Takes the I/O error handler back from whoever set it since (the toolkit
    // sets its own for every display); errors on connections not watched still
    // go to that handler. Called before each use of the connection.
    static void keepHandling();

  private:
    Display* display_ = nullptr;
    bool broken_ = false;
};

}  // namespace pointilla::platform::x11
