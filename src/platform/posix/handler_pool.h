#pragma once
// The default handlers still running, so that no more than a few run at once:
// a scenario of thousands of addresses would otherwise start thousands of
// programs within seconds. A handler may never end (some wait for the browser
// they started), so one that has run too long stops being counted once its
// place is needed, and is reaped whenever it ends.

#include <sys/types.h>

#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

#include "platform/desktop/desktop.h"

namespace pointilla::platform::posix {

struct HandlerLimits {
    std::size_t atOnce = kHandlersAtOnce;
    std::chrono::milliseconds holdLimit = kHandlerHoldLimit;
};

class HandlerPool {
  public:
    explicit HandlerPool(HandlerLimits limits = {});
    // Reaps what has ended; what still runs is left to run.
    ~HandlerPool();
    HandlerPool(const HandlerPool&) = delete;
    HandlerPool& operator=(const HandlerPool&) = delete;

    // A child from startChild(), opening `target`.
    void add(pid_t child, std::string target);
    // Waits up to `patience` for fewer than atOnce handlers to run. When all
    // places are taken, the oldest handler that has run longer than holdLimit
    // gives its place up and is named in the result.
    OpenerRoom waitForRoom(std::chrono::milliseconds patience);

  private:
    using Clock = std::chrono::steady_clock;
    struct Handler {
        pid_t pid = -1;
        std::string target;
        Clock::time_point started;
    };
    void reapEnded();

    HandlerLimits limits_;
    std::vector<Handler> counted_;  // oldest first
    std::vector<pid_t> letGo_;      // still running, no longer counted
};

}  // namespace pointilla::platform::posix
