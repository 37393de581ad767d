#include "platform/files/read_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/posix/unique_fd.h"

namespace pointilla::platform::files {

using posix::UniqueFd;

Result<std::string, FileError> readRegularFile(const std::filesystem::path& path,
                                               std::uintmax_t maxBytes) {
    // O_NONBLOCK: opening a FIFO would otherwise wait for a writer for ever.
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (!fd) return fail(FileError::system(errno));
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) return fail(FileError::system(errno));
    if (S_ISDIR(st.st_mode)) return fail(FileError::system(EISDIR));
    if (!S_ISREG(st.st_mode)) return fail(FileError{FileError::Kind::NotRegularFile});
    const FileError tooLarge{FileError::Kind::TooLarge, 0, maxBytes};
    if (static_cast<std::uintmax_t>(st.st_size) > maxBytes) return fail(tooLarge);

    std::string bytes;
    bytes.resize(static_cast<std::size_t>(st.st_size) + 1);  // one more: sees a file that grew
    std::size_t filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            if (filled > maxBytes) return fail(tooLarge);
            bytes.resize(std::min<std::uintmax_t>(bytes.size() * 2, maxBytes + 1));
        }
        const ssize_t n = ::read(fd.get(), bytes.data() + filled, bytes.size() - filled);
        if (n < 0) {
            if (errno == EINTR) continue;
            return fail(FileError::system(errno));
        }
        if (n == 0) break;
        filled += static_cast<std::size_t>(n);
    }
    if (filled > maxBytes) return fail(tooLarge);
    bytes.resize(filled);
    return bytes;
}

}  // namespace pointilla::platform::files
