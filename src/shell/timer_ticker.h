#pragma once
// `Timer4` as playback sees it: a window timer switched on and off.

#include <QTimer>

#include "playback/playback_engine.h"

namespace pointilla::shell {

class TimerTicker final : public playback::Ticker {
  public:
    explicit TimerTicker(QTimer& timer) : timer_(timer) {}
    void start() override { timer_.start(); }
    void stop() override { timer_.stop(); }
    bool active() const override { return timer_.isActive(); }

  private:
    QTimer& timer_;
};

}  // namespace pointilla::shell
