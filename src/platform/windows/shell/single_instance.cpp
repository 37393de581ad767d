#include "shell/single_instance.h"

// The Qt headers after it use min and max.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <QMetaObject>
#include <QString>
#include <string>

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

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
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

}  // namespace

// One program per user session: the session's own "Local\" namespace, and the
// display name in it, as on X11 where the program is one per display.
struct SingleInstance::State {
    explicit State(std::wstring name) : name(std::move(name)) {}
    ~State() {
        if (window != nullptr) DestroyWindow(window);
        if (mutex != nullptr) CloseHandle(mutex);
    }
    State(const State&) = delete;
    State& operator=(const State&) = delete;

    bool listen(SingleInstance& self);
    bool handOver(const QString& fileToOpen) const;

    std::wstring name;
    HANDLE mutex = nullptr;
    HWND window = nullptr;
};

SingleInstance::SingleInstance(QString /*runtimeFolder*/, const QString& display, QObject* parent)
    : QObject(parent), state_(std::make_unique<State>(L"Pointilla." + display.toStdWString())) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::defaultRuntimeFolder() { return {}; }

SingleInstance::Role SingleInstance::claim(const QString& fileToOpen) {
    const std::wstring mutexName = L"Local\\" + state_->name;
    state_->mutex = CreateMutexW(nullptr, TRUE, mutexName.c_str());
    const bool running = state_->mutex == nullptr || GetLastError() == ERROR_ALREADY_EXISTS;
    if (!running) return state_->listen(*this) ? Role::First : Role::Failed;
    if (state_->mutex != nullptr) {
        CloseHandle(state_->mutex);
        state_->mutex = nullptr;
    }
    return state_->handOver(fileToOpen) ? Role::HandedOver : Role::Failed;
}

bool SingleInstance::State::listen(SingleInstance& self) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &windowProcedure;
    windowClass.hInstance = thisModule();
    windowClass.lpszClassName = kWindowClass;
    if (RegisterClassW(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        return false;
    }
    window = CreateWindowExW(0, kWindowClass, name.c_str(), 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                             thisModule(), nullptr);
    if (window == nullptr) return false;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&self));
    return true;
}

bool SingleInstance::State::handOver(const QString& fileToOpen) const {
    // The first program may still be starting: give it time to open its window.
    HWND first = nullptr;
    for (int attempt = 0; attempt < kStartingRetries && first == nullptr; ++attempt) {
        first = FindWindowExW(HWND_MESSAGE, nullptr, kWindowClass, name.c_str());
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

}  // namespace pointilla::shell
