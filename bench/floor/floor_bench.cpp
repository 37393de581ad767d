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
//                              look, which would weigh on short playbacks.

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

int clickAndWait(int x, int y, int toX, int toY) {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) return 1;
    const Window root = DefaultRootWindow(display);
    XTestFakeMotionEvent(display, DefaultScreen(display), x, y, CurrentTime);
    XSync(display, False);
    const auto start = Clock::now();
    XTestFakeButtonEvent(display, 1, True, CurrentTime);
    XTestFakeButtonEvent(display, 1, False, CurrentTime);
    XFlush(display);
    int status = 1;
    while (secondsSince(start) < 120) {
        Window rootReturn = 0;
        Window child = 0;
        int rootX = -1;
        int rootY = -1;
        int winX = 0;
        int winY = 0;
        unsigned int mask = 0;
        XQueryPointer(display, root, &rootReturn, &child, &rootX, &rootY, &winX, &winY, &mask);
        if (rootX == toX && rootY == toY) {
            std::printf("%.4f\n", secondsSince(start));
            status = 0;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    XCloseDisplay(display);
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string_view mode = argc > 1 ? argv[1] : "";
    if (mode == "click" && argc == 6) {
        return clickAndWait(std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]),
                            std::atoi(argv[5]));
    }
    const int moves = argc > 2 ? std::atoi(argv[2]) : 10000;
    if (moves <= 0) return 2;
    const bool steps = argc > 3 && std::string_view(argv[3]) == "steps";
    if (mode == "raw") return rawLoop(moves, steps);
    if (mode == "engine") return engineLoop(moves, steps);
    std::fprintf(stderr, "usage: floor_bench raw|engine MOVES [steps] | click X Y TO_X TO_Y\n");
    return 2;
}
