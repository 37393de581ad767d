#pragma once
// What the file helpers need from the file system that differs between systems:
// what an attribute mask finds, wildcard matching, opening for append, and the
// run-time error number of a failed C library call. One implementation per platform.

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "trellis/com/com_types.h"

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

}  // namespace trellis::fs
