#include "platform/windows/mouse_hook.h"

#include <string>
#include <utility>

#include "platform/windows/screen_mapping.h"

namespace pointilla::platform::windows {
namespace {

MouseHook* listeningHook = nullptr;

ScreenPoint primaryOrigin() {
    const HMONITOR monitor = MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (monitor == nullptr || !GetMonitorInfoW(monitor, &info)) return {0, 0};
    return {info.rcMonitor.left, info.rcMonitor.top};
}

}  // namespace

Status<ListenRefused> MouseHook::startListening() {
    if (hook_ != nullptr) return {};
    if (listeningHook != nullptr) return fail(ListenRefused{"another mouse hook is listening"});
    hook_ = SetWindowsHookExW(WH_MOUSE_LL, &MouseHook::onMouse, GetModuleHandleW(nullptr), 0);
    if (hook_ == nullptr) {
        return fail(
            ListenRefused{"SetWindowsHookEx refused, error " + std::to_string(GetLastError())});
    }
    listeningHook = this;
    ticks_ = {};
    return {};
}

void MouseHook::stopListening() {
    if (hook_ == nullptr) return;
    UnhookWindowsHookEx(hook_);
    hook_ = nullptr;
    listeningHook = nullptr;
    presses_.clear();
}

std::vector<LeftButtonPress> MouseHook::takePresses() { return std::exchange(presses_, {}); }

// Kept short: Windows drops a hook that keeps the input waiting too long.
LRESULT CALLBACK MouseHook::onMouse(int code, WPARAM message, LPARAM data) {
    if (code == HC_ACTION && message == WM_LBUTTONDOWN && listeningHook != nullptr) {
        const auto* info = reinterpret_cast<const MSLLHOOKSTRUCT*>(data);
        MouseHook& self = *listeningHook;
        self.presses_.push_back({fromVirtualScreen({info->pt.x, info->pt.y}, primaryOrigin()),
                                 self.ticks_.extend(info->time)});
    }
    return CallNextHookEx(nullptr, code, message, data);
}

}  // namespace pointilla::platform::windows
