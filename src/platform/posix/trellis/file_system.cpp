// The file system of a POSIX system: names starting with a dot are hidden,
// patterns follow fnmatch.

#include "trellis/files/file_system.h"

#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>

#include "trellis/files/file_io.h"

namespace trellis::fs {

using pointilla::fail;

// What the directory search of a mask finds: normal (and read-only) files always,
// plus hidden files, directories... as the mask adds them. A directory is found
// by the directory mask whatever its name.
bool matchesMask(const std::filesystem::path& path, SHORT mask) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return false;
    if (S_ISDIR(info.st_mode)) return (mask & kAttrDirectory) != 0;
    const std::string name = path.filename().string();
    const bool hidden = !name.empty() && name.front() == '.' && name != "." && name != "..";
    if (hidden && (mask & kAttrHidden) == 0) return false;
    return S_ISREG(info.st_mode);
}

bool nameMatchesPattern(const std::string& pattern, const std::string& name) {
    return ::fnmatch(pattern.c_str(), name.c_str(), 0) == 0;
}

OpenFile openForAppend(const std::filesystem::path& path) {
    return OpenFile(std::fopen(path.c_str(), "ab"));
}

Entry entryAt(const std::filesystem::path& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) return Entry::None;
    return S_ISDIR(info.st_mode) ? Entry::Directory : Entry::Other;
}

pointilla::Result<NewFile, int> createFileBeside(const std::filesystem::path& neighbour) {
    static std::atomic<unsigned> counter = 0;
    // A short name of our own, so that a target name at the length limit still works.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name =
            ".trellis-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".tmp";
        std::filesystem::path path = neighbour.parent_path() / name;
        const int fd =
            ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            return fail(errno);
        }
        OpenFile file(::fdopen(fd, "wb"));
        if (!file) {
            const int error = errno;
            ::close(fd);
            ::unlink(path.c_str());
            return fail(error);
        }
        return NewFile{std::move(file), std::move(path)};
    }
    return fail(EEXIST);
}

pointilla::Status<int> flushToDisk(std::FILE* file) {
    if (std::fflush(file) != 0 || ::fsync(::fileno(file)) != 0) return fail(errno);
    return {};
}

pointilla::Status<int> renameEntry(const std::filesystem::path& from,
                                   const std::filesystem::path& to) {
    if (std::rename(from.c_str(), to.c_str()) != 0) return fail(errno);
    return {};
}

pointilla::Status<int> removeEntry(const std::filesystem::path& path) {
    if (::unlink(path.c_str()) != 0) return fail(errno);
    return {};
}

}  // namespace trellis::fs
