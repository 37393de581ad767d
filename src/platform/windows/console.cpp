#include "platform/console.h"

#include <windows.h>

#include "platform/windows/utf8_arguments.h"
#include "platform/windows/wide_text.h"

namespace pointilla::platform {

std::vector<std::string> programArguments(int /*argc*/, char** /*argv*/) {
    return windows::startUtf8ConsoleProgram();
}

std::filesystem::path pathFromArgument(const std::string& utf8) {
    const auto wide = windows::utf8ToWide(utf8);
    return wide ? std::filesystem::path(*wide) : std::filesystem::path(utf8);
}

std::filesystem::path programPath() {
    std::wstring self(32768, L'\0');
    self.resize(GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size())));
    return self;
}

bool stderrIsProgressTerminal() {
    const HANDLE console = GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    if (GetConsoleMode(console, &mode) == 0) return false;
    return SetConsoleMode(console, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0;
}

}  // namespace pointilla::platform
