// The file system of a POSIX system: names starting with a dot are hidden,
// patterns follow fnmatch.

#include <fnmatch.h>
#include <sys/stat.h>

#include "trellis/file_io.h"
#include "trellis/file_system.h"

namespace trellis::fs {

// What the directory search of a mask finds: normal (and read-only) files always,
// plus hidden files, directories... as the mask adds them.
bool matchesMask(const std::filesystem::path& path, SHORT mask) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return false;
    const std::string name = path.filename().string();
    const bool hidden = !name.empty() && name.front() == '.' && name != "." && name != "..";
    if (hidden && (mask & kAttrHidden) == 0) return false;
    if (S_ISDIR(info.st_mode)) return (mask & kAttrDirectory) != 0;
    return S_ISREG(info.st_mode);
}

bool nameMatchesPattern(const std::string& pattern, const std::string& name) {
    return ::fnmatch(pattern.c_str(), name.c_str(), 0) == 0;
}

OpenFile openForAppend(const std::filesystem::path& path) {
    return OpenFile(std::fopen(path.c_str(), "ab"));
}

}  // namespace trellis::fs
