#include "platform/wayland/gnome/gnome_desktop.h"

#include <chrono>
#include <cstdlib>
#include <optional>
#include <string_view>
#include <thread>

#include "platform/posix/xdg_document_opener.h"
#include "platform/wayland/gnome/cursor_stream.h"
#include "platform/wayland/gnome/helper_pointer.h"
#include "platform/wayland/gnome/remote_session.h"
#include "platform/wayland/gnome/shortcuts_keyboard.h"

namespace pointilla::platform::wayland {
namespace {

using namespace gnome;
using Clock = std::chrono::steady_clock;

// The remote-desktop calls go out without awaiting each reply, and the bus
// keeps them in order: moves and presses need no spacing of their own (clicks
// after thousands of moves sent back to back land on their pixels, two busy
// loops on the cores or not). Waiting for the cursor metadata to show a move
// polls this often; reading it costs a lock, and a frame may come at any time.
constexpr auto kConfirmPollInterval = std::chrono::milliseconds(1);
// The session's pointer is a new input device, which mutter takes up a moment
// after Start, on a busy machine noticeably so: events sent before are lost.
// The first move is repeated until the cursor metadata shows it arrived.
constexpr auto kDeviceReadyTimeout = std::chrono::seconds(3);
constexpr auto kDeviceRetryInterval = std::chrono::milliseconds(250);
// mutter drops what a session's device still has queued when the session
// stops: on a busy machine the release of a scenario's last click was lost now
// and then, and the click with it. The device takes events in order, so a move
// seen in the cursor metadata vouches for all sent before it; before stopping,
// the pointer steps one pixel aside and back, each step awaited.
constexpr auto kSettleTimeout = std::chrono::seconds(2);
// A press right after a burst of moves sent back to back was now and then
// lost (the window under the pointer never saw it), however long the press
// waited; one more move to the same place, seen in the cursor metadata, made it
// land. So before a press that follows more than one move, the pointer steps
// aside and back as before the session stops (settle()).
constexpr int kBurstBeforePress = 2;
constexpr const char* kCompositor = "GNOME (mutter)";

class GnomeDesktop final : public Desktop,
                           private PointerDevice,
                           private ButtonInjector,
                           private ScreenInfo {
  public:
    GnomeDesktop(std::unique_ptr<RemoteSession> session, std::unique_ptr<CursorStream> cursor,
                 std::unique_ptr<KeyboardState> keyboard, std::unique_ptr<HelperPointer> helper)
        : session_(std::move(session)),
          cursor_(std::move(cursor)),
          keyboard_(std::move(keyboard)),
          helper_(std::move(helper)) {}
    ~GnomeDesktop() override {
        settle();
        // The cursor stream goes before the session that feeds it.
        cursor_.reset();
    }
    GnomeDesktop(const GnomeDesktop&) = delete;
    GnomeDesktop& operator=(const GnomeDesktop&) = delete;

    PointerDevice& pointer() override { return *this; }
    ButtonInjector& buttons() override { return *this; }
    KeyboardState& keyboard() override { return *keyboard_; }
    ScreenInfo& screen() override { return *this; }
    DocumentOpener& opener() override { return opener_; }
    ProgramStarter& programs() override { return programs_; }

  private:
    // The shell helper knows the position on every monitor, the screen-cast
    // cursor only on the primary one: the helper first, where it is there.
    std::optional<ScreenPoint> position() override {
        if (helper_) {
            if (auto exact = helper_->position()) return exact;
        }
        return cursor_->position();
    }

    Status<DesktopLost> moveTo(ScreenPoint point) override {
        if (lost_) return fail(*lost_);
        lastPoint_ = point;
        sentSinceSettled_ = true;
        ++movesSinceSeen_;
        if (!deviceReady_) {
            static_cast<void>(confirmMove(point, kDeviceReadyTimeout));
            deviceReady_ = true;
        } else {
            sent(session_->moveTo(point.x, point.y));
        }
        return lost_ ? fail(*lost_) : Status<DesktopLost>();
    }
    // What was sent is taken by the compositor before a pause or the end.
    Status<DesktopLost> flush() override {
        if (!lost_) sent(session_->awaitSent());
        return lost_ ? fail(*lost_) : Status<DesktopLost>();
    }
    Status<DesktopLost> leftButtonDown() override { return pressLeft(true); }
    Status<DesktopLost> leftButtonUp() override { return pressLeft(false); }
    Status<DesktopLost> pressLeft(bool pressed) {
        // A click before any move: a move to where the pointer is makes sure it is heard.
        if (!deviceReady_) {
            if (const auto here = cursor_->position()) static_cast<void>(moveTo(*here));
        }
        // See kBurstBeforePress.
        if (!lost_) sent(session_->awaitSent());
        if (movesSinceSeen_ >= kBurstBeforePress) settle();
        movesSinceSeen_ = 0;
        if (lost_) return fail(*lost_);
        sent(session_->button(kLeftButtonCode, pressed));
        if (!lost_) sent(session_->awaitSent());
        sentSinceSettled_ = true;
        return lost_ ? fail(*lost_) : Status<DesktopLost>();
    }

    // A call the session refused: mutter (or the portal) is gone, or has
    // ended the session; nothing sent afterwards would arrive.
    void sent(const Status<BusFailure>& call) {
        if (!call && !lost_) lost_ = DesktopLost{"GNOME remote desktop: " + call.error()};
    }

    // Moves there and waits until the cursor metadata shows it, sending the
    // move again now and then (a device not yet taken up loses it); false when
    // the time ran out or the session is gone.
    bool confirmMove(ScreenPoint point, Clock::duration timeout) {
        sent(session_->moveTo(point.x, point.y));
        if (!lost_) sent(session_->awaitSent());
        const auto deadline = Clock::now() + timeout;
        auto retry = Clock::now() + kDeviceRetryInterval;
        while (!lost_ && cursor_->position() != point && Clock::now() < deadline) {
            std::this_thread::sleep_for(kConfirmPollInterval);
            if (Clock::now() >= retry) {
                sent(session_->moveTo(point.x, point.y));
                retry = Clock::now() + kDeviceRetryInterval;
            }
        }
        return !lost_ && cursor_->position() == point;
    }

    // Everything sent is taken before the session stops (see kSettleTimeout).
    void settle() {
        if (!sentSinceSettled_ || lost_) return;
        sentSinceSettled_ = false;
        const auto here = lastPoint_ ? lastPoint_ : cursor_->position();
        if (!here) return;
        const ScreenPoint aside{here->x > 0 ? here->x - 1 : here->x + 1, here->y};
        if (confirmMove(aside, kSettleTimeout))
            static_cast<void>(confirmMove(*here, kSettleTimeout));
    }

    ScreenSize primaryScreenSize() override { return session_->stream().size; }

    std::unique_ptr<RemoteSession> session_;
    std::unique_ptr<CursorStream> cursor_;
    std::unique_ptr<KeyboardState> keyboard_;
    std::unique_ptr<HelperPointer> helper_;
    posix::XdgDocumentOpener opener_;
    posix::DirectProgramStarter programs_;
    bool deviceReady_ = false;
    std::optional<ScreenPoint> lastPoint_;
    bool sentSinceSettled_ = false;
    int movesSinceSeen_ = 0;
    std::optional<DesktopLost> lost_;
};

}  // namespace

Result<std::unique_ptr<Desktop>, DesktopOpenError> openGnomeDesktop() {
    const char* socket = std::getenv("WAYLAND_DISPLAY");
    const std::string display = socket != nullptr ? socket : "";
    const auto lacks = [&](const std::string& what) {
        return fail(DesktopOpenError::compositorLacks(display, kCompositor, what));
    };
    auto bus = openSessionBus();
    if (!bus) return lacks(bus.error());
    const char* route = std::getenv("POINTILLA_GNOME_SESSION");
    auto session = route != nullptr && std::string_view(route) == "mutter"
                       ? startMutterSession(std::move(bus.value()))
                       : startPortalSession(std::move(bus.value()));
    if (!session) return lacks(session.error());
    auto cursor =
        CursorStream::open(session.value()->openPipeWire(), session.value()->stream().pipeWireNode);
    if (!cursor) return lacks(cursor.error());
    return std::unique_ptr<Desktop>(
        std::make_unique<GnomeDesktop>(std::move(session.value()), std::move(cursor.value()),
                                       openShortcutsKeyboard(), HelperPointer::open()));
}

}  // namespace pointilla::platform::wayland
