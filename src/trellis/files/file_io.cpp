#include "trellis/files/file_io.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>

#include "trellis/control/notifier.h"
#include "trellis/files/file_system.h"

namespace trellis {
namespace {

// The run-time error number of a C library failure, from its errno value; the
// same on every platform, since both report file errors through errno.
LONG errorNumberOf(int error) {
    switch (error) {
        case ENOENT:
        case ENOTDIR:
            return 76;  // path not found
        case EACCES:
        case EPERM:
        case EROFS:
            return 70;  // permission denied
        case ENOSPC:
        case EFBIG:  // no room for the file to grow
#ifdef EDQUOT
        case EDQUOT:
#endif
            return 61;  // disk full
        case EMFILE:
        case ENFILE:
            return 67;  // too many files
        case EISDIR:
        case ENAMETOOLONG:
            return 75;  // path/file access error
        default:
            return 57;  // device I/O error
    }
}

using fs::OpenFile;

constexpr SHORT kMaxFileNumber = 511;

std::mutex& filesMutex() {
    static std::mutex m;
    return m;
}
std::map<SHORT, OpenFile>& openFiles() {
    static std::map<SHORT, OpenFile> files;
    return files;
}

}  // namespace

std::string FileErrorText(LONG number) {
    switch (number) {
        case 52:
            return "Bad file name or number";
        case 53:
            return "File Not found";
        case 54:
            return "Bad file mode";
        case 55:
            return "File already open";
        case 57:
            return "Device I/O error";
        case 58:
            return "File already exists";
        case 59:
            return "Bad record length";
        case 61:
            return "Disk full";
        case 62:
            return "Input past end of file";
        case 63:
            return "Bad record number";
        case 67:
            return "Too many files";
        case 68:
            return "Device unavailable";
        case 70:
            return "Permission denied";
        case 71:
            return "Disk Not ready";
        case 74:
            return "Can 't rename with different drive";
        case 75:
            return "Path/File access error";
        case 76:
            return "Path Not found";
        case 321:
            return "Invalid file format";
        case 31001:
            return "Out of memory";
        case 31036:
            return "Error saving to file";
        case 31037:
            return "Error loading from file";
        default:
            return "Unknown error, " + std::to_string(number) + ", Please contact the programmer!";
    }
}

VARIANT_BOOL FileExists(const std::string& path, SHORT attributes) {
    switch (attributes) {
        case kAttrNormal:
        case kAttrReadOnly:
        case kAttrHidden:
        case kAttrSystem:
        case kAttrVolume:
        case kAttrDirectory:
            break;
        default:
            showMessage("Unsupported Attribute Type Specified!  Contact the programmer!",
                        "Program Error!", MB_OK | MB_ICONSTOP);
            return VARIANT_FALSE;
    }
    // There are no volume labels to find here.
    if (attributes == kAttrVolume || path.empty()) return VARIANT_FALSE;
    const std::filesystem::path target = fs::pathFromUtf8(path);
    const std::string pattern = fs::utf8FromPath(target.filename());
    if (pattern.find_first_of("*?") == std::string::npos) {
        return fs::matchesMask(target, attributes) ? VARIANT_TRUE : VARIANT_FALSE;
    }
    // A pattern in the last part: the first matching name wins.
    std::error_code ec;
    const auto dir = target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
        const std::string name = fs::utf8FromPath(entry.path().filename());
        if (fs::nameMatchesPattern(pattern, name) && fs::matchesMask(entry.path(), attributes)) {
            return VARIANT_TRUE;
        }
    }
    return VARIANT_FALSE;
}

std::optional<SHORT> FreeFile() {
    std::lock_guard lock(filesMutex());
    for (SHORT n = 1; n <= kMaxFileNumber; ++n) {
        if (openFiles().count(n) == 0) return n;
    }
    return std::nullopt;
}

pointilla::Status<LONG> OpenFileForAppend(const std::string& path, SHORT fileNumber) {
    std::lock_guard lock(filesMutex());
    if (fileNumber < 1 || fileNumber > kMaxFileNumber) return pointilla::fail(LONG{52});
    if (openFiles().count(fileNumber) != 0) return pointilla::fail(LONG{55});
    if (path.empty()) return pointilla::fail(LONG{52});
    OpenFile file = fs::openForAppend(fs::pathFromUtf8(path));
    if (!file) return pointilla::fail(errorNumberOf(errno));
    openFiles().emplace(fileNumber, std::move(file));
    return {};
}

pointilla::Status<LONG> CloseFile(SHORT fileNumber) {
    OpenFile file;
    {
        std::lock_guard lock(filesMutex());
        auto it = openFiles().find(fileNumber);
        if (it == openFiles().end()) return {};
        file = std::move(it->second);
        openFiles().erase(it);
    }
    // Buffered data that cannot reach the disk is an error of the close.
    if (std::fflush(file.get()) != 0) return pointilla::fail(errorNumberOf(errno));
    return {};
}

pointilla::Status<LONG> WriteLine(SHORT fileNumber, std::string_view bytes) {
    std::lock_guard lock(filesMutex());
    auto it = openFiles().find(fileNumber);
    if (it == openFiles().end()) return pointilla::fail(LONG{52});
    std::FILE* f = it->second.get();
    if (std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size() ||
        std::fwrite("\r\n", 1, 2, f) != 2) {
        return pointilla::fail(errorNumberOf(errno));
    }
    return {};
}

pointilla::Result<std::string, LONG> OpenFileBeside(const std::string& path, SHORT fileNumber) {
    std::lock_guard lock(filesMutex());
    if (fileNumber < 1 || fileNumber > kMaxFileNumber) return pointilla::fail(LONG{52});
    if (openFiles().count(fileNumber) != 0) return pointilla::fail(LONG{55});
    auto created = fs::createFileBeside(fs::pathFromUtf8(path));
    if (!created) return pointilla::fail(errorNumberOf(created.error()));
    openFiles().emplace(fileNumber, std::move(created->file));
    return fs::utf8FromPath(created->path);
}

pointilla::Status<LONG> CommitFile(SHORT fileNumber) {
    OpenFile file;
    {
        std::lock_guard lock(filesMutex());
        auto it = openFiles().find(fileNumber);
        if (it == openFiles().end()) return pointilla::fail(LONG{52});
        file = std::move(it->second);
        openFiles().erase(it);
    }
    if (auto flushed = fs::flushToDisk(file.get()); !flushed) {
        return pointilla::fail(errorNumberOf(flushed.error()));
    }
    // NOLINTNEXTLINE(cppcoreguidelines-owning-memory): closed here to hear its error
    if (std::fclose(file.release()) != 0) return pointilla::fail(errorNumberOf(errno));
    return {};
}

void AbandonFile(SHORT fileNumber) noexcept {
    std::lock_guard lock(filesMutex());
    openFiles().erase(fileNumber);
}

pointilla::Status<LONG> RotateInto(const std::string& file, const std::string& current,
                                   const std::string& previous) {
    const auto newFile = fs::pathFromUtf8(file);
    const auto currentPath = fs::pathFromUtf8(current);
    const auto previousPath = fs::pathFromUtf8(previous);
    const auto failed = [](int error) { return pointilla::fail(errorNumberOf(error)); };
    // A folder under either name is no backup: it is neither replaced nor moved.
    if (fs::entryAt(currentPath) == fs::Entry::Directory ||
        fs::entryAt(previousPath) == fs::Entry::Directory) {
        return pointilla::fail(LONG{75});
    }
    // The earlier previous is only moved aside until the rest is in place.
    std::filesystem::path aside;
    if (fs::entryAt(previousPath) != fs::Entry::None) {
        auto reserved = fs::createFileBeside(previousPath);
        if (!reserved) return failed(reserved.error());
        reserved->file.reset();
        aside = reserved->path;
        if (auto moved = fs::renameEntry(previousPath, aside); !moved) {
            (void)fs::removeEntry(aside);
            return failed(moved.error());
        }
    }
    const auto putBackAside = [&] {
        if (!aside.empty()) (void)fs::renameEntry(aside, previousPath);
    };
    const bool hadCurrent = fs::entryAt(currentPath) != fs::Entry::None;
    if (hadCurrent) {
        if (auto moved = fs::renameEntry(currentPath, previousPath); !moved) {
            putBackAside();
            return failed(moved.error());
        }
    }
    if (auto moved = fs::renameEntry(newFile, currentPath); !moved) {
        if (hadCurrent) (void)fs::renameEntry(previousPath, currentPath);
        putBackAside();
        return failed(moved.error());
    }
    if (!aside.empty()) (void)fs::removeEntry(aside);
    return {};
}

}  // namespace trellis

namespace trellis::fs {

std::filesystem::path pathFromUtf8(std::string_view utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string utf8FromPath(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace trellis::fs
