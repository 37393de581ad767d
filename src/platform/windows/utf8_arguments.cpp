#include "platform/windows/utf8_arguments.h"

// clang-format off
// <windows.h> first: <shellapi.h> needs its types.
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include <memory>

#include "platform/windows/wide_text.h"

namespace pointilla::platform::windows {
namespace {

struct LocalFreer {
    void operator()(LPWSTR* block) const { LocalFree(block); }
};

}  // namespace

std::vector<std::string> startUtf8ConsoleProgram() {
    SetConsoleOutputCP(CP_UTF8);
    int count = 0;
    const std::unique_ptr<LPWSTR, LocalFreer> wide(CommandLineToArgvW(GetCommandLineW(), &count));
    std::vector<std::string> arguments;
    if (!wide) return arguments;
    arguments.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) arguments.push_back(wideToUtf8(wide.get()[i]));
    return arguments;
}

}  // namespace pointilla::platform::windows
