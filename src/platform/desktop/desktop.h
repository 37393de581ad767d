#pragma once
// What the program asks of the desktop it automates: one small interface per
// concern, so that each part depends only on what it uses. The x11 backend
// implements them on a real display; the testing backend records every call.
//
// Coordinates follow the convention of scenario files: screen pixels with the
// origin at the top-left corner of the primary monitor; positions on a monitor
// to its left or above it are negative.

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "common/result.h"
#include "platform/desktop/desktop_lost.h"

namespace pointilla::platform {

struct ScreenPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

struct ScreenSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const ScreenSize&, const ScreenSize&) = default;
};

// Past Xlib's macro of the same name, as in common/result.h.
#pragma push_macro("Status")
#undef Status

// The pointer: where it is, and moving it (a real motion other programs see).
// A move or press fails only when the desktop is gone for good (DesktopLost):
// nothing sent afterwards could arrive.
class PointerDevice {
  public:
    virtual ~PointerDevice() = default;
    // std::nullopt when the position cannot be read (the pointer is on another
    // screen of the display, the connection broke).
    virtual std::optional<ScreenPoint> position() = 0;
    virtual Status<DesktopLost> moveTo(ScreenPoint point) = 0;
    // A backend may hold moves and presses back while rows run back to back,
    // so that each does not cost a write to the server; this sends what is
    // held. A playback calls it whenever it pauses or ends.
    virtual Status<DesktopLost> flush() { return {}; }
};

// Left-button presses injected as real input at the current pointer position.
class ButtonInjector {
  public:
    virtual ~ButtonInjector() = default;
    virtual Status<DesktopLost> leftButtonDown() = 0;
    virtual Status<DesktopLost> leftButtonUp() = 0;
};

// One press of the left button that the person made, in whichever program.
struct LeftButtonPress {
    ScreenPoint point;                // where the pointer was at the press
    std::chrono::milliseconds at{0};  // on the source's own clock: only differences count
    friend bool operator==(const LeftButtonPress&, const LeftButtonPress&) = default;
};

// Which programs' clicks a click source hears.
enum class ClickReach {
    EveryProgram,
    X11ProgramsOnly,  // an X11 desktop reached through XWayland: native Wayland windows are unseen
};

// Why a click source could not start listening, for the message the person reads.
struct ListenRefused {
    std::string detail;  // the system's own words, for the log
};

// The left-button presses people make anywhere on the desktop, for recording a
// task done once. Listening costs nothing until started.
class ClickSource {
  public:
    virtual ~ClickSource() = default;
    virtual Status<ListenRefused> startListening() = 0;
    // Stops, and forgets the presses not taken yet.
    virtual void stopListening() = 0;
    // A file descriptor readable when presses may wait, or -1 when the caller
    // must look on a timer of its own; valid while listening.
    virtual int pressNotifier() const { return -1; }
    // The presses heard since the last call, oldest first.
    virtual std::vector<LeftButtonPress> takePresses() = 0;
    virtual ClickReach reach() const { return ClickReach::EveryProgram; }
};

#pragma pop_macro("Status")

// Keys held together, by virtual-key code: the modifiers first, then the key.
using KeyCombination = std::vector<int>;

// Global key state by Windows virtual-key code (platform/desktop/virtual_keys.h).
// Follows keys pressed while another program has the focus.
class KeyboardState {
  public:
    virtual ~KeyboardState() = default;
    virtual bool isDown(int virtualKey) = 0;
    // One query for many keys (a single round trip on X11): down[i] for virtualKeys[i].
    virtual void queryDown(std::span<const int> virtualKeys, std::span<bool> down) = 0;

    // Change notification, so that a poller may run when the key state changes
    // instead of on every tick. changeNotifier() is a file descriptor that becomes
    // readable when the state may have changed, or -1 when the backend cannot tell
    // (the poller must then poll). takeChanges() consumes what is pending and
    // returns true when the key state may have changed since the previous call.
    virtual int changeNotifier() const { return -1; }
    virtual bool takeChanges() { return true; }

    // Whether the key is down now or went down since the previous call for it,
    // so that a tap between two calls is not missed. A backend that hears key
    // events keeps the press for this; the others answer with isDown().
    virtual bool takePress(int virtualKey) { return isDown(virtualKey); }

    // The keyboard right after each key event that takeChanges() or a key
    // query consumed, oldest first, asked like isDown(); a backend that hears
    // key events (X11's raw keys, a compositor's press and release of a bound
    // combination) keeps them, so that a press released before the poller
    // looked still counts once. Never ahead of what the queries answer: the
    // poller replays them after a query. Others return nothing.
    using KeysAfterEvent = std::function<bool(int virtualKey)>;
    virtual bool hearsKeyEvents() const { return false; }
    virtual std::vector<KeysAfterEvent> takeKeyEvents() { return {}; }

    // The combinations the program needs to see held, replacing the previous
    // list (empty: none). A backend that reads the whole keyboard at any time
    // (X11, Windows) has no use for it. One that hears keys only through
    // combinations bound with the compositor beforehand (Wayland) binds exactly
    // these, and reports the keys of one as down while it is held.
    virtual void watchCombinations(std::span<const KeyCombination> combinations) {
        static_cast<void>(combinations);
    }
    // False when the desktop lets programs hear no combination at all (GNOME
    // before its global-shortcuts portal): the window then offers another way
    // to capture.
    virtual bool hearsCombinations() const { return true; }
};

// The primary monitor's size in pixels.
class ScreenInfo {
  public:
    virtual ~ScreenInfo() = default;
    virtual ScreenSize primaryScreenSize() = 0;
};

// How many default handlers may run at once, and how long a playback waits
// for one to end before it stops counting it.
inline constexpr std::size_t kHandlersAtOnce = 8;
inline constexpr std::chrono::seconds kHandlerHoldLimit{10};

// What waitForRoom() found: whether one more handler may start, and the
// targets whose handlers ran so long that they are no longer waited for.
struct OpenerRoom {
    bool free = true;
    std::vector<std::string> letGo;
};

// Opening a document or web address with the desktop's default handler. Never
// blocks, never goes through a shell, never lets the target be read as an option.
class DocumentOpener {
  public:
    virtual ~DocumentOpener() = default;
    // False when the handler could not even be started.
    virtual bool open(const std::string& target, const std::filesystem::path& workingDirectory) = 0;
    // Handlers still running are bounded, so that a scenario of many addresses
    // cannot start thousands of programs at once: a playback asks for room
    // before each open(). Waits up to `patience` for it. A backend whose
    // handler leaves no process of ours behind always has room.
    virtual OpenerRoom waitForRoom(std::chrono::milliseconds patience) {
        static_cast<void>(patience);
        return {};
    }
};

// Starting another program directly (no shell), with a normal focused window.
class ProgramStarter {
  public:
    virtual ~ProgramStarter() = default;
    virtual bool start(const std::filesystem::path& program) = 0;
};

// Everything at once, as a backend provides it.
class Desktop {
  public:
    virtual ~Desktop() = default;
    virtual PointerDevice& pointer() = 0;
    virtual ButtonInjector& buttons() = 0;
    virtual KeyboardState& keyboard() = 0;
    virtual ScreenInfo& screen() = 0;
    virtual DocumentOpener& opener() = 0;
    virtual ProgramStarter& programs() = 0;
    // nullptr where the desktop lets no program hear the clicks made in others
    // (Wayland compositors keep them to the window that gets them).
    virtual ClickSource* clicks() { return nullptr; }
};

}  // namespace pointilla::platform
