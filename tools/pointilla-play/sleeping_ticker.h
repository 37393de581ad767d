#pragma once
// The one-second timer for a player with nothing else to do: run() sleeps to
// each tick and hands it to the engine, for as long as the engine waits. It
// wakes early when one of the given descriptors becomes readable (a key went
// down or up, a signal came) so that a stop is not held back until the tick.
// Windows has no such descriptors: there the wait is cut into short slices,
// and onWake runs after each one.

#ifdef _WIN32
#include <thread>
#else
#include <poll.h>
#endif

#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

#include "playback/playback_engine.h"

namespace pointilla::play {

class SleepingTicker final : public playback::Ticker {
  public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds kInterval{1000};

    void start() override {
        active_ = true;
        next_ = Clock::now() + kInterval;  // the first tick one interval after the start
    }
    void stop() override { active_ = false; }
    bool active() const override { return active_; }

    // Ticks on a fixed schedule, like a window timer, until the timer is stopped
    // and not started again. onWake runs when a descriptor of wakeFds (-1s are
    // left out) is readable; it must consume what made it readable.
    void run(playback::PlaybackEngine& engine, const std::vector<int>& wakeFds,
             const std::function<void()>& onWake) {
#ifdef _WIN32
        (void)wakeFds;
        constexpr std::chrono::milliseconds kSlice{50};
        while (active_) {
            const auto left = next_ - Clock::now();
            if (left > Clock::duration::zero()) {
                std::this_thread::sleep_for(std::min<Clock::duration>(left, kSlice));
                if (onWake) onWake();
                continue;
            }
            next_ += kInterval;
            engine.tick();
        }
#else
        std::vector<pollfd> fds;
        for (const int fd : wakeFds) {
            if (fd >= 0) fds.push_back(pollfd{fd, POLLIN, 0});
        }
        while (active_) {
            const auto left =
                std::chrono::ceil<std::chrono::milliseconds>(next_ - Clock::now()).count();
            if (left > 0 && ::poll(fds.data(), fds.size(), static_cast<int>(left)) != 0) {
                // Woken (or interrupted by a signal): the stop check, then sleep on.
                // A descriptor that broke is not listened to any more.
                std::erase_if(fds, [](const pollfd& fd) {
                    return (fd.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
                });
                if (onWake) onWake();
                continue;
            }
            next_ += kInterval;
            engine.tick();
        }
#endif
    }

  private:
    bool active_ = false;
    Clock::time_point next_{};
};

}  // namespace pointilla::play
