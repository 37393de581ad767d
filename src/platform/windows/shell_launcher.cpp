#include "platform/windows/shell_launcher.h"

// clang-format off
// <windows.h> first: <shellapi.h> needs its types.
#include <windows.h>
#include <objbase.h>
#include <shellapi.h>
// clang-format on

#include "platform/windows/command_line.h"
#include "platform/windows/wide_text.h"

namespace pointilla::platform::windows {
namespace {

// Closes a kernel handle on every path.
class UniqueHandle {
  public:
    explicit UniqueHandle(HANDLE handle = nullptr) : handle_(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() {
        if (handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    }

  private:
    HANDLE handle_;
};

// COM on the calling thread for as long as the object lives: handlers that
// ShellExecuteW delegates to may be COM objects. A thread that already has COM
// (the window thread of a Qt program) keeps it as it was.
class ComForThisThread {
  public:
    ComForThisThread()
        : initialised_(SUCCEEDED(
              CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
    ComForThisThread(const ComForThisThread&) = delete;
    ComForThisThread& operator=(const ComForThisThread&) = delete;
    ~ComForThisThread() {
        if (initialised_) CoUninitialize();
    }

  private:
    bool initialised_;
};

}  // namespace

bool ShellDocumentOpener::open(const std::string& target,
                               const std::filesystem::path& workingDirectory) {
    const auto file = utf8ToWide(target);
    if (!file || file->empty()) return false;
    const std::wstring folder = workingDirectory.wstring();
    const ComForThisThread com;
    // The target is lpFile, with no parameters: Windows resolves it as one
    // document or address and never splits it into a program and arguments.
    const HINSTANCE result =
        ShellExecuteW(nullptr, L"open", file->c_str(), nullptr,
                      folder.empty() ? nullptr : folder.c_str(), SW_SHOWNORMAL);
    // Values above 32 mean success, as the function's documentation says.
    return reinterpret_cast<INT_PTR>(result) > 32;
}

bool DirectProgramStarter::start(const std::filesystem::path& program) {
    const std::wstring application = program.wstring();
    std::wstring commandLine = quoteArgument(application);
    const std::wstring folder = program.parent_path().wstring();
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(application.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, folder.empty() ? nullptr : folder.c_str(), &startup, &process)) {
        return false;
    }
    // Not waited for: the handles are only let go.
    const UniqueHandle processHandle(process.hProcess);
    const UniqueHandle threadHandle(process.hThread);
    return true;
}

}  // namespace pointilla::platform::windows
