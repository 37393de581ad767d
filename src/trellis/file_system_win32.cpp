// The file system of Windows: hidden and system files carry their attribute
// bits, patterns match without regard to case, paths are wide.

#include <cwctype>

#include "trellis/file_io.h"
#include "trellis/file_system.h"

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

}  // namespace trellis::fs
