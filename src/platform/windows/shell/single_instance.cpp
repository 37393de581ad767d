#include <QMetaObject>
#include <QString>

#include "shell/single_instance.h"

namespace pointilla::shell {

namespace {

// The window class of the first program's message-only window, and the tag of
// its requests; the text of a request is the file to open, in UTF-16.
constexpr const wchar_t* kWindowClass = L"Pointilla.SingleInstance";
constexpr ULONG_PTR kOpenRequest = 0x504F4931;  // "POI1"
// How long a later start waits for the first program to come up or to answer.
constexpr int kStartingRetries = 30;
constexpr DWORD kRetryDelayMs = 100;
constexpr UINT kAnswerTimeoutMs = 5000;

HINSTANCE thisModule() { return GetModuleHandleW(nullptr); }

}  // namespace

// One program per user session: the session's own "Local\" namespace, and the
// display name in it, as on X11 where the program is one per display.
SingleInstance::SingleInstance(QString /*runtimeFolder*/, const QString& display, QObject* parent)
    : QObject(parent), name_(L"Pointilla." + display.toStdWString()) {}

SingleInstance::~SingleInstance() {
    if (window_ != nullptr) DestroyWindow(window_);
    if (mutex_ != nullptr) CloseHandle(mutex_);
}

QString SingleInstance::defaultRuntimeFolder() { return {}; }

SingleInstance::Role SingleInstance::claim(const QString& fileToOpen) {
    const std::wstring mutexName = L"Local\\" + name_;
    mutex_ = CreateMutexW(nullptr, TRUE, mutexName.c_str());
    const bool running = mutex_ == nullptr || GetLastError() == ERROR_ALREADY_EXISTS;
    if (!running) return listen() ? Role::First : Role::Failed;
    if (mutex_ != nullptr) {
        CloseHandle(mutex_);
        mutex_ = nullptr;
    }
    return handOver(fileToOpen) ? Role::HandedOver : Role::Failed;
}

bool SingleInstance::listen() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &SingleInstance::windowProcedure;
    windowClass.hInstance = thisModule();
    windowClass.lpszClassName = kWindowClass;
    if (RegisterClassW(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        return false;
    }
    window_ = CreateWindowExW(0, kWindowClass, name_.c_str(), 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              thisModule(), nullptr);
    if (window_ == nullptr) return false;
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    return true;
}

bool SingleInstance::handOver(const QString& fileToOpen) {
    // The first program may still be starting: give it time to open its window.
    HWND first = nullptr;
    for (int attempt = 0; attempt < kStartingRetries && first == nullptr; ++attempt) {
        first = FindWindowExW(HWND_MESSAGE, nullptr, kWindowClass, name_.c_str());
        if (first == nullptr) Sleep(kRetryDelayMs);
    }
    if (first == nullptr) return false;
    // The first program may bring its window to the front.
    DWORD firstProcess = 0;
    GetWindowThreadProcessId(first, &firstProcess);
    AllowSetForegroundWindow(firstProcess);

    std::wstring file = fileToOpen.toStdWString();
    COPYDATASTRUCT request{};
    request.dwData = kOpenRequest;
    request.cbData = static_cast<DWORD>(file.size() * sizeof(wchar_t));
    request.lpData = file.data();
    DWORD_PTR answer = 0;
    const LRESULT sent =
        SendMessageTimeoutW(first, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&request),
                            SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &answer);
    return sent != 0 && answer == TRUE;
}

LRESULT CALLBACK SingleInstance::windowProcedure(HWND window, UINT message, WPARAM wParam,
                                                 LPARAM lParam) {
    auto* self = reinterpret_cast<SingleInstance*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message != WM_COPYDATA || self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    const auto* request = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (request == nullptr || request->dwData != kOpenRequest ||
        request->cbData % sizeof(wchar_t) != 0) {
        return FALSE;
    }
    const QString file = QString::fromWCharArray(static_cast<const wchar_t*>(request->lpData),
                                                 request->cbData / sizeof(wchar_t));
    // Answered at once; the window acts once the sender is released, so a
    // question it asks (save the changes?) never holds the later start.
    QMetaObject::invokeMethod(
        self, [self, file] { emit self->activationRequested(file); }, Qt::QueuedConnection);
    return TRUE;
}

}  // namespace pointilla::shell
