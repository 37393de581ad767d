#pragma once
// The one-second timer for a player with nothing else to do: run() sleeps to
// each tick and hands it to the engine, for as long as the engine waits.

#include <chrono>
#include <thread>

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
    // and not started again.
    void run(playback::PlaybackEngine& engine) {
        while (active_) {
            std::this_thread::sleep_until(next_);
            next_ += kInterval;
            engine.tick();
        }
    }

  private:
    bool active_ = false;
    Clock::time_point next_{};
};

}  // namespace pointilla::play
