#include "child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>  // environ

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace pointilla::e2e {
namespace {

std::vector<std::string> buildEnvironment(const Environment& changes) {
    std::vector<std::string> result;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string text = *entry;
        const std::string name = text.substr(0, text.find('='));
        const auto named = [&](const std::string& other) {
            return other == name || other.rfind(name + "=", 0) == 0;
        };
        if (std::any_of(changes.unset.begin(), changes.unset.end(), named)) continue;
        if (std::any_of(changes.set.begin(), changes.set.end(), named)) continue;
        result.push_back(text);
    }
    result.insert(result.end(), changes.set.begin(), changes.set.end());
    return result;
}

std::vector<char*> pointers(std::vector<std::string>& texts) {
    std::vector<char*> out;
    out.reserve(texts.size() + 1);
    for (auto& text : texts) out.push_back(text.data());
    out.push_back(nullptr);
    return out;
}

// Starts argv with the given descriptors as its 0, 1, 2 (-1: /dev/null).
pid_t spawn(const std::vector<std::string>& argv, const Environment& environment, int in, int out,
            int err) {
    std::vector<std::string> args = argv;
    std::vector<std::string> env = buildEnvironment(environment);
    auto argp = pointers(args);
    auto envp = pointers(env);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const int fds[3] = {in, out, err};
    for (int target = 0; target < 3; ++target) {
        if (fds[target] >= 0) {
            posix_spawn_file_actions_adddup2(&actions, fds[target], target);
        } else {
            posix_spawn_file_actions_addopen(&actions, target, "/dev/null",
                                             target == 0 ? O_RDONLY : O_WRONLY, 0);
        }
    }
    pid_t pid = -1;
    const int result =
        posix_spawnp(&pid, args[0].c_str(), &actions, nullptr, argp.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (result != 0)
        throw std::runtime_error("cannot start " + args[0] + ": " + std::strerror(result));
    return pid;
}

int waitFor(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void makePipe(int fds[2]) {
    if (::pipe2(fds, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
}

}  // namespace

Finished runToEnd(const std::vector<std::string>& argv, const Environment& environment) {
    int out[2];
    int err[2];
    makePipe(out);
    makePipe(err);
    const pid_t pid = spawn(argv, environment, -1, out[1], err[1]);
    ::close(out[1]);
    ::close(err[1]);
    Finished finished;
    pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
    int open = 2;
    while (open > 0) {
        if (::poll(fds, 2, -1) < 0) continue;
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0) continue;
            char buffer[4096];
            const ssize_t n = ::read(fds[i].fd, buffer, sizeof buffer);
            if (n <= 0) {
                ::close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            } else {
                (i == 0 ? finished.out : finished.err).append(buffer, static_cast<size_t>(n));
            }
        }
    }
    finished.exitCode = waitFor(pid);
    return finished;
}

Child::Child(const std::vector<std::string>& argv, const Environment& environment) {
    int in[2];
    int out[2];
    makePipe(in);
    makePipe(out);
    pid_ = spawn(argv, environment, in[0], out[1], STDERR_FILENO);
    ::close(in[0]);
    ::close(out[1]);
    stdin_ = in[1];
    stdout_ = out[0];
}

Child::~Child() {
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        waitFor(pid_);
    }
    if (stdin_ >= 0) ::close(stdin_);
    if (stdout_ >= 0) ::close(stdout_);
}

std::optional<std::string> Child::readLine(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (true) {
        const auto newline = buffered_.find('\n');
        if (newline != std::string::npos) {
            std::string line = buffered_.substr(0, newline);
            buffered_.erase(0, newline + 1);
            return line;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return std::nullopt;
        pollfd fd{stdout_, POLLIN, 0};
        if (::poll(&fd, 1, static_cast<int>(left.count())) <= 0) continue;
        char buffer[1024];
        const ssize_t n = ::read(stdout_, buffer, sizeof buffer);
        if (n <= 0) return std::nullopt;
        buffered_.append(buffer, static_cast<size_t>(n));
    }
}

int Child::finish() {
    if (stdin_ >= 0) {
        ::close(stdin_);
        stdin_ = -1;
    }
    const int code = waitFor(pid_);
    pid_ = -1;
    return code;
}

}  // namespace pointilla::e2e
