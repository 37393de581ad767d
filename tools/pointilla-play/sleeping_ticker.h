#pragma once
// The one-second timer for a player with nothing else to do: run() sleeps to
// each tick and hands it to the engine, for as long as the engine waits. It
// wakes early when one of the given descriptors becomes readable (a key went
// down or up, a signal came) so that a stop is not held back until the tick.
// Windows has no such descriptors: there the wait is cut into short slices,
// and onWake runs after each one.

#include <chrono>
#include <functional>
#include <vector>

#include "platform/wakeable_sleep.h"
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
        platform::WakeableSleep sleeper(wakeFds);
        while (active_) {
            const auto left = next_ - Clock::now();
            if (left > Clock::duration::zero() && sleeper.sleep(left)) {
                if (onWake) onWake();
                continue;
            }
            next_ += kInterval;
            engine.tick();
        }
    }

  private:
    bool active_ = false;
    Clock::time_point next_{};
};

}  // namespace pointilla::play
