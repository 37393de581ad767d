#pragma once
// What several benchmarks share: a clock, the same pointer path for every
// contender, and a playback engine's surroundings that cost nothing.

#include <chrono>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/settings_store.h"
#include "platform/desktop/desktop.h"
#include "playback/playback_engine.h"
#include "scenario/detail_text.h"
#include "scenario/row.h"
#include "scenario/scenario.h"

namespace pointilla::bench {

using Clock = std::chrono::steady_clock;

inline double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Positions spread over the screen, the same for every contender.
inline std::vector<platform::ScreenPoint> movePath(int count, int width, int height) {
    std::vector<platform::ScreenPoint> points;
    points.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) points.push_back({(i * 37) % width, (i * 53) % height});
    return points;
}

// The moves of the scenario files bench/floor's scripts play: short steps over
// the screen, the last one, and only it, on its bottom-right corner. A software
// cursor costs a server more for a jump than for a step, so a floor compared
// with those files is measured on this path.
inline std::vector<platform::ScreenPoint> scenarioPath(int count, int width, int height) {
    std::vector<platform::ScreenPoint> points;
    points.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count - 1; ++i) points.push_back({(i * 7) % 1200, (i * 13) % 1000});
    points.push_back({width - 1, height - 1});
    return points;
}

// The path a floor bench plays: spread over the screen, or the scripts'
// scenario files' steps.
inline std::vector<platform::ScreenPoint> pathOf(bool steps, int count, int width, int height) {
    return steps ? scenarioPath(count, width, height) : movePath(count, width, height);
}

// A scenario of "Position souris" rows, one a point of the path, as the
// hot key writes them.
inline scenario::Scenario positionRows(const std::vector<platform::ScreenPoint>& path) {
    scenario::Scenario rows;
    for (const platform::ScreenPoint& point : path) {
        rows.append(scenario::makeRow(scenario::RowKind::Position,
                                      scenario::capturedPositionDetail(point.x, point.y)));
    }
    return rows;
}

// No stored settings: the engine plays with its defaults.
class NoSettings final : public settings::Reader {
  public:
    std::string read(std::string_view) override { return {}; }
};

// A ticker that never ticks: the benchmark drives the engine itself.
class NoTicker final : public playback::Ticker {
  public:
    void start() override {}
    void stop() override {}
    bool active() const override { return false; }
};

// An engine playing rows on a desktop with those surroundings.
struct BenchEngine {
    BenchEngine(const scenario::Scenario& rows, platform::Desktop& desktop,
                playback::PlaybackCallbacks callbacks = {})
        : engine(rows, desktop.pointer(), desktop.buttons(), desktop.opener(), settings, ticker,
                 std::move(callbacks), "/") {}

    NoSettings settings;
    NoTicker ticker;
    playback::PlaybackEngine engine;
};

// Seconds to play rows and close the desktop: on a compositor the close is
// what waits until the last move has landed.
inline double playAndClose(const scenario::Scenario& rows,
                           std::unique_ptr<platform::Desktop> desktop) {
    BenchEngine playing(rows, *desktop);
    const auto start = Clock::now();
    playing.engine.start();
    desktop.reset();
    return secondsSince(start);
}

}  // namespace pointilla::bench
