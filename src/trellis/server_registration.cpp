#include "trellis/server_registration.h"

#include "platform/registry/advapi32.h"
#include "trellis/com/trellis_guids.h"
#include "trellis/host/trellis_dispids.h"
#include "trellis/registry_key.h"

namespace trellis {
namespace {

bool setDefaultText(HKEY key, const char* name, const std::string& text) {
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.data()),
                          static_cast<DWORD>(text.size())) == ERROR_SUCCESS;
}

bool writeKey(const std::string& path, const std::string& defaultText) {
    RegistryKey key;
    if (RegCreateKeyA(HKEY_CLASSES_ROOT, path.c_str(), key.out()) != ERROR_SUCCESS) return false;
    return setDefaultText(key.get(), "", defaultText);
}

// Deletes a key we created; a key someone else filled with sub-keys stays.
bool removeKey(const std::string& path) {
    const LONG status = RegDeleteKeyA(HKEY_CLASSES_ROOT, path.c_str());
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

std::string classKey() { return "CLSID\\" + com::guidText(CLSID_Trellis); }

}  // namespace

HRESULT registerClass(const std::string& libraryPath) {
    const std::string clsid = com::guidText(CLSID_Trellis);
    const std::string progId = kProgId;
    bool ok = writeKey(progId, kHelpText) && writeKey(progId + "\\CLSID", clsid) &&
              writeKey(classKey(), kHelpText) &&
              writeKey(classKey() + "\\InprocServer32", libraryPath) &&
              writeKey(classKey() + "\\ProgID", progId);
    if (ok) {
        RegistryKey server;
        ok = RegOpenKeyExA(HKEY_CLASSES_ROOT, (classKey() + "\\InprocServer32").c_str(), 0,
                           KEY_WRITE, server.out()) == ERROR_SUCCESS &&
             setDefaultText(server.get(), "ThreadingModel", "Apartment");
    }
    return ok ? S_OK : SELFREG_E_CLASS;
}

HRESULT unregisterClass() {
    const std::string progId = kProgId;
    bool ok = removeKey(classKey() + "\\InprocServer32");
    ok = removeKey(classKey() + "\\ProgID") && ok;
    ok = removeKey(classKey()) && ok;
    ok = removeKey(progId + "\\CLSID") && ok;
    ok = removeKey(progId) && ok;
    return ok ? S_OK : SELFREG_E_CLASS;
}

}  // namespace trellis
