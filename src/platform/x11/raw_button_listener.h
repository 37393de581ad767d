#pragma once
// Hears the left-button presses made anywhere on the display, whichever
// program gets them: XInput2 raw button events on the root window, on a
// connection of its own. Raw events carry no position, so the pointer's is
// read as each press is taken from the queue.

#include <string>
#include <vector>

#include "platform/x11/connection_loss.h"
#include "platform/x11/x_handles.h"

namespace pointilla::platform::x11 {

struct RootPress {
    int rootX = 0;
    int rootY = 0;
    unsigned long time = 0;  // the server's milliseconds, 32 bits wide
};

class RawButtonListener {
  public:
    // Opens the connection; false (and nothing held) without XInput 2.1 or more.
    bool open(const std::string& displayName);
    int fd() const;
    // The left presses that arrived, oldest first. Left is what the pointer
    // mapping makes button 1 (raw events give the physical button).
    std::vector<RootPress> drain();

  private:
    void readPointerMapping();
    bool isLeft(int physicalButton) const;

    BrokenConnectionWatch watch_;  // outlives the connection's closing
    DisplayHandle display_;
    int xiOpcode_ = 0;
    std::vector<unsigned char> mapping_;  // logical button of each physical one
};

}  // namespace pointilla::platform::x11
