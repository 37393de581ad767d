// Reading and writing scenario files on Windows: wide paths, the same bytes as
// everywhere else, and the same write-beside-then-replace rule.

#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <utility>

#include "scenario/sce_file.h"

namespace pointilla::scenario {
namespace {

class UniqueHandle {
  public:
    explicit UniqueHandle(HANDLE handle) : handle_(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept
        : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }
    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    bool reset() {
        const bool closed = !valid() || CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

  private:
    HANDLE handle_;
};

// FileError keeps errno values, which its French reasons are written for.
int errnoFor(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
            return ENOENT;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return EACCES;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return ENOSPC;
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

FileError lastError(FileError::Kind kind, const std::filesystem::path& path) {
    FileError e;
    e.kind = kind;
    e.path = path;
    e.systemError = errnoFor(GetLastError());
    return e;
}

bool writeAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr)) return false;
        bytes.remove_prefix(written);
    }
    return true;
}

// A new file beside the target that no other writer can have opened.
UniqueHandle createTemporary(const std::filesystem::path& target, std::filesystem::path& name) {
    const std::wstring stem = L"." + target.filename().wstring() + L".";
    const DWORD process = GetCurrentProcessId();
    for (DWORD attempt = 0; attempt < 100; ++attempt) {
        name = target.parent_path() /
               (stem + std::to_wstring(process) + L"-" + std::to_wstring(GetTickCount() + attempt));
        UniqueHandle file(CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file.valid() || GetLastError() != ERROR_FILE_EXISTS) return file;
    }
    return UniqueHandle(INVALID_HANDLE_VALUE);
}

}  // namespace

LoadResult loadSceFile(const std::filesystem::path& path) {
    LoadResult result;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        result.error.kind = FileError::Kind::Read;
        result.error.path = path;
        result.error.systemError = EISDIR;
        return result;
    }
    UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        result.error = lastError(FileError::Kind::Open, path);
        return result;
    }
    std::string bytes;
    char buffer[65536];
    for (;;) {
        DWORD n = 0;
        if (!ReadFile(file.get(), buffer, sizeof buffer, &n, nullptr)) {
            result.error = lastError(FileError::Kind::Read, path);
            return result;
        }
        if (n == 0) break;
        bytes.append(buffer, n);
    }
    result.content = parseSce(bytes);
    return result;
}

std::optional<FileError> saveSceFile(const std::filesystem::path& requested,
                                     const std::vector<Row>& rows) {
    FileError encodeError;
    encodeError.path = requested;
    const auto bytes = encodeSce(rows, &encodeError);
    if (!bytes) return encodeError;

    std::filesystem::path target = requested;
    if (target.parent_path().empty()) target = std::filesystem::path(L".") / target;
    std::filesystem::path tempPath;
    UniqueHandle file = createTemporary(target, tempPath);
    if (!file.valid()) return lastError(FileError::Kind::Open, requested);
    const auto fail = [&](FileError::Kind kind) {
        FileError error = lastError(kind, requested);
        file.reset();
        DeleteFileW(tempPath.c_str());
        return error;
    };
    if (!writeAll(file.get(), *bytes)) return fail(FileError::Kind::Write);
    if (!FlushFileBuffers(file.get())) return fail(FileError::Kind::Write);
    if (!file.reset()) return fail(FileError::Kind::Write);
    // A read-only target refuses the replacement, as it refuses a write.
    if (!MoveFileExW(tempPath.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return fail(FileError::Kind::Rename);
    }
    return std::nullopt;
}

}  // namespace pointilla::scenario
