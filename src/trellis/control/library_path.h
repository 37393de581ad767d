#pragma once
// Where this library lives, as its in-process server entry records it.

#include <optional>
#include <string>

namespace trellis {

// The library's own absolute path in the bytes the registry's ANSI functions
// take; none when it cannot be found. One implementation per platform.
std::optional<std::string> thisLibraryPath();

}  // namespace trellis
