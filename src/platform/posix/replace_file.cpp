#include "platform/files/replace_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <random>
#include <string>
#include <system_error>

#include "platform/posix/unique_fd.h"

namespace pointilla::platform::files {

using posix::UniqueFd;
namespace {

namespace fs = std::filesystem;

constexpr int kMaxLinkHops = 40;  // as the kernel allows before ELOOP

FileError systemError(int err) { return FileError::system(err); }

bool writeAll(int fd, std::string_view bytes) {
    off_t offset = 0;
    while (!bytes.empty()) {
        const ssize_t n = ::pwrite(fd, bytes.data(), bytes.size(), offset);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
        offset += n;
    }
    return true;
}

// The name a path finally stands for once its symbolic links are followed;
// a link that names a file not there yet gives that file's name.
Result<fs::path, FileError> followLinks(fs::path path) {
    for (int hop = 0;; ++hop) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
        if (hop == kMaxLinkHops) return fail(systemError(ELOOP));
        std::error_code error;
        const fs::path next = fs::read_symlink(path, error);
        if (error) return fail(systemError(error.value()));
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
}

// Whether the file may be written, or why not. No write bit at all means
// read-only even for root, who passes every permission check.
Status<FileError> mayWrite(const fs::path& file, const struct stat& st) {
    if ((st.st_mode & 0222) == 0) return fail(systemError(EACCES));
    if (::faccessat(AT_FDCWD, file.c_str(), W_OK, AT_EACCESS) != 0) {
        return fail(systemError(errno));
    }
    return {};
}

// A new file with a short name in `dir`, so that a target name as long as the
// file system allows still leaves room for it.
UniqueFd createTemporary(const fs::path& dir, mode_t mode, fs::path& name) {
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device seed;
    std::minstd_rand pick(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string leaf = ".tmp-";
        for (int i = 0; i < 6; ++i) leaf += kLetters[pick() % (sizeof kLetters - 1)];
        name = dir / leaf;
        UniqueFd fd(::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode));
        if (fd || errno != EEXIST) return fd;
    }
    return UniqueFd();
}

void syncFolder(const fs::path& dir) {
    UniqueFd fd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd) ::fsync(fd.get());  // the rename is durable; a failure here loses nothing
}

Status<FileError> rewriteInPlace(const fs::path& target, std::string_view bytes) {
    UniqueFd fd(::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (!fd) return fail(systemError(errno));
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) return fail(systemError(errno));
    if (!S_ISREG(st.st_mode)) return fail(FileError{FileError::Kind::NotRegularFile});
    // Reserve every block first: a full disk or a size limit fails here, while
    // the old content is still whole.
    if (!bytes.empty()) {
        const int err = ::posix_fallocate(fd.get(), 0, static_cast<off_t>(bytes.size()));
        if (err != 0) {
            if (::ftruncate(fd.get(), st.st_size) != 0) {
                // The old content is intact; only its reserved tail could not be given back.
            }
            return fail(systemError(err));
        }
    }
    if (!writeAll(fd.get(), bytes)) return fail(systemError(errno));
    if (::ftruncate(fd.get(), static_cast<off_t>(bytes.size())) != 0)
        return fail(systemError(errno));
    if (::fsync(fd.get()) != 0) return fail(systemError(errno));
    if (fd.close() != 0) return fail(systemError(errno));
    return {};
}

}  // namespace

Status<FileError> replaceFileContent(const fs::path& requested, std::string_view bytes) {
    const auto resolved = followLinks(requested);
    if (!resolved) return fail(resolved.error());
    const fs::path& target = *resolved;

    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (!exists && errno != ENOENT) return fail(systemError(errno));
    if (exists) {
        if (S_ISDIR(existing.st_mode)) return fail(systemError(EISDIR));
        if (!S_ISREG(existing.st_mode)) return fail(FileError{FileError::Kind::NotRegularFile});
        if (auto writable = mayWrite(target, existing); !writable) return writable;
    }

    const fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");
    fs::path tempPath;
    // A new file gets the usual 0666 less the umask; a replaced one its own mode below.
    UniqueFd fd = createTemporary(dir, exists ? 0600 : 0666, tempPath);
    if (!fd) {
        const int err = errno;
        if (exists && (err == EACCES || err == EPERM)) return rewriteInPlace(target, bytes);
        return fail(systemError(err));
    }
    const auto discard = [&](int err) {
        fd.reset();
        ::unlink(tempPath.c_str());
        return fail(systemError(err));
    };
    if (exists) {
        // Owner first: changing it clears the set-id bits that fchmod then restores.
        if (::fchown(fd.get(), existing.st_uid, existing.st_gid) != 0) {
            if (errno != EPERM) return discard(errno);
            fd.reset();
            ::unlink(tempPath.c_str());
            return rewriteInPlace(target, bytes);
        }
        if (::fchmod(fd.get(), existing.st_mode & 07777) != 0) return discard(errno);
    }
    if (!writeAll(fd.get(), bytes)) return discard(errno);
    if (::fsync(fd.get()) != 0) return discard(errno);
    if (fd.close() != 0) return discard(errno);
    if (::rename(tempPath.c_str(), target.c_str()) != 0) return discard(errno);
    syncFolder(dir);
    return {};
}

}  // namespace pointilla::platform::files
