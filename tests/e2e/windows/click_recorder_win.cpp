// The Windows twin of the X click recorder: a window over the whole primary
// monitor that prints the left-button events it receives, with screen
// coordinates and the message time in milliseconds:
//   ready
//   press 1 X Y TIME      release 1 X Y TIME
// It ends 1.5 s after COUNT events (argument), so that it is still there while
// the program under test finishes, or after 60 s with status 1.

#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {

int remaining = 0;
constexpr UINT_PTR kGiveUp = 1;
constexpr UINT_PTR kLinger = 2;

void print(const char* kind, HWND window, LPARAM lParam) {
    POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ClientToScreen(window, &p);
    std::printf("%s 1 %ld %ld %ld\n", kind, p.x, p.y, GetMessageTime());
    std::fflush(stdout);
    if (--remaining == 0) SetTimer(window, kLinger, 1500, nullptr);
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_LBUTTONDOWN:
            print("press", window, lParam);
            return 0;
        case WM_LBUTTONUP:
            print("release", window, lParam);
            return 0;
        case WM_TIMER:
            PostQuitMessage(wParam == kLinger ? 0 : 1);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int main(int argc, char** argv) {
    remaining = argc > 1 ? std::atoi(argv[1]) : 0;
    if (remaining <= 0) {
        std::fprintf(stderr, "usage: click_recorder_win COUNT\n");
        return 2;
    }
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = L"ClickRecorder";
    RegisterClassW(&windowClass);
    const HWND window = CreateWindowExW(WS_EX_TOPMOST, windowClass.lpszClassName, L"ClickRecorder",
                                        WS_POPUP | WS_VISIBLE, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                                        GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                                        windowClass.hInstance, nullptr);
    if (window == nullptr) return 1;
    SetForegroundWindow(window);
    UpdateWindow(window);
    SetTimer(window, kGiveUp, 60000, nullptr);
    std::printf("ready\n");
    std::fflush(stdout);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    return static_cast<int>(message.wParam);
}
