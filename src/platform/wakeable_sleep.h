#pragma once
// A sleep that descriptors can end early: it lasts until the time given, or
// until one of the descriptors is readable. Windows has no descriptors to wait
// on: there it sleeps in short slices, so that its caller looks at what may
// have woken it often.

#include <chrono>
#include <vector>

namespace pointilla::platform {

class WakeableSleep {
  public:
    // -1s in wakeFds are left out.
    explicit WakeableSleep(const std::vector<int>& wakeFds);

    // Sleeps at most `left` (more than zero); true when the sleep ended before
    // (woken, interrupted by a signal, or at the end of a slice): the caller
    // consumes what woke it and sleeps on. A descriptor that broke is not
    // listened to any more.
    bool sleep(std::chrono::steady_clock::duration left);

  private:
    std::vector<int> fds_;
};

}  // namespace pointilla::platform
