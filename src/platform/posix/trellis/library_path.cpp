#include "trellis/control/library_path.h"

#include <dlfcn.h>

#include <climits>
#include <cstdlib>

namespace trellis {

std::optional<std::string> thisLibraryPath() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&thisLibraryPath), &info) == 0 ||
        info.dli_fname == nullptr || *info.dli_fname == '\0') {
        return std::nullopt;
    }
    char resolved[PATH_MAX];
    if (realpath(info.dli_fname, resolved) == nullptr) return info.dli_fname;
    return resolved;
}

}  // namespace trellis
