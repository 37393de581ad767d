#include "trellis/reg_files/loaded_programs.h"

#include <array>
#include <string>
#include <vector>

#include "platform/registry/name_fold.h"

namespace trellis {
namespace {

using pointilla::registry::foldName;

std::vector<std::string> foldedParts(std::string_view keyPath) {
    std::vector<std::string> parts;
    for (std::size_t start = 0;;) {
        const std::size_t end = keyPath.find('\\', start);
        parts.push_back(foldName(keyPath.substr(start, end - start)));
        if (end == std::string_view::npos) return parts;
        start = end + 1;
    }
}

// CLSID\{class}\InprocServer32 and the like, wherever a classes key lies: under
// HKEY_CLASSES_ROOT or under Software\Classes of a user or of the machine.
bool isClassServerKey(const std::vector<std::string>& parts) {
    static const std::array<std::string, 6> kServers = {
        foldName("InprocServer32"), foldName("LocalServer32"), foldName("InprocHandler32"),
        foldName("InprocServer"),   foldName("LocalServer"),   foldName("InprocHandler")};
    for (std::size_t i = 0; i + 2 < parts.size(); ++i) {
        if (parts[i] != foldName("CLSID")) continue;
        for (const auto& server : kServers) {
            if (parts[i + 2] == server) return true;
        }
    }
    return false;
}

// The About box's system-information tool: its full path, or the folder it lies in.
bool isSystemInformationTool(std::string_view keyPath, std::string_view valueName) {
    struct Place {
        const char* key;
        const char* value;
    };
    static constexpr std::array<Place, 2> kPlaces = {{
        {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH"},
        {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO"},
    }};
    for (const auto& place : kPlaces) {
        if (foldName(keyPath) == foldName(place.key) &&
            foldName(valueName) == foldName(place.value))
            return true;
    }
    return false;
}

}  // namespace

bool namesLoadedProgram(std::string_view keyPath, std::string_view valueName) {
    return isClassServerKey(foldedParts(keyPath)) || isSystemInformationTool(keyPath, valueName);
}

}  // namespace trellis
