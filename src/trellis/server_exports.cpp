// The four entry points of an in-process COM server, with C linkage, and the
// class factory behind DllGetClassObject.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>
#include <string>

#include "trellis/com/com_object.h"
#include "trellis/com/com_ptr.h"
#include "trellis/com/trellis_guids.h"
#include "trellis/library_path.h"
#include "trellis/notifier.h"
#include "trellis/server_registration.h"
#include "trellis/trellis_object.h"

namespace trellis {
namespace {

class ClassFactory final : public com::ComObject<IClassFactory> {
  public:
    ClassFactory() : ComObject({IID_IClassFactory}) {}

    STDMETHOD(CreateInstance)(IUnknown* outer, REFIID riid, void** object) override {
        if (object == nullptr) return E_POINTER;
        *object = nullptr;
        if (outer != nullptr) return CLASS_E_NOAGGREGATION;
        auto* created = new (std::nothrow) TrellisObject();
        if (created == nullptr) return E_OUTOFMEMORY;
        // The caller holds the only reference, or none on failure.
        const auto owner = com::ComPtr<IDispatch>::adopt(created);
        return owner->QueryInterface(riid, object);
    }
    STDMETHOD(LockServer)(BOOL lock) override {
        if (lock) {
            ++liveObjectCount();
        } else {
            --liveObjectCount();
        }
        return S_OK;
    }

  private:
    void lastReleased() override {}  // static: it lives as long as the library
};

ClassFactory theFactory;

}  // namespace
}  // namespace trellis

STDAPI DllGetClassObject(REFCLSID clsid, REFIID riid, void** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (!(clsid == CLSID_Trellis)) return CLASS_E_CLASSNOTAVAILABLE;
    return trellis::theFactory.QueryInterface(riid, object);
}

STDAPI DllCanUnloadNow() { return trellis::liveObjectCount() == 0 ? S_OK : S_FALSE; }

STDAPI DllRegisterServer() {
    const std::string path = trellis::thisLibraryPath();
    if (path.empty()) return SELFREG_E_CLASS;
    return trellis::registerClass(path, trellis::RegistrationScope::Machine,
                                  trellis::kLibraryHasTypeLibrary);
}

STDAPI DllUnregisterServer() {
    return trellis::unregisterClass(trellis::RegistrationScope::Machine,
                                    trellis::kLibraryHasTypeLibrary);
}

// regsvr32 /i:user registers for the current user only (with /n, instead of the
// whole machine), so that a user without administrator rights can register it.
STDAPI DllInstall(BOOL install, LPCOLESTR commandLine) {
    const trellis::RegistrationScope scope = trellis::scopeFromCommandLine(commandLine);
    if (!install) return trellis::unregisterClass(scope, trellis::kLibraryHasTypeLibrary);
    const std::string path = trellis::thisLibraryPath();
    if (path.empty()) return SELFREG_E_CLASS;
    return trellis::registerClass(path, scope, trellis::kLibraryHasTypeLibrary);
}

STDAPI_(void) TrellisSetNotifier(TrellisNotifierCallback callback, void* context) {
    if (callback == nullptr) {
        trellis::setNotifier({});
        return;
    }
    trellis::setNotifier([callback, context](const std::string& text, const std::string& title,
                                             std::uint32_t flags) {
        callback(text.c_str(), title.c_str(), flags, context);
    });
}

#ifndef _WIN32
#include "platform/registry/advapi32.h"

// The store's own reason for the last failed registry call of the library
// (busy, read-only, damaged...), "" when none, cut to fit buffer; taking it
// clears it. Hosts tell their user why instead of guessing.
STDAPI_(void) TrellisTakeStoreFailure(char* buffer, std::uint32_t size) {
    if (buffer == nullptr || size == 0) return;
    const std::string why = pointilla::registry::takeStoreFailure();
    const std::size_t length = std::min<std::size_t>(why.size(), size - 1);
    std::memcpy(buffer, why.data(), length);
    buffer[length] = '\0';
}
#endif
