// Giving a person's file new content on Windows without ever leaving half of
// it: a complete temporary file beside the target replaces it in one step
// (ReplaceFileW keeps the target's attributes and security), a symbolic link is
// followed, a read-only file, a folder or a device is refused, and where no
// temporary file can be made the file is rewritten in place once its new size
// is reserved.

#include "platform/files/replace_file.h"

#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <system_error>

#include "platform/windows/file_errors.h"
#include "platform/windows/unique_handle.h"

namespace pointilla::platform::files {
namespace {

using windows::lastFileError;
using windows::UniqueHandle;

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

// The file a name stands for: a symbolic link's target, even one not there yet.
std::filesystem::path resolved(const std::filesystem::path& requested) {
    std::filesystem::path target = requested;
    std::error_code ec;
    if (std::filesystem::is_symlink(requested, ec)) {
        const auto real = std::filesystem::weakly_canonical(requested, ec);
        if (!ec) target = real;
    }
    if (target.parent_path().empty()) target = std::filesystem::path(L".") / target;
    return target;
}

// Rewrites an existing file where it is: its new size is reserved first, so a
// full disk fails before a byte of it changes.
Status<FileError> rewriteInPlace(const std::filesystem::path& target, std::string_view bytes) {
    UniqueHandle file(CreateFileW(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return fail(lastFileError());
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) return fail(lastFileError());
    LARGE_INTEGER end{};
    end.QuadPart = static_cast<LONGLONG>(bytes.size());
    if (end.QuadPart > size.QuadPart) {
        if (!SetFilePointerEx(file.get(), end, nullptr, FILE_BEGIN) || !SetEndOfFile(file.get())) {
            return fail(lastFileError());
        }
    }
    LARGE_INTEGER start{};
    if (!SetFilePointerEx(file.get(), start, nullptr, FILE_BEGIN)) return fail(lastFileError());
    if (!writeAll(file.get(), bytes) || !SetEndOfFile(file.get()) ||
        !FlushFileBuffers(file.get())) {
        return fail(lastFileError());
    }
    if (!file.reset()) return fail(lastFileError());
    return {};
}

}  // namespace

Status<FileError> replaceFileContent(const std::filesystem::path& path, std::string_view bytes) {
    const std::filesystem::path target = resolved(path);

    bool exists = false;
    {
        UniqueHandle existing(
            CreateFileW(target.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        if (existing.valid()) {
            exists = true;
            if (GetFileType(existing.get()) != FILE_TYPE_DISK) {
                return fail(FileError{FileError::Kind::NotRegularFile, 0, 0});
            }
            BY_HANDLE_FILE_INFORMATION info{};
            if (!GetFileInformationByHandle(existing.get(), &info)) return fail(lastFileError());
            if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
                return fail(FileError::system(EISDIR));
            }
            if ((info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0) {
                return fail(FileError::system(EACCES));
            }
        } else if (const DWORD error = GetLastError(); error != ERROR_FILE_NOT_FOUND) {
            return fail(FileError::system(windows::errnoFor(error)));
        }
    }

    std::filesystem::path tempPath;
    UniqueHandle file = createTemporary(target, tempPath);
    if (!file.valid()) {
        const DWORD error = GetLastError();
        if (exists && error == ERROR_ACCESS_DENIED) return rewriteInPlace(target, bytes);
        return fail(FileError::system(windows::errnoFor(error)));
    }
    const auto discard = [&] {
        const FileError error = lastFileError();
        file.reset();
        DeleteFileW(tempPath.c_str());
        return fail(error);
    };
    if (!writeAll(file.get(), bytes)) return discard();
    if (!FlushFileBuffers(file.get())) return discard();
    if (!file.reset()) return discard();
    const bool replaced =
        exists ? ReplaceFileW(target.c_str(), tempPath.c_str(), nullptr,
                              REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) != 0
               : MoveFileExW(tempPath.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH) != 0;
    if (!replaced) return discard();
    return {};
}

}  // namespace pointilla::platform::files
