#include "platform/wayland/common/leftover_notes.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <system_error>

#include "platform/files/read_file.h"
#include "platform/posix/unique_fd.h"

namespace pointilla::platform::wayland {
namespace {

constexpr std::string_view kSuffix = ".note";
// Notes hold a few bindings; anything larger was not written here.
constexpr std::uintmax_t kLargestNote = 1 << 20;

bool processEnded(pid_t pid) {
    if (pid == ::getpid()) return true;  // an earlier process had this pid
    return ::kill(pid, 0) != 0 && errno == ESRCH;
}

std::optional<pid_t> pidOf(const std::filesystem::path& file) {
    const std::string name = file.filename().string();
    if (!name.ends_with(kSuffix)) return std::nullopt;
    pid_t pid = 0;
    const char* end = name.data() + name.size() - kSuffix.size();
    const auto [at, error] = std::from_chars(name.data(), end, pid);
    if (error != std::errc() || at != end || pid <= 0) return std::nullopt;
    return pid;
}

}  // namespace

std::optional<LeftoverNotes> LeftoverNotes::open(std::string_view kind) {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    std::string name = "pointilla-" + std::string(kind) + "-notes";
    std::filesystem::path base = runtime != nullptr && *runtime == '/' ? runtime : "/tmp";
    if (base == "/tmp") name += "-" + std::to_string(::getuid());
    return openAt(base / name);
}

std::optional<LeftoverNotes> LeftoverNotes::openAt(std::filesystem::path folder) {
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return std::nullopt;
    struct stat status {};
    if (::lstat(folder.c_str(), &status) != 0 || !S_ISDIR(status.st_mode) ||
        status.st_uid != ::getuid() || (status.st_mode & 077) != 0) {
        return std::nullopt;
    }
    return LeftoverNotes(std::move(folder));
}

bool LeftoverNotes::write(std::string_view text) const {
    const std::string own = std::to_string(::getpid());
    const std::filesystem::path target = folder_ / (own + std::string(kSuffix));
    const std::filesystem::path partial = folder_ / (own + ".partial");
    posix::UniqueFd file(
        ::open(partial.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!file) return false;
    const bool whole =
        ::write(file.get(), text.data(), text.size()) == static_cast<ssize_t>(text.size());
    if (file.close() != 0 || !whole || ::rename(partial.c_str(), target.c_str()) != 0) {
        ::unlink(partial.c_str());
        return false;
    }
    return true;
}

void LeftoverNotes::erase(pid_t pid) const {
    ::unlink((folder_ / (std::to_string(pid) + std::string(kSuffix))).c_str());
}

void LeftoverNotes::eraseOwn() const { erase(::getpid()); }

std::vector<LeftoverNotes::Note> LeftoverNotes::all() const {
    std::vector<Note> notes;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder_, error)) {
        const std::optional<pid_t> pid = pidOf(entry.path());
        if (!pid || !entry.is_regular_file(error)) continue;
        // A note that cannot be read is kept as an empty one: its owner is still known.
        auto text = files::readRegularFile(entry.path(), kLargestNote);
        notes.push_back({*pid, processEnded(*pid), text ? std::move(text).value() : std::string()});
    }
    return notes;
}

}  // namespace pointilla::platform::wayland
