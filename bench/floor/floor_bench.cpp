// Prints, in seconds, how long MOVES pointer moves take on the X display named
// by $DISPLAY, until the last has been processed by the server:
//   floor_bench raw MOVES      bare XTestFakeMotionEvent calls and one XSync
//   floor_bench engine MOVES   "Position souris" rows played by the engine
//                              through the X11 backend, the stop key watched
// spread over the screen, or with "steps" after MOVES on the path of the
// scenario files bench/floor/run.sh plays;
//   floor_bench click X Y TO_X TO_Y
//                              a left click at X,Y (the window's "start"), then
//                              the time until the pointer reaches TO_X,TO_Y,
//                              read every millisecond: no program started per
//                              look, which would weigh on short playbacks;
//   floor_bench watch X Y TO_X TO_Y
//                              the pointer put at X,Y, "ready" printed, then the
//                              time from the first move away from X,Y to the
//                              pointer at TO_X,TO_Y: another program's moves,
//                              its start left out.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <thread>

#include "bench_support.h"
#include "platform/desktop/virtual_keys.h"
#include "platform/x11/x11_desktop.h"
#include "playback/playback_engine.h"
#include "playback/stop_key_watch.h"
#include "scenario/scenario.h"

// Xlib's macros (Status, None) clash with the project's names: last.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace {

using pointilla::bench::Clock;
using pointilla::bench::pathOf;
using pointilla::bench::secondsSince;

int rawLoop(int moves, bool steps) {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) return 1;
    const int screen = DefaultScreen(display);
    const auto path =
        pathOf(steps, moves, DisplayWidth(display, screen), DisplayHeight(display, screen));
    const auto start = Clock::now();
    for (const auto& point : path) {
        XTestFakeMotionEvent(display, screen, point.x, point.y, CurrentTime);
    }
    XSync(display, False);
    std::printf("%.4f\n", secondsSince(start));
    XCloseDisplay(display);
    return 0;
}

int engineLoop(int moves, bool steps) {
    namespace platform = pointilla::platform;
    namespace playback = pointilla::playback;
    auto opened = platform::openX11Desktop(nullptr);
    if (!opened) return 1;
    const auto desktop = std::move(opened).value();
    const platform::ScreenSize size = desktop->screen().primaryScreenSize();
    const pointilla::scenario::Scenario scenario =
        pointilla::bench::positionRows(pathOf(steps, moves, size.width, size.height));
    playback::StopKeyWatch escape(desktop->keyboard(), platform::vk::kEscape);
    playback::PlaybackCallbacks callbacks;
    callbacks.stopRequested = [&] { return escape.pressed(); };
    pointilla::bench::BenchEngine playing(scenario, *desktop, callbacks);
    escape.restart();
    const auto start = Clock::now();
    playing.engine.start();
    static_cast<void>(desktop->pointer().position());  // a round trip: all processed
    std::printf("%.4f\n", secondsSince(start));
    return playing.engine.wasStopped() ? 1 : 0;
}

struct Pointer {
    int x = -1;
    int y = -1;
};

Pointer pointerAt(Display* display) {
    Window rootReturn = 0;
    Window child = 0;
    Pointer at;
    int winX = 0;
    int winY = 0;
    unsigned int mask = 0;
    XQueryPointer(display, DefaultRootWindow(display), &rootReturn, &child, &at.x, &at.y, &winX,
                  &winY, &mask);
    return at;
}

// Reads the pointer every millisecond until `done` holds, two minutes at most.
template <class Done>
bool pollUntil(Display* display, Done done) {
    const auto start = Clock::now();
    while (secondsSince(start) < 120) {
        if (done(pointerAt(display))) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
}

bool isAt(Pointer at, int x, int y) { return at.x == x && at.y == y; }

int clickAndWait(int x, int y, int toX, int toY) {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) return 1;
    XTestFakeMotionEvent(display, DefaultScreen(display), x, y, CurrentTime);
    XSync(display, False);
    const auto start = Clock::now();
    XTestFakeButtonEvent(display, 1, True, CurrentTime);
    XTestFakeButtonEvent(display, 1, False, CurrentTime);
    XFlush(display);
    const bool reached = pollUntil(display, [&](Pointer at) { return isAt(at, toX, toY); });
    if (reached) std::printf("%.4f\n", secondsSince(start));
    XCloseDisplay(display);
    return reached ? 0 : 1;
}

// Puts the pointer at FROM, says "ready", then times another program's moves
// from the first that leaves FROM to the pointer at TO: its start is left out.
int watchMoves(int fromX, int fromY, int toX, int toY) {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) return 1;
    XTestFakeMotionEvent(display, DefaultScreen(display), fromX, fromY, CurrentTime);
    XSync(display, False);
    std::printf("ready\n");
    std::fflush(stdout);
    const bool left = pollUntil(display, [&](Pointer at) { return !isAt(at, fromX, fromY); });
    const auto start = Clock::now();
    const bool reached = left && pollUntil(display, [&](Pointer at) { return isAt(at, toX, toY); });
    if (reached) std::printf("%.4f\n", secondsSince(start));
    XCloseDisplay(display);
    return reached ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string_view mode = argc > 1 ? argv[1] : "";
    if ((mode == "click" || mode == "watch") && argc == 6) {
        const int x = std::atoi(argv[2]);
        const int y = std::atoi(argv[3]);
        const int toX = std::atoi(argv[4]);
        const int toY = std::atoi(argv[5]);
        return mode == "click" ? clickAndWait(x, y, toX, toY) : watchMoves(x, y, toX, toY);
    }
    const int moves = argc > 2 ? std::atoi(argv[2]) : 10000;
    if (moves <= 0) return 2;
    const bool steps = argc > 3 && std::string_view(argv[3]) == "steps";
    if (mode == "raw") return rawLoop(moves, steps);
    if (mode == "engine") return engineLoop(moves, steps);
    std::fprintf(stderr,
                 "usage: floor_bench raw|engine MOVES [steps] | click|watch X Y TO_X TO_Y\n");
    return 2;
}
