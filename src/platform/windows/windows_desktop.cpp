#include "platform/windows/windows_desktop.h"

#include <windows.h>

#include <optional>
#include <string>

#include "platform/windows/mouse_hook.h"
#include "platform/windows/screen_mapping.h"
#include "platform/windows/shell_launcher.h"

namespace pointilla::platform {
namespace {

using windows::ScreenRect;

struct PrimaryMonitor {
    ScreenPoint origin;
    ScreenSize size;
};

// Read on every use: monitors come and go, and the primary one can change.
PrimaryMonitor primaryMonitor() {
    const HMONITOR monitor = MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (monitor == nullptr || !GetMonitorInfoW(monitor, &info)) {
        return {{0, 0}, {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}};
    }
    const RECT& r = info.rcMonitor;
    return {{r.left, r.top}, {r.right - r.left, r.bottom - r.top}};
}

ScreenRect virtualScreen() {
    return {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
            GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

bool sendMouse(DWORD flags, LONG dx = 0, LONG dy = 0) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = dx;
    input.mi.dy = dy;
    input.mi.dwFlags = flags;
    return SendInput(1, &input, sizeof input) == 1;
}

class WindowsDesktop final : public Desktop,
                             private PointerDevice,
                             private ButtonInjector,
                             private KeyboardState,
                             private ScreenInfo {
  public:
    PointerDevice& pointer() override { return *this; }
    ButtonInjector& buttons() override { return *this; }
    KeyboardState& keyboard() override { return *this; }
    ScreenInfo& screen() override { return *this; }
    DocumentOpener& opener() override { return opener_; }
    ProgramStarter& programs() override { return programs_; }
    ClickSource* clicks() override { return &clicks_; }

  private:
    // --- pointer ---
    std::optional<ScreenPoint> position() override {
        POINT p{};
        // Fails on a desktop that is not the input desktop (locked session).
        if (!GetCursorPos(&p)) return std::nullopt;
        return windows::fromVirtualScreen({p.x, p.y}, primaryMonitor().origin);
    }

    // A move other programs see as input (hooks, raw input, hover); the
    // normalised coordinates can miss by a pixel on odd sizes, and SendInput is
    // refused towards a program of higher integrity, so the exact position is
    // then set directly.
    Status<DesktopLost> moveTo(ScreenPoint point) override {
        const Layout& layout = currentLayout();
        const ScreenPoint target = windows::toVirtualScreen(point, layout.primary.origin);
        const auto absolute = windows::toAbsoluteInput(target, layout.virtualScreen);
        const bool sent =
            sendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK,
                      absolute.dx, absolute.dy);
        POINT now{};
        if (!GetCursorPos(&now) || now.x != target.x || now.y != target.y) {
            // Both refused: the input desktop is out of reach (the session
            // was locked, disconnected or ended).
            if (!SetCursorPos(target.x, target.y) && !sent) return lost("SetCursorPos");
        }
        movedTo_ = POINT{target.x, target.y};
        return {};
    }

    // A press right after a move lands where that move went. Under Wine a
    // window under the pointer hands the position of an earlier move back as
    // input a moment later, so with rows back to back the press could land
    // there: the position is read until it has held for a few milliseconds,
    // and set again whenever it slipped back.
    void settleBeforePress() {
        if (!movedTo_) return;
        const POINT target = *movedTo_;
        movedTo_.reset();
        int held = 0;
        for (int look = 0; look < 30 && held < 3; ++look) {
            POINT now{};
            if (!GetCursorPos(&now)) return;
            if (now.x == target.x && now.y == target.y) {
                ++held;
            } else {
                held = 0;
                SetCursorPos(target.x, target.y);
            }
            Sleep(1);
        }
    }

    // The monitors as moves map onto them. Reading them costs more than the
    // move itself (under Wine each of the calls is a request to its server),
    // so rows run back to back share one reading for a short while: a monitor
    // that comes or goes is followed within kLayoutKeptForMs.
    struct Layout {
        PrimaryMonitor primary;
        ScreenRect virtualScreen;
    };
    static constexpr ULONGLONG kLayoutKeptForMs = 100;
    const Layout& currentLayout() {
        const ULONGLONG now = GetTickCount64();
        if (!layoutRead_ || now - layoutReadAt_ >= kLayoutKeptForMs) {
            layout_ = Layout{primaryMonitor(), virtualScreen()};
            layoutReadAt_ = now;
            layoutRead_ = true;
        }
        return layout_;
    }

    // --- buttons: at wherever the pointer is ---
    Status<DesktopLost> leftButtonDown() override {
        settleBeforePress();
        return press(MOUSEEVENTF_LEFTDOWN);
    }
    Status<DesktopLost> leftButtonUp() override { return press(MOUSEEVENTF_LEFTUP); }
    static Status<DesktopLost> press(DWORD flags) {
        if (!sendMouse(flags)) return lost("SendInput");
        return {};
    }

    static Status<DesktopLost> lost(const char* call) {
        return fail(DesktopLost{std::string(call) + " refused, error " +
                                std::to_string(GetLastError()) + ": no input desktop"});
    }

    // --- keys: the scan table's codes are Windows virtual-key codes already ---
    bool isDown(int virtualKey) override {
        // The high bit: down now, whichever program has the focus.
        return (GetAsyncKeyState(virtualKey) & 0x8000) != 0;
    }

    void queryDown(std::span<const int> virtualKeys, std::span<bool> down) override {
        for (std::size_t i = 0; i < virtualKeys.size() && i < down.size(); ++i) {
            down[i] = isDown(virtualKeys[i]);
        }
    }

    // --- screen ---
    ScreenSize primaryScreenSize() override { return primaryMonitor().size; }

    Layout layout_{};
    std::optional<POINT> movedTo_;
    ULONGLONG layoutReadAt_ = 0;
    bool layoutRead_ = false;
    windows::ShellDocumentOpener opener_;
    windows::DirectProgramStarter programs_;
    windows::MouseHook clicks_;
};

}  // namespace

std::unique_ptr<Desktop> openWindowsDesktop() { return std::make_unique<WindowsDesktop>(); }

}  // namespace pointilla::platform
