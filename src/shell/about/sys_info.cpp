#include "shell/about/sys_info.h"

#include <filesystem>
#include <system_error>
#include <vector>

#include "codepage/cp1252.h"
#include "platform/registry/advapi32.h"

namespace pointilla::shell {
namespace {

// Open with every right but delete, as the tool's registry readers always have.
constexpr REGSAM kOpenAccess = 0x2003F;
constexpr DWORD kBufferSize = 1024;

// Closes the key on every path out.
class OpenKey {
  public:
    explicit OpenKey(HKEY key) : key_(key) {}
    ~OpenKey() { RegCloseKey(key_); }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    HKEY get() const { return key_; }

  private:
    HKEY key_;
};

// The registry's text is UTF-8 here; a path made from the narrow string would
// read it in the ANSI code page on Windows.
std::filesystem::path pathFromUtf8(const std::string& text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

}  // namespace

bool GetKeyValue(HKEY KeyRoot, const std::string& Keyname, const std::string& SubKeyRef,
                 std::string& KeyVal) {
    // Names go to the registry in its own code page.
    const auto keyName = codepage::utf8ToCp1252(Keyname);
    const auto valueName = codepage::utf8ToCp1252(SubKeyRef);
    HKEY handle = nullptr;
    if (!keyName || !valueName ||
        RegOpenKeyExA(KeyRoot, keyName->c_str(), 0, kOpenAccess, &handle) != ERROR_SUCCESS) {
        KeyVal.clear();
        return false;
    }
    const OpenKey key(handle);

    std::vector<BYTE> buffer(kBufferSize, 0);
    DWORD size = kBufferSize;
    DWORD type = REG_NONE;
    if (RegQueryValueExA(key.get(), valueName->c_str(), nullptr, &type, buffer.data(), &size) !=
        ERROR_SUCCESS) {
        KeyVal.clear();
        return false;
    }
    // A string's terminating zero is not part of its text.
    std::size_t kept = size;
    if (kept > 0 && buffer[kept - 1] == 0) --kept;

    if (type == REG_SZ) {
        KeyVal = codepage::cp1252ToUtf8(
            std::string_view(reinterpret_cast<const char*>(buffer.data()), kept));
    } else if (type == REG_DWORD) {
        // Little-endian, as the registry stores a DWORD.
        unsigned long value = 0;
        for (std::size_t i = std::min<std::size_t>(size, 4); i > 0; --i) {
            value = (value << 8) | buffer[i - 1];
        }
        KeyVal = std::to_string(value);
    }
    return true;
}

bool StartSysInfo(platform::ProgramStarter& programs) {
    std::string path;
    if (GetKeyValue(HKEY_LOCAL_MACHINE, kMsinfoKey, kMsinfoValue, path)) {
        // Started as recorded; a missing file shows as a failed start.
        return !path.empty() && programs.start(pathFromUtf8(path));
    }
    if (GetKeyValue(HKEY_LOCAL_MACHINE, kSharedToolsKey, kSharedToolsValue, path)) {
        const std::filesystem::path program = pathFromUtf8(path) / kMsinfoProgram;
        std::error_code error;
        if (std::filesystem::is_regular_file(program, error)) return programs.start(program);
    }
    return false;
}

}  // namespace pointilla::shell
