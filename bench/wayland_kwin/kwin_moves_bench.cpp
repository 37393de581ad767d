// Prints what moving the pointer costs on KWin, against the X11 backend in the
// same run when $DISPLAY names an X server:
//  - 10,000 "Position souris" rows played by the engine, until the last move
//    has reached the compositor and the position reads back there;
//  - how long after a move KWin's cursor script reports the new position (the
//    wait a position read after a move pays), median and worst of 200.
// Usage: kwin_moves_bench [MOVES]   (default 10000), inside a KWin session
// with an application entry that offers this program fake input.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "bench_support.h"
#include "platform/wayland/kwin/kwin_desktop.h"
#include "platform/x11/x11_desktop.h"
#include "playback/playback_engine.h"
#include "scenario/detail_text.h"
#include "scenario/row.h"
#include "scenario/scenario.h"

namespace {

using pointilla::bench::Clock;
using pointilla::platform::Desktop;
using pointilla::platform::ScreenPoint;

// The engine playing `moves` rows spread over the screen; seconds, or a
// negative number when the pointer did not end at the last one.
double playMoves(Desktop& desktop, int moves) {
    const auto size = desktop.screen().primaryScreenSize();
    const auto path = pointilla::bench::movePath(moves, size.width, size.height);
    const ScreenPoint last = path.back();
    const pointilla::scenario::Scenario rows = pointilla::bench::positionRows(path);
    pointilla::bench::BenchEngine playing(rows, desktop);
    const auto start = Clock::now();
    playing.engine.start();
    const auto landed = desktop.pointer().position();
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    if (landed == last) return seconds;
    std::fprintf(stderr, "kwin_moves_bench: the pointer reads %d,%d after a move to %d,%d\n",
                 landed ? landed->x : -1, landed ? landed->y : -1, last.x, last.y);
    return -1;
}

void printRow(const char* backend, int moves, double seconds) {
    std::printf("  %-22s %9.3f ms  (%6.2f us per row)\n", backend, seconds * 1e3,
                seconds * 1e6 / moves);
}

}  // namespace

int main(int argc, char** argv) {
    const int moves = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10000;
    auto kwin = pointilla::platform::wayland::openKwinDesktop();
    if (!kwin) {
        std::fprintf(stderr, "kwin_moves_bench: no KWin desktop (%s)\n",
                     kwin.error().missing.c_str());
        return 1;
    }
    Desktop& desktop = *kwin.value();
    std::printf("moves: %d \"Position souris\" rows, played until the pointer reads there\n",
                moves);
    const double kwinSeconds = playMoves(desktop, moves);
    if (kwinSeconds < 0) {
        return 1;
    }
    printRow("KWin (fake input)", moves, kwinSeconds);
    if (auto x11 = pointilla::platform::openX11Desktop(nullptr)) {
        const double x11Seconds = playMoves(*x11.value(), moves);
        if (x11Seconds >= 0) {
            printRow("X11 (XTEST, Xvfb)", moves, x11Seconds);
            std::printf("  KWin / X11             %9.2fx\n", kwinSeconds / x11Seconds);
        }
    }

    // One move, then reads until the script's report of it arrives.
    std::vector<double> latencies;
    for (int i = 0; i < 200; ++i) {
        const ScreenPoint target{100 + (i % 2) * 400, 100 + (i % 3) * 200};
        const auto start = Clock::now();
        if (!desktop.pointer().moveTo(target) || desktop.pointer().position() != target) {
            std::fprintf(stderr, "kwin_moves_bench: a move was not reported\n");
            return 1;
        }
        latencies.push_back(
            std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(latencies.begin(), latencies.end());
    std::printf("position reported after a move (KWin script over D-Bus), 200 moves:\n");
    std::printf("  median %.2f ms, worst %.2f ms\n", latencies[latencies.size() / 2],
                latencies.back());
    return 0;
}
