// The file system of Windows: hidden and system files carry their attribute
// bits, patterns match without regard to case, paths are wide.

#include "trellis/files/file_system.h"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <atomic>
#include <cerrno>
#include <cwctype>
#include <string>

#include "trellis/files/file_io.h"

namespace trellis::fs {
namespace {

wchar_t folded(wchar_t c) { return static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c))); }

bool matchFrom(std::wstring_view pattern, std::wstring_view name) {
    if (pattern.empty()) return name.empty();
    if (pattern.front() == L'*') {
        for (std::size_t skip = 0; skip <= name.size(); ++skip) {
            if (matchFrom(pattern.substr(1), name.substr(skip))) return true;
        }
        return false;
    }
    if (name.empty()) return false;
    if (pattern.front() != L'?' && folded(pattern.front()) != folded(name.front())) return false;
    return matchFrom(pattern.substr(1), name.substr(1));
}

}  // namespace

// What the directory search of a mask finds: normal (and read-only, archive)
// files always, plus hidden and system files and directories as the mask adds them.
bool matchesMask(const std::filesystem::path& path, SHORT mask) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;
    if ((attributes & FILE_ATTRIBUTE_HIDDEN) != 0 && (mask & kAttrHidden) == 0) return false;
    if ((attributes & FILE_ATTRIBUTE_SYSTEM) != 0 && (mask & kAttrSystem) == 0) return false;
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return (mask & kAttrDirectory) != 0;
    return true;
}

bool nameMatchesPattern(const std::string& pattern, const std::string& name) {
    return matchFrom(pathFromUtf8(pattern).native(), pathFromUtf8(name).native());
}

OpenFile openForAppend(const std::filesystem::path& path) {
    return OpenFile(_wfopen(path.c_str(), L"ab"));
}

Entry entryAt(const std::filesystem::path& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return Entry::None;
    // A link to a directory is a link: it is moved, never entered.
    const bool directory = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
                           (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0;
    return directory ? Entry::Directory : Entry::Other;
}

pointilla::Result<NewFile, int> createFileBeside(const std::filesystem::path& neighbour) {
    static std::atomic<unsigned> counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::wstring name = L".trellis-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                                  std::to_wstring(counter++) + L".tmp";
        std::filesystem::path path = neighbour.parent_path() / name;
        const int fd =
            _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            return pointilla::fail(errno);
        }
        OpenFile file(_wfdopen(fd, L"wb"));
        if (!file) {
            const int error = errno;
            _close(fd);
            _wremove(path.c_str());
            return pointilla::fail(error);
        }
        return NewFile{std::move(file), std::move(path)};
    }
    return pointilla::fail(EEXIST);
}

pointilla::Status<int> flushToDisk(std::FILE* file) {
    if (std::fflush(file) != 0 || _commit(_fileno(file)) != 0) return pointilla::fail(errno);
    return {};
}

pointilla::Status<int> renameEntry(const std::filesystem::path& from,
                                   const std::filesystem::path& to) {
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING)) return {};
    switch (GetLastError()) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            return pointilla::fail(ENOENT);
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
            return pointilla::fail(EACCES);
        case ERROR_DISK_FULL:
            return pointilla::fail(ENOSPC);
        default:
            return pointilla::fail(EIO);
    }
}

pointilla::Status<int> removeEntry(const std::filesystem::path& path) {
    if (_wremove(path.c_str()) != 0) return pointilla::fail(errno);
    return {};
}

}  // namespace trellis::fs
