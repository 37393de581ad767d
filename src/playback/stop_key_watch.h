#pragma once
// The stop key as a playback asks for it before every row. Asking the desktop
// costs a system call or a round trip to the server, several times a move, so
// between rows run back to back it is asked at most once every few
// milliseconds. The backend keeps a press made meanwhile (takePress), so a
// quick tap between two rows is seen too, well within a tenth of a second.

#include <chrono>

#include "platform/desktop/desktop.h"

namespace pointilla::playback {

class StopKeyWatch {
  public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds kAskedEvery{2};

    StopKeyWatch(platform::KeyboardState& keyboard, int virtualKey)
        : keyboard_(keyboard), virtualKey_(virtualKey) {}

    // At the start of a playback: a press made before it is forgotten, and the
    // next pressed() asks the desktop, so a key held now still counts.
    void restart() {
        static_cast<void>(keyboard_.takePress(virtualKey_));
        askedOnce_ = false;
    }

    // Whether the key is down or was pressed since the desktop was last asked;
    // false without asking when it was asked less than kAskedEvery ago.
    bool pressed(Clock::time_point now = Clock::now()) {
        if (askedOnce_ && now - asked_ < kAskedEvery) return false;
        askedOnce_ = true;
        asked_ = now;
        return keyboard_.takePress(virtualKey_);
    }

  private:
    platform::KeyboardState& keyboard_;
    int virtualKey_;
    bool askedOnce_ = false;
    Clock::time_point asked_{};
};

}  // namespace pointilla::playback
