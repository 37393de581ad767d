#include "trellis/control/server_registration.h"

#include <vector>

#include "platform/registry/advapi32.h"
#include "trellis/com/trellis_guids.h"
#include "trellis/host/trellis_dispids.h"
#include "trellis/store/registry_key.h"

namespace trellis {
namespace {

// The automation marshaller, which dual and dispatch interfaces registered with
// a type library name as their proxy.
constexpr const char* kAutomationMarshaller = "{00020424-0000-0000-C000-000000000046}";
constexpr const char* kTypeLibraryVersion = "1.0";

// Where classes are registered, and the keys written there.
class ClassesRoot {
  public:
    explicit ClassesRoot(RegistrationScope scope)
        : prefix_(scope == RegistrationScope::User ? "Software\\Classes\\" : ""),
          // NOLINTNEXTLINE(performance-no-int-to-ptr): the predefined keys are integers
          root_(scope == RegistrationScope::User ? HKEY_CURRENT_USER : HKEY_CLASSES_ROOT) {}

    bool write(const std::string& path, const char* name, const std::string& text) const {
        RegistryKey key;
        if (RegCreateKeyA(root_, (prefix_ + path).c_str(), key.out()) != ERROR_SUCCESS)
            return false;
        return RegSetValueExA(key.get(), name, 0, REG_SZ,
                              reinterpret_cast<const BYTE*>(text.data()),
                              static_cast<DWORD>(text.size())) == ERROR_SUCCESS;
    }
    // Deletes a key written here; one that someone else filled with sub-keys stays.
    bool remove(const std::string& path) const {
        const LONG status = RegDeleteKeyA(root_, (prefix_ + path).c_str());
        return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
    }

  private:
    std::string prefix_;
    HKEY root_;
};

struct Entry {
    std::string path;
    const char* name;  // "" for the key's default value
    std::string text;
};

std::string directoryOf(const std::string& path) {
    const auto slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

// Every value registration writes, parents before children.
std::vector<Entry> entries(const std::string& libraryPath, bool withTypeLibrary) {
    const std::string progId = kProgId;
    const std::string classKey = "CLSID\\" + com::guidText(CLSID_Trellis);
    const std::string libraryId = com::guidText(LIBID_Dovetail);
    std::vector<Entry> list = {
        {progId, "", kHelpText},
        {progId + "\\CLSID", "", com::guidText(CLSID_Trellis)},
        {classKey, "", kHelpText},
        {classKey + "\\InprocServer32", "", libraryPath},
        {classKey + "\\InprocServer32", "ThreadingModel", "Apartment"},
        {classKey + "\\ProgID", "", progId},
    };
    if (!withTypeLibrary) return list;
    const std::string libraryKey = "TypeLib\\" + libraryId + "\\" + kTypeLibraryVersion;
    list.insert(list.end(), {
                                {classKey + "\\TypeLib", "", libraryId},
                                {classKey + "\\Version", "", kTypeLibraryVersion},
                                {libraryKey, "", kHelpText},
                                {libraryKey + "\\0", "", ""},
                                {libraryKey + "\\0\\win64", "", libraryPath},
                                {libraryKey + "\\FLAGS", "", "0"},
                                {libraryKey + "\\HELPDIR", "", directoryOf(libraryPath)},
                            });
    for (const auto& [iid, name] :
         {std::pair{IID__Trellis, "_Trellis"}, std::pair{DIID___Trellis, "__Trellis"}}) {
        const std::string interfaceKey = "Interface\\" + com::guidText(iid);
        list.insert(list.end(),
                    {
                        {interfaceKey, "", name},
                        {interfaceKey + "\\ProxyStubClsid32", "", kAutomationMarshaller},
                        {interfaceKey + "\\TypeLib", "", libraryId},
                        {interfaceKey + "\\TypeLib", "Version", kTypeLibraryVersion},
                    });
    }
    return list;
}

}  // namespace

HRESULT registerClass(const std::string& libraryPath, RegistrationScope scope,
                      bool withTypeLibrary) {
    const ClassesRoot classes(scope);
    for (const Entry& e : entries(libraryPath, withTypeLibrary)) {
        if (!classes.write(e.path, e.name, e.text)) {
            unregisterClass(scope, withTypeLibrary);
            return SELFREG_E_CLASS;
        }
    }
    return S_OK;
}

HRESULT unregisterClass(RegistrationScope scope, bool withTypeLibrary) {
    const ClassesRoot classes(scope);
    const std::vector<Entry> list = entries("", withTypeLibrary);
    bool ok = true;
    // Children before parents; a key listed twice goes at its first removal.
    for (auto it = list.rbegin(); it != list.rend(); ++it) ok = classes.remove(it->path) && ok;
    // The library's own key, whose versions were removed above.
    if (withTypeLibrary) ok = classes.remove("TypeLib\\" + com::guidText(LIBID_Dovetail)) && ok;
    return ok ? S_OK : SELFREG_E_CLASS;
}

RegistrationScope scopeFromCommandLine(LPCOLESTR commandLine) {
    static constexpr char16_t kUser[] = u"user";
    if (commandLine == nullptr) return RegistrationScope::Machine;
    std::size_t i = 0;
    for (; kUser[i] != 0; ++i) {
        const auto c = static_cast<char16_t>(commandLine[i]);
        if ((c >= u'A' && c <= u'Z' ? c + 32 : c) != kUser[i]) return RegistrationScope::Machine;
    }
    return commandLine[i] == 0 ? RegistrationScope::User : RegistrationScope::Machine;
}

}  // namespace trellis
