#include "platform/posix/detached_process.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>

#include "platform/posix/unique_fd.h"

namespace pointilla::platform::posix {
namespace {

bool isExecutableFile(const std::filesystem::path& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

// What the grandchild tells its parent when it cannot run the program.
struct ChildFailure {
    int stage = 0;  // 1: working directory, 2: exec
    int error = 0;
};

[[noreturn]] void failInChild(int reportFd, int stage) {
    const ChildFailure failure{stage, errno};
    [[maybe_unused]] const auto written = ::write(reportFd, &failure, sizeof failure);
    ::_exit(127);
}

// Runs in the grandchild, after fork: only async-signal-safe calls.
[[noreturn]] void execInChild(int reportFd, const char* program, char* const argv[],
                              const char* workingDirectory) {
    if (workingDirectory != nullptr && ::chdir(workingDirectory) != 0) failInChild(reportFd, 1);
    // The program gets a clean signal state whatever the caller blocked or ignored.
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    ::signal(SIGPIPE, SIG_DFL);
    ::setsid();  // its own session: it outlives us and ignores our terminal's signals
    ::execv(program, argv);
    failInChild(reportFd, 2);
}

void setError(std::string* error, std::string text) {
    if (error != nullptr) *error = std::move(text);
}

}  // namespace

std::filesystem::path findInPath(const std::string& name) {
    if (name.empty()) return {};
    if (name.find('/') != std::string::npos) return isExecutableFile(name) ? name : "";
    const char* path = std::getenv("PATH");
    std::string_view dirs = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
    while (true) {
        const auto colon = dirs.find(':');
        std::string_view dir = dirs.substr(0, colon);
        if (dir.empty()) dir = ".";
        auto candidate = std::filesystem::path(dir) / name;
        if (isExecutableFile(candidate)) return candidate;
        if (colon == std::string_view::npos) return {};
        dirs.remove_prefix(colon + 1);
    }
}

bool startDetached(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                   const std::filesystem::path& workingDirectory, std::string* error) {
    // Everything the child needs is prepared here: after fork it may not allocate.
    const std::string programText = program.string();
    std::vector<std::string> argvText;
    argvText.reserve(arguments.size() + 1);
    argvText.push_back(programText);
    argvText.insert(argvText.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    argv.reserve(argvText.size() + 1);
    for (auto& text : argvText) argv.push_back(text.data());
    argv.push_back(nullptr);
    const std::string directoryText = workingDirectory.string();
    const char* directory = directoryText.empty() ? nullptr : directoryText.c_str();

    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) {
        setError(error, std::strerror(errno));
        return false;
    }
    UniqueFd readEnd(pipeFds[0]);
    UniqueFd writeEnd(pipeFds[1]);

    const pid_t child = ::fork();
    if (child < 0) {
        setError(error, std::strerror(errno));
        return false;
    }
    if (child == 0) {
        const pid_t grandchild = ::fork();
        if (grandchild == 0)
            execInChild(writeEnd.get(), programText.c_str(), argv.data(), directory);
        ::_exit(grandchild < 0 ? 1 : 0);
    }
    writeEnd.reset();

    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        setError(error, "fork");
        return false;
    }
    // The pipe closes on a successful exec (close-on-exec), or carries the failure.
    ChildFailure failure;
    ssize_t got = 0;
    do {
        got = ::read(readEnd.get(), &failure, sizeof failure);
    } while (got < 0 && errno == EINTR);
    if (got == static_cast<ssize_t>(sizeof failure)) {
        const std::string reason = std::strerror(failure.error);
        setError(error, failure.stage == 1 ? directoryText + " : " + reason
                                           : programText + " : " + reason);
        return false;
    }
    return true;
}

}  // namespace pointilla::platform::posix
