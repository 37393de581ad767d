#pragma once
// Tells when any key of the display goes down or up, whichever program has the
// focus: XInput2 raw key events on a connection of its own, which makes no
// other request, so its socket is readable exactly when events wait.

#include <string>

#include "platform/x11/connection_loss.h"
#include "platform/x11/x_handles.h"

namespace pointilla::platform::x11 {

class RawKeyListener {
  public:
    // Opens the connection; false (and nothing held) without XInput 2.1 or more.
    bool open(const std::string& displayName);
    // The connection's file descriptor, -1 when not open.
    int fd() const;
    // Drains what arrived; true when a key went down or up or the keyboard map changed.
    bool drain();

  private:
    BrokenConnectionWatch watch_;  // outlives the connection's closing
    DisplayHandle display_;
    int xiOpcode_ = 0;
};

}  // namespace pointilla::platform::x11
