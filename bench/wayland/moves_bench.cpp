// 10,000 pointer moves through the session's native desktop (POINTILLA_BACKEND
// picks it), timed from the first move until the last has reached the display
// server (the desktop's close waits for that). One line:
//   <backend> <moves> moves: <total ms> ms, <µs per move> us/move, <moves/s> moves/s
//   moves_bench [MOVES]
//   moves_bench --families   the Wayland families this build has, one a line

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string_view>

#include "platform/desktop/native_desktop.h"
#include "platform/native/wayland_family.h"

int main(int argc, char** argv) {
    namespace platform = pointilla::platform;
    if (argc > 1 && std::string_view(argv[1]) == "--families") {
        for (const platform::WaylandFamily& family : platform::waylandFamilies()) {
            std::printf("%.*s\n", static_cast<int>(family.name.size()), family.name.data());
        }
        return 0;
    }
    const int moves = argc > 1 ? std::atoi(argv[1]) : 10000;
    platform::DesktopNotes notes;
    auto opened = platform::openNativeDesktop(nullptr, notes);
    if (!opened || moves <= 0) {
        std::fprintf(stderr, "moves_bench: no desktop\n");
        return 1;
    }
    std::unique_ptr<platform::Desktop> desktop = std::move(opened).value();
    const platform::ScreenSize size = desktop->screen().primaryScreenSize();
    if (size.width <= 0 || size.height <= 0) return 1;
    static_cast<void>(
        desktop->pointer().moveTo({0, 0}));  // pays a new device's settling outside the timing

    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < moves; ++i) {
        static_cast<void>(
            desktop->pointer().moveTo({(i * 7) % size.width, (i * 13) % size.height}));
    }
    desktop.reset();
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("%-8s %d moves: %8.1f ms, %6.2f us/move, %9.0f moves/s\n", notes.backend.c_str(),
                moves, ms, ms * 1000.0 / moves, moves / (ms / 1000.0));
    return 0;
}
