// What the Windows desktop backend reads, for a check under Wine:
//   desktop_probe_win VK...
// prints the primary monitor's size ("screen W H"), opens a focused window,
// prints "ready", then "down VK" once for each virtual key of the list seen
// held (asked all at once, as the hot-key poll does), and ends when all were
// seen or after 20 s (status 1).

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "platform/desktop/native_desktop.h"

namespace {

HWND openFocusedWindow() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"DesktopProbe";
    RegisterClassW(&windowClass);
    const HWND window =
        CreateWindowExW(0, windowClass.lpszClassName, L"DesktopProbe", WS_POPUP | WS_VISIBLE, 0, 0,
                        200, 200, nullptr, nullptr, windowClass.hInstance, nullptr);
    SetForegroundWindow(window);
    return window;
}

void pumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

}  // namespace

int main(int argc, char** argv) {
    auto opened = pointilla::platform::openNativeDesktop(nullptr);
    if (!opened) return 1;
    const auto desktop = std::move(opened).value();
    const auto size = desktop->screen().primaryScreenSize();
    std::printf("screen %d %d\n", size.width, size.height);

    constexpr int kMaxKeys = 16;
    if (argc - 1 > kMaxKeys) return 2;
    std::vector<int> keys;
    for (int i = 1; i < argc; ++i) keys.push_back(std::atoi(argv[i]));
    std::vector<char> seen(keys.size(), 0);
    if (openFocusedWindow() == nullptr) return 1;
    std::printf("ready\n");
    std::fflush(stdout);

    std::size_t remaining = keys.size();
    for (int round = 0; round < 2000 && remaining > 0; ++round) {
        pumpMessages();
        bool down[kMaxKeys] = {};
        desktop->keyboard().queryDown(keys, std::span<bool>(down, keys.size()));
        for (std::size_t i = 0; i < keys.size(); ++i) {
            if (down[i] && seen[i] == 0) {
                seen[i] = 1;
                --remaining;
                std::printf("down %d\n", keys[i]);
                std::fflush(stdout);
            }
        }
        Sleep(10);
    }
    return remaining == 0 ? 0 : 1;
}
