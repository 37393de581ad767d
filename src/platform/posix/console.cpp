#include "platform/console.h"

#include <unistd.h>

namespace pointilla::platform {

std::vector<std::string> programArguments(int argc, char** argv) {
    return std::vector<std::string>(argv, argv + argc);
}

std::filesystem::path pathFromArgument(const std::string& utf8) { return utf8; }

std::filesystem::path programPath() {
    std::error_code error;
    auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return {};
    return self;
}

bool stderrIsProgressTerminal() { return ::isatty(STDERR_FILENO) == 1; }

}  // namespace pointilla::platform
