// Prints, in seconds, how long MOVES pointer moves take on the Windows desktop
// (under Wine: its X display), until the pointer stands on the last of them:
//   floor_bench_win raw MOVES      bare SendInput calls, one absolute move each
//   floor_bench_win engine MOVES   "Position souris" rows played by the engine
//                                  through the Windows backend, the stop key watched
// spread over the screen, or with "steps" after MOVES on the path of the
// scenario files bench/floor/run_wine.sh plays.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <utility>

#include "bench_support.h"
#include "platform/desktop/native_desktop.h"
#include "platform/desktop/virtual_keys.h"
#include "playback/playback_engine.h"
#include "playback/stop_key_watch.h"
#include "scenario/scenario.h"

namespace {

using pointilla::bench::Clock;
using pointilla::bench::pathOf;
using pointilla::bench::secondsSince;

// The moves are taken when the pointer stands on the last one; given up after
// ten seconds.
bool reached(pointilla::platform::ScreenPoint last) {
    const auto start = Clock::now();
    POINT now{};
    while (secondsSince(start) < 10) {
        if (GetCursorPos(&now) && now.x == last.x && now.y == last.y) return true;
        Sleep(0);
    }
    return false;
}

int rawLoop(int moves, bool steps) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    const auto path = pathOf(steps, moves, width, height);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    const auto start = Clock::now();
    for (const auto& point : path) {
        // The smallest normalised value that lands on the pixel.
        input.mi.dx = static_cast<LONG>((point.x * 65536LL + width - 1) / width);
        input.mi.dy = static_cast<LONG>((point.y * 65536LL + height - 1) / height);
        if (SendInput(1, &input, sizeof input) != 1) return 1;
    }
    if (!reached(path.back())) return 1;
    std::printf("%.4f\n", secondsSince(start));
    return 0;
}

int engineLoop(int moves, bool steps) {
    namespace platform = pointilla::platform;
    namespace playback = pointilla::playback;
    namespace scenario = pointilla::scenario;
    auto opened = platform::openNativeDesktop(nullptr);
    if (!opened) return 1;
    const auto desktop = std::move(opened).value();
    const platform::ScreenSize size = desktop->screen().primaryScreenSize();
    const auto path = pathOf(steps, moves, size.width, size.height);
    const scenario::Scenario rows = pointilla::bench::positionRows(path);
    playback::StopKeyWatch escape(desktop->keyboard(), platform::vk::kEscape);
    playback::PlaybackCallbacks callbacks;
    callbacks.stopRequested = [&] { return escape.pressed(); };
    pointilla::bench::BenchEngine playing(rows, *desktop, callbacks);
    escape.restart();
    const auto start = Clock::now();
    playing.engine.start();
    if (playing.engine.wasStopped() || !reached(path.back())) return 1;
    std::printf("%.4f\n", secondsSince(start));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string_view mode = argc > 1 ? argv[1] : "";
    const int moves = argc > 2 ? std::atoi(argv[2]) : 10000;
    if (moves <= 0) return 2;
    const bool steps = argc > 3 && std::string_view(argv[3]) == "steps";
    if (mode == "raw") return rawLoop(moves, steps);
    if (mode == "engine") return engineLoop(moves, steps);
    std::fprintf(stderr, "usage: floor_bench_win raw|engine MOVES [steps]\n");
    return 2;
}
