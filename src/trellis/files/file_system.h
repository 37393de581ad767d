#pragma once
// What the file helpers need from the file system that differs between systems:
// what an attribute mask finds, wildcard matching, opening for append, and the
// steps of replacing a file safely (a new file beside it, put on the disk, then
// renamed over). One implementation per platform. Failures give errno values.

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "common/result.h"
#include "platform/com/com_types.h"

namespace trellis::fs {

struct FileCloser {
    // NOLINTNEXTLINE(cppcoreguidelines-owning-memory): the unique_ptr is the owner
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using OpenFile = std::unique_ptr<std::FILE, FileCloser>;

// Paths are UTF-8 texts in the control, whatever the system's own encoding.
std::filesystem::path pathFromUtf8(std::string_view utf8);
std::string utf8FromPath(const std::filesystem::path& path);

// Whether the directory search of mask finds the file or directory at path.
bool matchesMask(const std::filesystem::path& path, SHORT mask);
// Whether a name matches a pattern of * and ? as the directory search matches it.
bool nameMatchesPattern(const std::string& pattern, const std::string& name);
// The file opened for appending bytes, created when missing; empty (errno set) on failure.
OpenFile openForAppend(const std::filesystem::path& path);

// What a name holds, looked at as it is: a link is an entry of its own, whether
// what it names exists or not.
enum class Entry { None, Directory, Other };
Entry entryAt(const std::filesystem::path& path);

// A new, empty file with a name of its own in the folder of neighbour, open for writing.
struct NewFile {
    OpenFile file;
    std::filesystem::path path;
};
pointilla::Result<NewFile, int> createFileBeside(const std::filesystem::path& neighbour);
// Writes what is buffered and waits until the system has it on the disk.
pointilla::Status<int> flushToDisk(std::FILE* file);
// Renames the entry itself (a link is moved, never followed) over any file at to.
pointilla::Status<int> renameEntry(const std::filesystem::path& from,
                                   const std::filesystem::path& to);
pointilla::Status<int> removeEntry(const std::filesystem::path& path);

}  // namespace trellis::fs
