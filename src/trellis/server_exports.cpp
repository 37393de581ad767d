// The four entry points of an in-process COM server, with C linkage, and the
// class factory behind DllGetClassObject.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>
#include <string>

#include "trellis/com/com_interfaces.h"
#include "trellis/com/trellis_guids.h"
#include "trellis/library_path.h"
#include "trellis/notifier.h"
#include "trellis/server_registration.h"
#include "trellis/trellis_object.h"

namespace trellis {
namespace {

class ClassFactory final : public IClassFactory {
  public:
    STDMETHOD(QueryInterface)(REFIID riid, void** object) override {
        if (object == nullptr) return E_POINTER;
        *object = nullptr;
        if (!(riid == IID_IUnknown || riid == IID_IClassFactory)) return E_NOINTERFACE;
        *object = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    // The factory is static: it lives as long as the library.
    STDMETHOD_(ULONG, AddRef)() override { return 2; }
    STDMETHOD_(ULONG, Release)() override { return 1; }

    STDMETHOD(CreateInstance)(IUnknown* outer, REFIID riid, void** object) override {
        if (object == nullptr) return E_POINTER;
        *object = nullptr;
        if (outer != nullptr) return CLASS_E_NOAGGREGATION;
        auto* created = new (std::nothrow) TrellisObject();
        if (created == nullptr) return E_OUTOFMEMORY;
        const HRESULT hr = created->QueryInterface(riid, object);
        created->Release();  // the caller holds the only reference, or none on failure
        return hr;
    }
    STDMETHOD(LockServer)(BOOL lock) override {
        if (lock) {
            ++liveObjectCount();
        } else {
            --liveObjectCount();
        }
        return S_OK;
    }
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
    return trellis::registerClass(path);
}

STDAPI DllUnregisterServer() { return trellis::unregisterClass(); }

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
