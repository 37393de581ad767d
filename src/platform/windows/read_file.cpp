// Reading a whole file that a person chose, on Windows: wide paths, and the
// same refusals as on POSIX systems (folders, devices, pipes, too large).

#include "platform/files/read_file.h"

#include <windows.h>

#include <algorithm>
#include <cerrno>

#include "platform/windows/file_errors.h"
#include "platform/windows/unique_handle.h"

namespace pointilla::platform::windows {

int errnoFor(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_PATHNAME:
        case ERROR_INVALID_NAME:
            return ENOENT;
        case ERROR_ACCESS_DENIED:
        case ERROR_LOCK_VIOLATION:
            return EACCES;
        case ERROR_SHARING_VIOLATION:
            return EBUSY;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return ENOSPC;
        case ERROR_FILE_TOO_LARGE:
            return EFBIG;
        case ERROR_WRITE_PROTECT:
            return EROFS;
        case ERROR_FILENAME_EXCED_RANGE:
            return ENAMETOOLONG;
        case ERROR_TOO_MANY_OPEN_FILES:
            return EMFILE;
        case ERROR_DIRECTORY:
            return ENOTDIR;
        default:
            return EIO;
    }
}

}  // namespace pointilla::platform::windows

namespace pointilla::platform::files {

using windows::lastFileError;
using windows::UniqueHandle;

Result<std::string, FileError> readRegularFile(const std::filesystem::path& path,
                                               std::uintmax_t maxBytes) {
    // FILE_FLAG_BACKUP_SEMANTICS opens a folder too, so that it is named as one.
    UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.valid()) return fail(lastFileError());
    if (GetFileType(file.get()) != FILE_TYPE_DISK) {
        return fail(FileError{FileError::Kind::NotRegularFile, 0, 0});
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(file.get(), &info)) return fail(lastFileError());
    if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return fail(FileError::system(EISDIR));
    }
    const std::uintmax_t size =
        (static_cast<std::uintmax_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    if (size > maxBytes) return fail(FileError{FileError::Kind::TooLarge, 0, maxBytes});

    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(size));
    char buffer[65536];
    for (;;) {
        DWORD n = 0;
        if (!ReadFile(file.get(), buffer, sizeof buffer, &n, nullptr)) return fail(lastFileError());
        if (n == 0) break;
        // A file that grew since it was measured is still held to the limit.
        if (bytes.size() + n > maxBytes) {
            return fail(FileError{FileError::Kind::TooLarge, 0, maxBytes});
        }
        bytes.append(buffer, n);
    }
    return bytes;
}

}  // namespace pointilla::platform::files
