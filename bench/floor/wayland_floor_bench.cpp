// Prints, in seconds, how long MOVES pointer moves take on the Wayland
// compositor named by $WAYLAND_DISPLAY, until the compositor has read the last:
//   wayland_floor_bench raw-wlroots MOVES  bare zwlr_virtual_pointer_v1 absolute
//                                          motions, each with its frame, and one
//                                          round trip at the end
//   wayland_floor_bench raw-kwin MOVES     bare org_kde_kwin_fake_input absolute
//                                          motions and one round trip
//   wayland_floor_bench engine MOVES       "Position souris" rows played by the
//                                          engine through the backend that
//                                          POINTILLA_BACKEND names, until the
//                                          desktop's close has sent them all
// The raw loops write as the backends do, 64 moves at a time, since a full
// connection buffer would otherwise end the connection.

#include <poll.h>
#include <wayland-client.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>

#include "bench_support.h"
#include "platform/desktop/native_desktop.h"
#include "playback/playback_engine.h"
#include "scenario/scenario.h"
#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"
#ifdef POINTILLA_FLOOR_KWIN
#include "fake-input-client-protocol.h"
#endif

namespace {

using pointilla::bench::Clock;
using pointilla::bench::movePath;
using pointilla::bench::secondsSince;

// The test bed's headless output.
constexpr int kWidth = 1280;
constexpr int kHeight = 1024;
constexpr int kMovesPerWrite = 64;

struct Disconnect {
    void operator()(wl_display* display) const { wl_display_disconnect(display); }
};
using Connection = std::unique_ptr<wl_display, Disconnect>;

// The globals the raw loops bind, found by name.
struct Globals {
    wl_seat* seat = nullptr;
    zwlr_virtual_pointer_manager_v1* pointers = nullptr;
#ifdef POINTILLA_FLOOR_KWIN
    org_kde_kwin_fake_input* fakeInput = nullptr;
#endif
};

void onGlobal(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
              std::uint32_t version) {
    auto* found = static_cast<Globals*>(data);
    if (std::strcmp(interface, wl_seat_interface.name) == 0 && found->seat == nullptr) {
        found->seat =
            static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    } else if (std::strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0) {
        found->pointers = static_cast<zwlr_virtual_pointer_manager_v1*>(
            wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1));
    }
#ifdef POINTILLA_FLOOR_KWIN
    else if (std::strcmp(interface, org_kde_kwin_fake_input_interface.name) == 0) {
        found->fakeInput = static_cast<org_kde_kwin_fake_input*>(wl_registry_bind(
            registry, name, &org_kde_kwin_fake_input_interface, std::min(version, 4U)));
    }
#endif
    static_cast<void>(version);
}
void onGlobalRemoved(void*, wl_registry*, std::uint32_t) {}

bool flushAll(wl_display* display) {
    while (wl_display_flush(display) < 0) {
        if (errno != EAGAIN) return false;
        pollfd writable{wl_display_get_fd(display), POLLOUT, 0};
        poll(&writable, 1, -1);
    }
    return true;
}

// Connects and binds; the registry lives as long as the connection.
Connection connectWith(Globals& found) {
    Connection display(wl_display_connect(nullptr));
    if (!display) return display;
    static const wl_registry_listener listener{&onGlobal, &onGlobalRemoved};
    wl_registry_add_listener(wl_display_get_registry(display.get()), &listener, &found);
    wl_display_roundtrip(display.get());
    return display;
}

// Times `send` for each point of the path, flushing as the backends do, and
// one round trip at the end; prints the seconds.
template <class Send>
int timeLoop(wl_display* display, int moves, Send send) {
    const auto path = movePath(moves, kWidth, kHeight);
    const auto start = Clock::now();
    int held = 0;
    for (const auto& point : path) {
        send(point);
        if (++held == kMovesPerWrite) {
            held = 0;
            if (!flushAll(display)) return 1;
        }
    }
    if (!flushAll(display) || wl_display_roundtrip(display) < 0) return 1;
    std::printf("%.4f\n", secondsSince(start));
    return 0;
}

int rawWlroots(int moves) {
    Globals found;
    const Connection display = connectWith(found);
    if (!display || found.seat == nullptr || found.pointers == nullptr) return 1;
    zwlr_virtual_pointer_v1* pointer =
        zwlr_virtual_pointer_manager_v1_create_virtual_pointer(found.pointers, found.seat);
    // A new device's settling stays outside the timing, as in the backend's bench.
    wl_display_roundtrip(display.get());
    std::uint32_t time = 0;
    return timeLoop(display.get(), moves, [&](pointilla::platform::ScreenPoint point) {
        zwlr_virtual_pointer_v1_motion_absolute(
            pointer, ++time, static_cast<std::uint32_t>(point.x),
            static_cast<std::uint32_t>(point.y), kWidth, kHeight);
        zwlr_virtual_pointer_v1_frame(pointer);
    });
}

#ifdef POINTILLA_FLOOR_KWIN
int rawKwin(int moves) {
    Globals found;
    const Connection display = connectWith(found);
    if (!display || found.fakeInput == nullptr) return 1;
    org_kde_kwin_fake_input_authenticate(found.fakeInput, "Pointilla", "floor");
    wl_display_roundtrip(display.get());
    return timeLoop(display.get(), moves, [&](pointilla::platform::ScreenPoint point) {
        org_kde_kwin_fake_input_pointer_motion_absolute(found.fakeInput, wl_fixed_from_int(point.x),
                                                        wl_fixed_from_int(point.y));
    });
}
#endif

int engineLoop(int moves) {
    namespace platform = pointilla::platform;
    platform::DesktopNotes notes;
    auto opened = platform::openNativeDesktop(nullptr, notes);
    if (!opened) return 1;
    std::unique_ptr<platform::Desktop> desktop = std::move(opened).value();
    const platform::ScreenSize size = desktop->screen().primaryScreenSize();
    const pointilla::scenario::Scenario scenario =
        pointilla::bench::positionRows(movePath(moves, size.width, size.height));
    static_cast<void>(desktop->pointer().moveTo({0, 0}));  // the device's settling, untimed
    // The close waits until the compositor has the last move.
    std::printf("%.4f\n", pointilla::bench::playAndClose(scenario, std::move(desktop)));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string_view mode = argc > 1 ? argv[1] : "";
    const int moves = argc > 2 ? std::atoi(argv[2]) : 10000;
    if (moves <= 0) return 2;
    if (mode == "raw-wlroots") return rawWlroots(moves);
#ifdef POINTILLA_FLOOR_KWIN
    if (mode == "raw-kwin") return rawKwin(moves);
#endif
    if (mode == "engine") return engineLoop(moves);
    std::fprintf(stderr, "usage: wayland_floor_bench raw-wlroots|raw-kwin|engine MOVES\n");
    return 2;
}
