#include "platform/wayland/gnome/gnome_desktop.h"

#include <chrono>
#include <cstdlib>
#include <string_view>
#include <thread>

#include "platform/posix/xdg_document_opener.h"
#include "platform/wayland/gnome/cursor_stream.h"
#include "platform/wayland/gnome/remote_session.h"
#include "platform/wayland/gnome/shortcuts_keyboard.h"

namespace pointilla::platform::wayland {
namespace {

using namespace gnome;
using Clock = std::chrono::steady_clock;

constexpr auto kEventSpacing = std::chrono::milliseconds(10);
// The session's pointer is a new input device, which mutter takes up a moment
// after Start, on a busy machine noticeably so: events sent before are lost.
// The first move is repeated until the cursor metadata shows it arrived.
constexpr auto kDeviceReadyTimeout = std::chrono::seconds(3);
constexpr auto kDeviceRetryInterval = std::chrono::milliseconds(250);
constexpr const char* kCompositor = "GNOME (mutter)";

class GnomeDesktop final : public Desktop,
                           private PointerDevice,
                           private ButtonInjector,
                           private ScreenInfo {
  public:
    GnomeDesktop(std::unique_ptr<RemoteSession> session, std::unique_ptr<CursorStream> cursor,
                 std::unique_ptr<KeyboardState> keyboard)
        : session_(std::move(session)),
          cursor_(std::move(cursor)),
          keyboard_(std::move(keyboard)) {}
    ~GnomeDesktop() override {
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
    std::optional<ScreenPoint> position() override { return cursor_->position(); }

    void moveTo(ScreenPoint point) override {
        waitForSpacing();
        static_cast<void>(session_->moveTo(point.x, point.y));
        if (!deviceReady_) waitForDevice(point);
    }
    void leftButtonDown() override { pressLeft(true); }
    void leftButtonUp() override { pressLeft(false); }
    void pressLeft(bool pressed) {
        // A click before any move: a move to where the pointer is makes sure it is heard.
        if (!deviceReady_) {
            if (const auto here = cursor_->position()) moveTo(*here);
        }
        waitForSpacing();
        static_cast<void>(session_->button(kLeftButtonCode, pressed));
    }

    // Once per session: until the first move shows in the cursor metadata (or
    // the time runs out, and the moves go on unconfirmed).
    void waitForDevice(ScreenPoint point) {
        const auto deadline = Clock::now() + kDeviceReadyTimeout;
        auto retry = Clock::now() + kDeviceRetryInterval;
        while (cursor_->position() != point && Clock::now() < deadline) {
            std::this_thread::sleep_for(kEventSpacing);
            if (Clock::now() >= retry) {
                static_cast<void>(session_->moveTo(point.x, point.y));
                retry = Clock::now() + kDeviceRetryInterval;
            }
        }
        deviceReady_ = true;
        nextEvent_ = Clock::now() + kEventSpacing;
    }

    ScreenSize primaryScreenSize() override { return session_->stream().size; }

    // mutter drops or merges events that follow each other closer than this.
    void waitForSpacing() {
        const auto now = Clock::now();
        if (now < nextEvent_) std::this_thread::sleep_for(nextEvent_ - now);
        nextEvent_ = Clock::now() + kEventSpacing;
    }

    std::unique_ptr<RemoteSession> session_;
    std::unique_ptr<CursorStream> cursor_;
    std::unique_ptr<KeyboardState> keyboard_;
    posix::XdgDocumentOpener opener_;
    posix::DirectProgramStarter programs_;
    Clock::time_point nextEvent_{};
    bool deviceReady_ = false;
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
    return std::unique_ptr<Desktop>(std::make_unique<GnomeDesktop>(
        std::move(session.value()), std::move(cursor.value()), openShortcutsKeyboard()));
}

}  // namespace pointilla::platform::wayland
