// Prints what pointer moves cost on GNOME's compositor against the X11 backend,
// in the same run:
//  - MOVES moves through the X11 backend on the X display given (XTEST);
//  - MOVES moves through the GNOME backend, and how long the last one takes to
//    read back from the cursor metadata;
//  - the same moves as the backend's remote-desktop session calls alone, the
//    replies awaited together (bench/floor/run_gnome.sh has the floor table).
// Needs a GNOME session (mutter) on the session bus; uses mutter's own
// interfaces, so nobody has to consent.
// Usage: wayland_gnome_moves_bench X11_DISPLAY [MOVES]   (default 10000)

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "bench_support.h"
#include "platform/wayland/gnome/gnome_desktop.h"
#include "platform/wayland/gnome/remote_session.h"
#include "platform/x11/x11_desktop.h"

namespace {

using pointilla::bench::Clock;
using pointilla::bench::movePath;
using pointilla::bench::secondsSince;
using pointilla::platform::ScreenPoint;

void printRow(const char* name, int moves, double seconds) {
    std::printf("%-48s %6d moves %9.3f s %10.1f us/move\n", name, moves, seconds,
                seconds * 1e6 / moves);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: wayland_gnome_moves_bench X11_DISPLAY [MOVES]\n");
        return 1;
    }
    const int moves = argc > 2 ? std::atoi(argv[2]) : 10000;
    if (moves <= 0) return 1;
    const auto path = movePath(moves, 1280, 1024);

    auto x11 = pointilla::platform::openX11Desktop(argv[1]);
    if (!x11) {
        std::fprintf(stderr, "no X display %s\n", argv[1]);
        return 1;
    }
    auto start = Clock::now();
    for (const ScreenPoint& point : path) static_cast<void>(x11.value()->pointer().moveTo(point));
    static_cast<void>(x11.value()->pointer().position());  // a round trip: all were handled
    printRow("X11 backend (XTEST)", moves, secondsSince(start));

    setenv("POINTILLA_GNOME_SESSION", "mutter", 1);
    auto gnome = pointilla::platform::wayland::openGnomeDesktop();
    if (!gnome) {
        std::fprintf(stderr, "no GNOME desktop: %s\n", gnome.error().missing.c_str());
        return 1;
    }
    auto& pointer = gnome.value()->pointer();
    static_cast<void>(
        pointer.moveTo({1, 1}));  // the first event waits for the new pointer to settle
    start = Clock::now();
    for (const ScreenPoint& point : path) static_cast<void>(pointer.moveTo(point));
    static_cast<void>(pointer.flush());  // every call has its reply
    printRow("GNOME backend", moves, secondsSince(start));
    const auto sent = Clock::now();
    while (pointer.position() != path.back() && secondsSince(sent) < 2) {
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    std::printf("GNOME: last move read back after %.1f ms%s\n", secondsSince(sent) * 1e3,
                pointer.position() == path.back() ? "" : " (never: timed out)");

    namespace gnome_session = pointilla::platform::wayland::gnome;
    auto bus = gnome_session::openSessionBus();
    auto session = bus ? gnome_session::startMutterSession(std::move(bus.value()))
                       : decltype(gnome_session::startMutterSession({}))(
                             pointilla::fail(std::string("no bus")));
    if (!session) {
        std::fprintf(stderr, "no remote-desktop session: %s\n", session.error().c_str());
        return 1;
    }
    start = Clock::now();
    for (const ScreenPoint& point : path) {
        static_cast<void>(session.value()->moveTo(point.x, point.y));
    }
    static_cast<void>(session.value()->awaitSent());
    printRow("GNOME session calls, replies awaited together", moves, secondsSince(start));
    return 0;
}
