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

// What the process that was to become the program tells the caller when it
// cannot.
struct ChildFailure {
    int stage = 0;  // 1: working directory, 2: exec
    int error = 0;
};

[[noreturn]] void failInChild(int reportFd, int stage) {
    const ChildFailure failure{stage, errno};
    [[maybe_unused]] const auto written = ::write(reportFd, &failure, sizeof failure);
    ::_exit(127);
}

// Runs in the process that becomes the program, after fork: only
// async-signal-safe calls.
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

// Everything the child needs, prepared before fork: after it, it may not allocate.
class Command {
  public:
    Command(const std::filesystem::path& program, const std::vector<std::string>& arguments,
            const std::filesystem::path& workingDirectory)
        : program_(program.string()), directory_(workingDirectory.string()) {
        texts_.reserve(arguments.size() + 1);
        texts_.push_back(program_);
        texts_.insert(texts_.end(), arguments.begin(), arguments.end());
        argv_.reserve(texts_.size() + 1);
        for (auto& text : texts_) argv_.push_back(text.data());
        argv_.push_back(nullptr);
    }
    // argv points into texts_: never copied nor moved.
    Command(const Command&) = delete;
    Command& operator=(const Command&) = delete;

    [[noreturn]] void runInChild(int reportFd) {
        execInChild(reportFd, program_.c_str(), argv_.data(),
                    directory_.empty() ? nullptr : directory_.c_str());
    }

    // Reads the child's report once the pipe's other end is closed: the program
    // was executed (the pipe closed on exec), or the reason it was not.
    Status<std::string> executed(int reportFd) const {
        ChildFailure failure;
        ssize_t got = 0;
        do {
            got = ::read(reportFd, &failure, sizeof failure);
        } while (got < 0 && errno == EINTR);
        if (got != static_cast<ssize_t>(sizeof failure)) return {};
        const std::string reason = std::strerror(failure.error);
        return fail(failure.stage == 1 ? directory_ + " : " + reason : program_ + " : " + reason);
    }

  private:
    std::string program_;
    std::string directory_;
    std::vector<std::string> texts_;
    std::vector<char*> argv_;
};

// The pipe on which a child reports a failure to run the program, closed on exec.
Status<std::string> openReportPipe(UniqueFd& readEnd, UniqueFd& writeEnd) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) return fail(std::string(std::strerror(errno)));
    readEnd.reset(fds[0]);
    writeEnd.reset(fds[1]);
    return {};
}

int waitFor(pid_t child) {
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
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

Status<std::string> startDetached(const std::filesystem::path& program,
                                  const std::vector<std::string>& arguments,
                                  const std::filesystem::path& workingDirectory) {
    Command command(program, arguments, workingDirectory);
    UniqueFd readEnd;
    UniqueFd writeEnd;
    if (auto piped = openReportPipe(readEnd, writeEnd); !piped) return piped;

    const pid_t child = ::fork();
    if (child < 0) return fail(std::string(std::strerror(errno)));
    if (child == 0) {
        const pid_t grandchild = ::fork();
        if (grandchild == 0) command.runInChild(writeEnd.get());
        ::_exit(grandchild < 0 ? 1 : 0);
    }
    writeEnd.reset();
    const int status = waitFor(child);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return fail(std::string("fork"));
    return command.executed(readEnd.get());
}

Result<pid_t, std::string> startChild(const std::filesystem::path& program,
                                      const std::vector<std::string>& arguments,
                                      const std::filesystem::path& workingDirectory) {
    Command command(program, arguments, workingDirectory);
    UniqueFd readEnd;
    UniqueFd writeEnd;
    if (auto piped = openReportPipe(readEnd, writeEnd); !piped) return fail(piped.error());

    const pid_t child = ::fork();
    if (child < 0) return fail(std::string(std::strerror(errno)));
    if (child == 0) command.runInChild(writeEnd.get());
    writeEnd.reset();
    if (auto ran = command.executed(readEnd.get()); !ran) {
        waitFor(child);  // it ends right after saying why
        return fail(ran.error());
    }
    return child;
}

bool hasEnded(pid_t child) {
    pid_t reaped = 0;
    do {
        reaped = ::waitpid(child, nullptr, WNOHANG);
    } while (reaped < 0 && errno == EINTR);
    // Reaped now, or no child of ours any more (already reaped, or SIGCHLD ignored).
    return reaped != 0;
}

}  // namespace pointilla::platform::posix
