#include "platform/x11/x11_desktop.h"

#include <X11/extensions/XTest.h>
#include <X11/extensions/Xrandr.h>
#include <fcntl.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <string>
#include <utility>

#include "platform/desktop/wrapping_ticks.h"
#include "platform/posix/xdg_document_opener.h"
#include "platform/x11/connection_loss.h"
#include "platform/x11/raw_button_listener.h"
#include "platform/x11/raw_key_listener.h"
#include "platform/x11/screen_layout.h"
#include "platform/x11/virtual_key_map.h"
#include "platform/x11/x_handles.h"

namespace pointilla::platform {
namespace {

using x11::DisplayHandle;

class X11Desktop final : public Desktop,
                         private PointerDevice,
                         private ButtonInjector,
                         private KeyboardState,
                         private ScreenInfo,
                         private ClickSource {
  public:
    X11Desktop(DisplayHandle display, bool haveRandr, int randrEventBase, bool haveMonitors)
        : name_(DisplayString(display.get())),
          display_(std::move(display)),
          screen_(DefaultScreen(display_.get())),
          root_(RootWindow(display_.get(), screen_)),
          haveRandr_(haveRandr),
          randrEventBase_(randrEventBase),
          haveMonitors_(haveMonitors) {
        ::fcntl(ConnectionNumber(display_.get()), F_SETFD, FD_CLOEXEC);
        watch_.watch(display_.get());
        if (haveRandr_) {
            XRRSelectInput(
                display_.get(), root_,
                RRScreenChangeNotifyMask | RRCrtcChangeNotifyMask | RROutputChangeNotifyMask);
        }
        keys_.rebuild(display_.get());
        refreshLayout();
    }

    PointerDevice& pointer() override { return *this; }
    ButtonInjector& buttons() override { return *this; }
    KeyboardState& keyboard() override { return *this; }
    ScreenInfo& screen() override { return *this; }
    DocumentOpener& opener() override { return opener_; }
    ProgramStarter& programs() override { return programs_; }
    ClickSource* clicks() override { return this; }

  private:
    // --- pointer ---
    std::optional<ScreenPoint> position() override {
        Window rootReturn = 0;
        Window child = 0;
        int rootX = 0;
        int rootY = 0;
        int windowX = 0;
        int windowY = 0;
        unsigned int mask = 0;
        x11::BrokenConnectionWatch::keepHandling();
        const bool onThisScreen = XQueryPointer(display_.get(), root_, &rootReturn, &child, &rootX,
                                                &rootY, &windowX, &windowY, &mask);
        handleEvents(QueuedAlready);
        if (!onThisScreen || watch_.broken()) return std::nullopt;
        refreshLayoutIfStale();
        return layout_.toScreen(rootX, rootY);
    }

    // Spelt Result<void, ...>: Xlib's Status macro hides the alias here.
    // Moves and presses are only queued: a write and a wake-up of the server
    // for each would cost several times the move itself. Xlib sends them when
    // its buffer fills, and flush() sends the rest when the playback pauses.
    Result<void, DesktopLost> moveTo(ScreenPoint point) override {
        if (watch_.broken()) return lost();
        refreshLayoutIfStale();
        const ScreenPoint root = layout_.toRoot(point);
        x11::BrokenConnectionWatch::keepHandling();
        XTestFakeMotionEvent(display_.get(), screen_, root.x, root.y, CurrentTime);
        return watch_.broken() ? lost() : Result<void, DesktopLost>();
    }

    Result<void, DesktopLost> flush() override {
        if (watch_.broken()) return lost();
        x11::BrokenConnectionWatch::keepHandling();
        XFlush(display_.get());
        return watch_.broken() ? lost() : Result<void, DesktopLost>();
    }

    // --- buttons: real input through XTEST, at wherever the pointer is ---
    Result<void, DesktopLost> leftButtonDown() override { return pressLeft(True); }
    Result<void, DesktopLost> leftButtonUp() override { return pressLeft(False); }
    Result<void, DesktopLost> pressLeft(Bool down) {
        if (watch_.broken()) return lost();
        x11::BrokenConnectionWatch::keepHandling();
        XTestFakeButtonEvent(display_.get(), Button1, down, CurrentTime);
        return watch_.broken() ? lost() : Result<void, DesktopLost>();
    }

    Result<void, DesktopLost> lost() const {
        return fail(DesktopLost{"X connection to " + name_ + " broken"});
    }

    // --- keys: the server's global state, one round trip for any number of keys ---
    bool isDown(int virtualKey) override {
        const int keys[] = {virtualKey};
        bool down[] = {false};
        queryDown(keys, down);
        return down[0];
    }

    void queryDown(std::span<const int> virtualKeys, std::span<bool> down) override {
        char keymap[32] = {};
        x11::BrokenConnectionWatch::keepHandling();
        XQueryKeymap(display_.get(), keymap);
        handleEvents(QueuedAlready);
        // On a broken connection Xlib copies whatever its reply buffer held.
        if (watch_.broken()) std::fill(std::begin(keymap), std::end(keymap), '\0');
        for (std::size_t i = 0; i < virtualKeys.size() && i < down.size(); ++i) {
            down[i] = keys_.isDown(virtualKeys[i], keymap);
        }
    }

    int changeNotifier() const override {
        // Opened on first use: a program that never asks pays no second connection.
        if (!listenerTried_) {
            listenerTried_ = true;
            listener_.open(DisplayString(display_.get()));
        }
        return listener_.fd();
    }

    bool takeChanges() override { return listener_.drain(); }

    // --- clicks: a connection of their own, open only while listening ---
    Result<void, ListenRefused> startListening() override {
        auto listener = std::make_unique<x11::RawButtonListener>();
        if (!listener->open(name_)) {
            return fail(ListenRefused{"no XInput 2.1 raw events on " + name_});
        }
        buttonListener_ = std::move(listener);
        ticks_ = {};
        return {};
    }

    void stopListening() override { buttonListener_.reset(); }

    int pressNotifier() const override { return buttonListener_ ? buttonListener_->fd() : -1; }

    std::vector<LeftButtonPress> takePresses() override {
        std::vector<LeftButtonPress> presses;
        if (!buttonListener_) return presses;
        const auto heard = buttonListener_->drain();
        if (heard.empty()) return presses;
        handleEvents(QueuedAfterReading);
        refreshLayoutIfStale();
        for (const x11::RootPress& press : heard) {
            presses.push_back({layout_.toScreen(press.rootX, press.rootY),
                               ticks_.extend(static_cast<std::uint32_t>(press.time))});
        }
        return presses;
    }

    // Under XWayland the X server hears only what its own clients get.
    ClickReach reach() const override {
        const char* wayland = std::getenv("WAYLAND_DISPLAY");
        return wayland != nullptr && *wayland != '\0' ? ClickReach::X11ProgramsOnly
                                                      : ClickReach::EveryProgram;
    }

    // From the key events, without asking the server: cheap enough for every row.
    bool takePress(int virtualKey) override {
        if (changeNotifier() < 0) return isDown(virtualKey);
        return listener_.takePress(keys_.keycodes(virtualKey));
    }

    bool hearsKeyEvents() const override { return changeNotifier() >= 0; }
    std::vector<KeysAfterEvent> takeKeyEvents() override {
        std::vector<KeysAfterEvent> events;
        for (const auto& keymap : listener_.takeKeymaps()) {
            events.emplace_back([this, keymap](int virtualKey) {
                char bytes[32];
                std::copy(keymap.begin(), keymap.end(), std::begin(bytes));
                return keys_.isDown(virtualKey, bytes);
            });
        }
        return events;
    }

    // --- screen ---
    ScreenSize primaryScreenSize() override {
        handleEvents(QueuedAfterReading);
        refreshLayoutIfStale();
        return layout_.size();
    }

    // Keyboard-map and monitor-layout changes arrive as events on this
    // connection; they are read whenever a request brings them in.
    void handleEvents(int mode) {
        x11::BrokenConnectionWatch::keepHandling();
        bool keysChanged = false;
        bool layoutChanged = false;
        while (XEventsQueued(display_.get(), mode) > 0) {
            mode = QueuedAlready;
            XEvent event;
            XNextEvent(display_.get(), &event);
            if (event.type == MappingNotify) {
                XRefreshKeyboardMapping(&event.xmapping);
                keysChanged = keysChanged || event.xmapping.request != MappingPointer;
            } else if (haveRandr_ && event.type == randrEventBase_ + RRScreenChangeNotify) {
                XRRUpdateConfiguration(&event);
                layoutChanged = true;
            } else if (haveRandr_ && event.type == randrEventBase_ + RRNotify) {
                layoutChanged = true;
            }
        }
        if (keysChanged) keys_.rebuild(display_.get());
        if (layoutChanged) refreshLayout();
    }

    void refreshLayout() {
        layout_.setPrimary(x11::queryPrimaryMonitor(display_.get(), screen_, haveMonitors_));
        layoutTime_ = Clock::now();
    }

    // Monitors defined or made primary without a change of outputs send no
    // event, so the layout is also read again when it is older than this. The
    // events that announce a change are read every few milliseconds rather than
    // at every move: reading costs a system call.
    void refreshLayoutIfStale() {
        if (watch_.broken()) return;
        const auto now = Clock::now();
        if (now - eventsTime_ > kEventsEvery) {
            eventsTime_ = now;
            handleEvents(QueuedAfterReading);
        }
        if (!watch_.broken() && now - layoutTime_ > kLayoutLifetime) refreshLayout();
    }

    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds kLayoutLifetime{500};
    static constexpr std::chrono::milliseconds kEventsEvery{5};

    std::string name_;
    x11::BrokenConnectionWatch watch_;  // outlives the connection's closing
    DisplayHandle display_;
    int screen_;
    Window root_;
    bool haveRandr_;
    int randrEventBase_;
    bool haveMonitors_;
    x11::VirtualKeyMap keys_;
    x11::ScreenLayout layout_;
    Clock::time_point layoutTime_{};
    Clock::time_point eventsTime_{};
    mutable x11::RawKeyListener listener_;
    mutable bool listenerTried_ = false;
    std::unique_ptr<x11::RawButtonListener> buttonListener_;
    WrappingTicks ticks_;
    posix::XdgDocumentOpener opener_;
    posix::DirectProgramStarter programs_;
};

}  // namespace

Result<std::unique_ptr<Desktop>, DesktopOpenError> openX11Desktop(const char* displayName) {
    using Kind = DesktopOpenError::Kind;
    const char* name = displayName != nullptr ? displayName : std::getenv("DISPLAY");
    if (name == nullptr || *name == '\0') return fail(DesktopOpenError{Kind::NoDisplayNamed, {}});
    DisplayHandle display(XOpenDisplay(name));
    if (!display) return fail(DesktopOpenError{Kind::Unreachable, name});
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    if (!XTestQueryExtension(display.get(), &eventBase, &errorBase, &major, &minor)) {
        return fail(DesktopOpenError{Kind::NoXTest, name});
    }
    int randrEventBase = 0;
    int randrErrorBase = 0;
    const bool haveRandr = XRRQueryExtension(display.get(), &randrEventBase, &randrErrorBase);
    int randrMajor = 0;
    int randrMinor = 0;
    const bool haveMonitors = haveRandr &&
                              XRRQueryVersion(display.get(), &randrMajor, &randrMinor) &&
                              (randrMajor > 1 || (randrMajor == 1 && randrMinor >= 5));
    return std::unique_ptr<Desktop>(
        std::make_unique<X11Desktop>(std::move(display), haveRandr, randrEventBase, haveMonitors));
}

}  // namespace pointilla::platform
