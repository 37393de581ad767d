// The GNOME keyboard against a stand-in GlobalShortcuts portal on a private
// session bus: what it binds for the watched combinations, the keys it reports
// between Activated and Deactivated, and a desktop without the portal. And the
// cursor stream where there is no PipeWire to reach, and the calls sent
// without awaiting each reply against a stand-in service.

#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <systemd/sd-bus.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/desktop/virtual_keys.h"
#include "platform/wayland/gnome/call_pipeline.h"
#include "platform/wayland/gnome/cursor_stream.h"
#include "platform/wayland/gnome/shortcut_trigger.h"
#include "platform/wayland/gnome/shortcuts_keyboard.h"
#include "support/temp_dir.h"

namespace pointilla::platform::wayland::gnome {
namespace {

using namespace vk;
constexpr const char* kPath = "/org/freedesktop/portal/desktop";
constexpr const char* kInterface = "org.freedesktop.portal.GlobalShortcuts";
constexpr const char* kSession = "/org/freedesktop/portal/desktop/session/1_1/fake";

// A session bus of the test's own.
class PrivateBus {
  public:
    PrivateBus() {
        address_ = "unix:path=" + (folder_.path() / "bus").string();
        pid_ = ::fork();
        if (pid_ == 0) {
            ::execlp("dbus-daemon", "dbus-daemon", "--session", "--nofork",
                     ("--address=" + address_).c_str(), nullptr);
            ::_exit(127);
        }
        for (int i = 0; i < 100 && !up(); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        ::setenv("DBUS_SESSION_BUS_ADDRESS", address_.c_str(), 1);
    }
    ~PrivateBus() {
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
    }
    bool up() const { return std::filesystem::exists(folder_.path() / "bus"); }
    const std::string& address() const { return address_; }

  private:
    const pointilla::testing::TempDir folder_{"pointilla-gs-"};
    std::string address_;
    pid_t pid_ = -1;
};

// org.freedesktop.portal.Desktop with GlobalShortcuts only, served on its own
// thread. Each request is answered at once with a Response.
class FakePortal {
  public:
    explicit FakePortal(const std::string& address) {
        sd_bus_new(&bus_);
        sd_bus_set_address(bus_, address.c_str());
        sd_bus_set_bus_client(bus_, 1);
        sd_bus_start(bus_);
        sd_bus_add_object_vtable(bus_, nullptr, kPath, kInterface, kVtable, this);
        sd_bus_request_name(bus_, "org.freedesktop.portal.Desktop", 0);
        thread_ = std::thread([this] { serve(); });
    }
    ~FakePortal() {
        stop_ = true;
        thread_.join();
        sd_bus_flush_close_unref(bus_);
    }

    std::vector<std::pair<std::string, std::string>> bound() {
        const std::lock_guard lock(mutex_);
        return bound_;  // (shortcut id, preferred trigger)
    }
    void press(const std::string& id, bool down) {
        const std::lock_guard lock(mutex_);
        pending_.emplace_back(id, down);
    }

  private:
    static int respond(sd_bus_message* call, const std::string& token) {
        std::string sender(sd_bus_message_get_sender(call) + 1);
        for (char& c : sender) {
            if (c == '.') c = '_';
        }
        const std::string request = std::string(kPath) + "/request/" + sender + "/" + token;
        sd_bus* bus = sd_bus_message_get_bus(call);
        sd_bus_emit_signal(bus, request.c_str(), "org.freedesktop.portal.Request", "Response",
                           "ua{sv}", 0u, 1, "session_handle", "o", kSession);
        return sd_bus_reply_method_return(call, "o", request.c_str());
    }

    // The handle_token of an a{sv} at the read position.
    static std::string handleToken(sd_bus_message* m) {
        std::string token;
        sd_bus_message_enter_container(m, 'a', "{sv}");
        while (sd_bus_message_enter_container(m, 'e', "sv") > 0) {
            const char* key = nullptr;
            const char* contents = nullptr;
            sd_bus_message_read_basic(m, 's', &key);
            sd_bus_message_peek_type(m, nullptr, &contents);
            if (std::string(key) == "handle_token") {
                const char* value = nullptr;
                sd_bus_message_read(m, "v", "s", &value);
                token = value;
            } else {
                sd_bus_message_skip(m, "v");
            }
            sd_bus_message_exit_container(m);
        }
        sd_bus_message_exit_container(m);
        return token;
    }

    static int createSession(sd_bus_message* m, void* /*self*/, sd_bus_error* /*error*/) {
        return respond(m, handleToken(m));
    }

    static int bindShortcuts(sd_bus_message* m, void* self, sd_bus_error* /*error*/) {
        auto* portal = static_cast<FakePortal*>(self);
        const char* session = nullptr;
        sd_bus_message_read_basic(m, 'o', &session);
        std::vector<std::pair<std::string, std::string>> shortcuts;
        sd_bus_message_enter_container(m, 'a', "(sa{sv})");
        while (sd_bus_message_enter_container(m, 'r', "sa{sv}") > 0) {
            const char* id = nullptr;
            sd_bus_message_read_basic(m, 's', &id);
            std::string trigger;
            sd_bus_message_enter_container(m, 'a', "{sv}");
            while (sd_bus_message_enter_container(m, 'e', "sv") > 0) {
                const char* key = nullptr;
                sd_bus_message_read_basic(m, 's', &key);
                if (std::string(key) == "preferred_trigger") {
                    const char* value = nullptr;
                    sd_bus_message_read(m, "v", "s", &value);
                    trigger = value;
                } else {
                    sd_bus_message_skip(m, "v");
                }
                sd_bus_message_exit_container(m);
            }
            sd_bus_message_exit_container(m);
            sd_bus_message_exit_container(m);
            shortcuts.emplace_back(id, trigger);
        }
        sd_bus_message_exit_container(m);
        const char* parent = nullptr;
        sd_bus_message_read_basic(m, 's', &parent);
        const std::string token = handleToken(m);
        {
            const std::lock_guard lock(portal->mutex_);
            portal->bound_ = shortcuts;
        }
        return respond(m, token);
    }

    static int version(sd_bus* /*bus*/, const char* /*path*/, const char* /*interface*/,
                       const char* /*property*/, sd_bus_message* reply, void* /*self*/,
                       sd_bus_error* /*error*/) {
        return sd_bus_message_append(reply, "u", 1u);
    }

    void serve() {
        while (!stop_) {
            while (sd_bus_process(bus_, nullptr) > 0) {
            }
            std::vector<std::pair<std::string, bool>> presses;
            {
                const std::lock_guard lock(mutex_);
                presses.swap(pending_);
            }
            for (const auto& [id, down] : presses) {
                sd_bus_emit_signal(bus_, kPath, kInterface, down ? "Activated" : "Deactivated",
                                   "osta{sv}", kSession, id.c_str(), uint64_t{0}, 0);
            }
            sd_bus_wait(bus_, 10'000);
        }
    }

    static constexpr sd_bus_vtable kVtable[] = {
        SD_BUS_VTABLE_START(0),
        SD_BUS_METHOD("CreateSession", "a{sv}", "o", &FakePortal::createSession, 0),
        SD_BUS_METHOD("BindShortcuts", "oa(sa{sv})sa{sv}", "o", &FakePortal::bindShortcuts, 0),
        SD_BUS_PROPERTY("version", "u", &FakePortal::version, 0, SD_BUS_VTABLE_PROPERTY_CONST),
        SD_BUS_VTABLE_END};

    sd_bus* bus_ = nullptr;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<std::pair<std::string, std::string>> bound_;
    std::vector<std::pair<std::string, bool>> pending_;
};

// Waits for the keyboard's descriptor, then lets it take what came.
bool changeArrives(KeyboardState& keyboard) {
    pollfd fd{keyboard.changeNotifier(), POLLIN, 0};
    for (int round = 0; round < 50; ++round) {
        if (::poll(&fd, 1, 100) > 0 && keyboard.takeChanges()) return true;
    }
    return false;
}

TEST(GnomeShortcutTrigger, NamesModifiersThenTheKeysKeysym) {
    struct Case {
        KeyCombination keys;
        std::optional<std::string> trigger;      // the portal's
        std::optional<std::string> accelerator;  // the shell helper's
    };
    const std::vector<Case> cases{
        {{kCtrl, kAlt, topRowDigit(1)}, "CTRL+ALT+1", "<Control><Alt>1"},
        {{kCtrl, kShift, functionKey(12)}, "CTRL+SHIFT+F12", "<Control><Shift>F12"},
        {{kAlt, letter('Q')}, "ALT+q", "<Alt>q"},
        {{kCtrl, keypadDigit(7)}, "CTRL+KP_7", "<Control>KP_7"},
        {{kEscape}, "Escape", "Escape"},
        {{kCtrl}, std::nullopt, std::nullopt},  // a modifier is no key
        {{letter('A'), topRowDigit(1)}, std::nullopt, std::nullopt},
        {{}, std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(shortcutTrigger(c.keys), c.trigger) << c.trigger.value_or("-");
        EXPECT_EQ(shellAccelerator(c.keys), c.accelerator) << c.accelerator.value_or("-");
    }
}

TEST(GnomeShortcutsKeyboard, HoldsTheKeysOfAnActivatedShortcutUntilDeactivated) {
    PrivateBus bus;
    if (!bus.up()) GTEST_SKIP() << "no dbus-daemon";
    FakePortal portal(bus.address());
    const auto keyboard = openShortcutsKeyboard();
    ASSERT_TRUE(keyboard->hearsCombinations());

    const std::vector<KeyCombination> watched = {
        {kCtrl, kAlt, topRowDigit(1)}, {kCtrl, kAlt, keypadDigit(1)}, {kEscape}};
    keyboard->watchCombinations(watched);
    const auto bound = portal.bound();
    ASSERT_EQ(bound.size(), 3U);
    EXPECT_EQ(bound[0], std::make_pair(std::string("0"), std::string("CTRL+ALT+1")));
    EXPECT_EQ(bound[1], std::make_pair(std::string("1"), std::string("CTRL+ALT+KP_1")));
    EXPECT_EQ(bound[2], std::make_pair(std::string("2"), std::string("Escape")));

    portal.press("1", true);
    ASSERT_TRUE(changeArrives(*keyboard));
    const std::vector<int> keys = {kCtrl, kAlt, kShift, keypadDigit(1), topRowDigit(1), kEscape};
    bool down[6] = {};
    keyboard->queryDown(keys, down);
    EXPECT_TRUE(down[0] && down[1] && down[3]);
    EXPECT_FALSE(down[2] || down[4] || down[5]);

    portal.press("1", false);
    ASSERT_TRUE(changeArrives(*keyboard));
    EXPECT_FALSE(keyboard->isDown(kCtrl));
    EXPECT_FALSE(keyboard->isDown(keypadDigit(1)));

    // A tap read in one go: the key queries see nothing held, the key events
    // the press and then the release.
    keyboard->takeKeyEvents();
    portal.press("0", true);
    portal.press("0", false);
    ASSERT_TRUE(changeArrives(*keyboard));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_FALSE(keyboard->isDown(kCtrl));
    ASSERT_TRUE(keyboard->hearsKeyEvents());
    const auto events = keyboard->takeKeyEvents();
    ASSERT_EQ(events.size(), 2U);
    EXPECT_TRUE(events[0](kCtrl) && events[0](kAlt) && events[0](topRowDigit(1)));
    EXPECT_FALSE(events[0](keypadDigit(1)) || events[0](kEscape));
    EXPECT_FALSE(events[1](kCtrl) || events[1](topRowDigit(1)));

    // An unknown or foreign shortcut changes nothing.
    portal.press("7", true);
    portal.press("x", true);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    keyboard->takeChanges();
    EXPECT_FALSE(keyboard->isDown(kCtrl));
}

// The portal sends a tap's Activated and Deactivated back to back: the stop
// key's watch still takes the press, once, and only for Escape.
TEST(GnomeShortcutsKeyboard, KeepsATapOfEscapeUntilTaken) {
    PrivateBus bus;
    if (!bus.up()) GTEST_SKIP() << "no dbus-daemon";
    FakePortal portal(bus.address());
    const auto keyboard = openShortcutsKeyboard();
    keyboard->watchCombinations(
        std::vector<KeyCombination>{{kCtrl, kAlt, topRowDigit(1)}, {kEscape}});
    ASSERT_EQ(portal.bound().size(), 2U);
    EXPECT_FALSE(keyboard->takePress(kEscape));

    portal.press("1", true);
    portal.press("1", false);
    portal.press("0", true);
    portal.press("0", false);
    ASSERT_TRUE(changeArrives(*keyboard));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));  // the rest of the burst
    keyboard->takeChanges();
    EXPECT_FALSE(keyboard->isDown(kEscape));
    EXPECT_TRUE(keyboard->takePress(kEscape));
    EXPECT_FALSE(keyboard->takePress(kEscape));
    EXPECT_TRUE(keyboard->takePress(kCtrl));
}

TEST(GnomeShortcutsKeyboard, SaysItHearsNothingWithoutThePortalOrTheShellHelper) {
    PrivateBus bus;
    if (!bus.up()) GTEST_SKIP() << "no dbus-daemon";
    const auto keyboard = openShortcutsKeyboard();
    EXPECT_FALSE(keyboard->hearsCombinations());
    keyboard->watchCombinations(std::vector<KeyCombination>{{kCtrl, kAlt, topRowDigit(1)}});
    EXPECT_FALSE(keyboard->isDown(kCtrl));
    EXPECT_FALSE(keyboard->takeChanges());
}

// A service whose Move(i) records i, and refuses a negative one.
class FakeMover {
  public:
    explicit FakeMover(const std::string& address) {
        sd_bus_new(&bus_);
        sd_bus_set_address(bus_, address.c_str());
        sd_bus_set_bus_client(bus_, 1);
        sd_bus_start(bus_);
        sd_bus_add_object_vtable(bus_, nullptr, "/mover", "org.example.Mover", kVtable, this);
        sd_bus_request_name(bus_, "org.example.Mover", 0);
        thread_ = std::thread([this] {
            while (!stop_) {
                while (sd_bus_process(bus_, nullptr) > 0) {
                }
                sd_bus_wait(bus_, 10'000);
            }
        });
    }
    ~FakeMover() {
        stop_ = true;
        thread_.join();
        sd_bus_flush_close_unref(bus_);
    }
    std::vector<int> moves() {
        const std::lock_guard lock(mutex_);
        return moves_;
    }

  private:
    static int move(sd_bus_message* m, void* self, sd_bus_error* error) {
        int value = 0;
        sd_bus_message_read_basic(m, 'i', &value);
        if (value < 0) {
            return sd_bus_error_set_const(error, "org.example.Refused", "negative");
        }
        auto* mover = static_cast<FakeMover*>(self);
        {
            const std::lock_guard lock(mover->mutex_);
            mover->moves_.push_back(value);
        }
        return sd_bus_reply_method_return(m, "");
    }
    static constexpr sd_bus_vtable kVtable[] = {SD_BUS_VTABLE_START(0),
                                                SD_BUS_METHOD("Move", "i", "", &FakeMover::move, 0),
                                                SD_BUS_VTABLE_END};

    sd_bus* bus_ = nullptr;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<int> moves_;
};

TEST(GnomeCallPipeline, KeepsOrderBoundsWhatWaitsAndTellsARefusal) {
    PrivateBus bus;
    if (!bus.up()) GTEST_SKIP() << "no dbus-daemon";
    FakeMover mover(bus.address());
    auto client = openSessionBus();
    ASSERT_TRUE(client.ok());
    const auto send = [&](CallPipeline& pipeline, int value) {
        auto call = newMethodCall(client->get(), "org.example.Mover", "/mover", "org.example.Mover",
                                  "Move");
        sd_bus_message_append(call->get(), "i", value);
        return pipeline.send(call->get());
    };

    CallPipeline pipeline(client->get());
    constexpr int kCalls = 3 * static_cast<int>(CallPipeline::kInFlight);
    std::vector<int> sent;
    for (int i = 0; i < kCalls; ++i) {
        ASSERT_TRUE(send(pipeline, i).ok());
        ASSERT_LE(pipeline.inFlight(), CallPipeline::kInFlight);
        sent.push_back(i);
    }
    ASSERT_TRUE(pipeline.awaitAll().ok());
    EXPECT_EQ(pipeline.inFlight(), 0U);
    EXPECT_EQ(mover.moves(), sent);

    ASSERT_TRUE(send(pipeline, -1).ok());  // refused, but not yet known
    const auto awaited = pipeline.awaitAll();
    ASSERT_FALSE(awaited.ok());
    EXPECT_NE(awaited.error().find("org.example.Refused"), std::string::npos);
    EXPECT_FALSE(send(pipeline, 7).ok());  // the failure stays told
}

TEST(GnomeCursorStream, FailsCleanlyWithoutPipeWire) {
    const pointilla::testing::TempDir nowhere("pointilla-no-pipewire-");
    ::setenv("PIPEWIRE_RUNTIME_DIR", nowhere.path().c_str(), 1);
    ::setenv("PIPEWIRE_REMOTE", "pipewire-0", 1);
    const auto stream = CursorStream::open(posix::UniqueFd(), 42);
    ::unsetenv("PIPEWIRE_RUNTIME_DIR");
    ::unsetenv("PIPEWIRE_REMOTE");
    ASSERT_FALSE(stream.ok());
    EXPECT_NE(stream.error().find("PipeWire"), std::string::npos);
}

}  // namespace
}  // namespace pointilla::platform::wayland::gnome
