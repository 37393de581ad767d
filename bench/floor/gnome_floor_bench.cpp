// Prints, in seconds, how long MOVES pointer moves take on the GNOME compositor
// (mutter) of the session bus, until they are seen to have landed:
//   gnome_floor_bench raw MOVES          bare NotifyPointerMotionAbsolute calls
//                                        on a remote-desktop session of mutter's
//                                        own with its screen-cast stream, sent
//                                        without awaiting each reply (at most
//                                        kInFlight waiting), every reply taken,
//                                        then the cursor metadata read until it
//                                        shows the last position
//   gnome_floor_bench raw-awaited MOVES  the same, each call awaited
//   gnome_floor_bench engine MOVES       "Position souris" rows played by the
//                                        engine through the GNOME backend, until
//                                        the desktop's close has seen them land
// The session's device settling (its first move) stays outside the timing.

#include <systemd/sd-bus.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <thread>

#include "bench_support.h"
#include "platform/desktop/native_desktop.h"
#include "platform/wayland/gnome/cursor_stream.h"
#include "playback/playback_engine.h"
#include "scenario/scenario.h"

namespace {

using pointilla::bench::Clock;
using pointilla::bench::movePath;
using pointilla::bench::secondsSince;
using pointilla::platform::ScreenPoint;

constexpr int kWidth = 1280;
constexpr int kHeight = 1024;
constexpr int kInFlight = 256;
constexpr auto kLandTimeout = std::chrono::seconds(10);
constexpr const char* kRemoteDesktop = "org.gnome.Mutter.RemoteDesktop";
constexpr const char* kRemoteSession = "org.gnome.Mutter.RemoteDesktop.Session";
constexpr const char* kScreenCast = "org.gnome.Mutter.ScreenCast";

struct BusClose {
    void operator()(sd_bus* bus) const { sd_bus_flush_close_unref(bus); }
};
struct MessageUnref {
    void operator()(sd_bus_message* m) const { sd_bus_message_unref(m); }
};
using Bus = std::unique_ptr<sd_bus, BusClose>;
using Message = std::unique_ptr<sd_bus_message, MessageUnref>;

// A remote-desktop session recording the primary monitor, cursor as metadata.
struct RawSession {
    Bus bus;
    std::string session;
    std::string stream;
    std::uint32_t node = 0;
    bool haveNode = false;
    int pending = 0;
    bool failed = false;

    ~RawSession() {
        if (bus && !session.empty()) {
            sd_bus_call_method(bus.get(), kRemoteDesktop, session.c_str(), kRemoteSession, "Stop",
                               nullptr, nullptr, "");
        }
    }

    // Calls and reads the object path the reply holds.
    bool callForPath(const char* service, const char* path, const char* interface,
                     const char* member, std::string& out, const char* signature,
                     auto... arguments) {
        sd_bus_message* reply = nullptr;
        const int r = sd_bus_call_method(bus.get(), service, path, interface, member, nullptr,
                                         &reply, signature, arguments...);
        const Message owned(reply);
        const char* text = nullptr;
        if (r < 0 || sd_bus_message_read_basic(reply, 'o', &text) < 0) return false;
        out = text;
        return true;
    }

    static int onStreamAdded(sd_bus_message* m, void* self, sd_bus_error*) {
        auto* s = static_cast<RawSession*>(self);
        s->haveNode = sd_bus_message_read_basic(m, 'u', &s->node) >= 0;
        return 0;
    }

    bool start() {
        sd_bus* opened = nullptr;
        if (sd_bus_open_user(&opened) < 0) return false;
        bus.reset(opened);
        if (!callForPath(kRemoteDesktop, "/org/gnome/Mutter/RemoteDesktop", kRemoteDesktop,
                         "CreateSession", session, "")) {
            return false;
        }
        sd_bus_message* idReply = nullptr;
        if (sd_bus_get_property(bus.get(), kRemoteDesktop, session.c_str(), kRemoteSession,
                                "SessionId", nullptr, &idReply, "s") < 0) {
            return false;
        }
        const Message ownedId(idReply);
        const char* id = nullptr;
        sd_bus_message_read_basic(idReply, 's', &id);
        std::string cast;
        if (!callForPath(kScreenCast, "/org/gnome/Mutter/ScreenCast", kScreenCast, "CreateSession",
                         cast, "a{sv}", 1, "remote-desktop-session-id", "s", id)) {
            return false;
        }
        if (!callForPath(kScreenCast, cast.c_str(), "org.gnome.Mutter.ScreenCast.Session",
                         "RecordMonitor", stream, "sa{sv}", "", 1, "cursor-mode", "u", 2U)) {
            return false;
        }
        sd_bus_slot* slot = nullptr;
        sd_bus_match_signal(bus.get(), &slot, kScreenCast, stream.c_str(),
                            "org.gnome.Mutter.ScreenCast.Stream", "PipeWireStreamAdded",
                            &onStreamAdded, this);
        if (sd_bus_call_method(bus.get(), kRemoteDesktop, session.c_str(), kRemoteSession, "Start",
                               nullptr, nullptr, "") < 0) {
            return false;
        }
        const auto deadline = Clock::now() + kLandTimeout;
        while (!haveNode && Clock::now() < deadline) {
            if (sd_bus_process(bus.get(), nullptr) == 0) sd_bus_wait(bus.get(), 100'000);
        }
        sd_bus_slot_unref(slot);
        return haveNode;
    }

    static int onReply(sd_bus_message* m, void* self, sd_bus_error*) {
        auto* s = static_cast<RawSession*>(self);
        --s->pending;
        if (sd_bus_message_is_method_error(m, nullptr)) s->failed = true;
        return 0;
    }

    bool takeRepliesBelow(int limit) {
        while (pending > limit && !failed) {
            const int r = sd_bus_process(bus.get(), nullptr);
            if (r < 0) return false;
            if (r == 0) sd_bus_wait(bus.get(), UINT64_MAX);
        }
        return !failed;
    }

    bool move(ScreenPoint point, bool awaited) {
        if (awaited) {
            return sd_bus_call_method(bus.get(), kRemoteDesktop, session.c_str(), kRemoteSession,
                                      "NotifyPointerMotionAbsolute", nullptr, nullptr, "sdd",
                                      stream.c_str(), double(point.x), double(point.y)) >= 0;
        }
        if (!takeRepliesBelow(kInFlight - 1)) return false;
        if (sd_bus_call_method_async(bus.get(), nullptr, kRemoteDesktop, session.c_str(),
                                     kRemoteSession, "NotifyPointerMotionAbsolute", &onReply, this,
                                     "sdd", stream.c_str(), double(point.x), double(point.y)) < 0) {
            return false;
        }
        ++pending;
        return true;
    }
};

bool landsAt(const pointilla::platform::wayland::gnome::CursorStream& cursor, ScreenPoint point) {
    const auto deadline = Clock::now() + kLandTimeout;
    while (cursor.position() != point) {
        if (Clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return true;
}

int rawLoop(int moves, bool awaited) {
    RawSession raw;
    if (!raw.start()) {
        std::fprintf(stderr, "no remote-desktop session of mutter's own\n");
        return 1;
    }
    auto cursor = pointilla::platform::wayland::gnome::CursorStream::open({}, raw.node);
    if (!cursor) {
        std::fprintf(stderr, "%s\n", cursor.error().c_str());
        return 1;
    }
    // The device is taken up a moment after Start: the first move is repeated
    // until it shows.
    const ScreenPoint first{kWidth - 1, kHeight - 1};
    for (int tries = 0; tries < 40 && cursor.value()->position() != first; ++tries) {
        raw.move(first, true);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    const auto path = movePath(moves, kWidth, kHeight);
    const auto start = Clock::now();
    for (const ScreenPoint& point : path) {
        if (!raw.move(point, awaited)) return 1;
    }
    if (!raw.takeRepliesBelow(0) || !landsAt(*cursor.value(), path.back())) return 1;
    std::printf("%.4f\n", secondsSince(start));
    return 0;
}

int engineLoop(int moves) {
    namespace platform = pointilla::platform;
    namespace scenario = pointilla::scenario;
    platform::DesktopNotes notes;
    auto opened = platform::openNativeDesktop(nullptr, notes);
    if (!opened) return 1;
    std::unique_ptr<platform::Desktop> desktop = std::move(opened).value();
    const scenario::Scenario rows =
        pointilla::bench::positionRows(movePath(moves, kWidth, kHeight));
    static_cast<void>(desktop->pointer().moveTo({kWidth - 1, kHeight - 1}));  // untimed settling
    static_cast<void>(desktop->pointer().flush());
    // The close waits until the cursor shows the last move.
    std::printf("%.4f\n", pointilla::bench::playAndClose(rows, std::move(desktop)));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string_view mode = argc > 1 ? argv[1] : "";
    const int moves = argc > 2 ? std::atoi(argv[2]) : 10000;
    if (moves <= 0) return 2;
    if (mode == "raw") return rawLoop(moves, false);
    if (mode == "raw-awaited") return rawLoop(moves, true);
    if (mode == "engine") return engineLoop(moves);
    std::fprintf(stderr, "usage: gnome_floor_bench raw|raw-awaited|engine MOVES\n");
    return 2;
}
