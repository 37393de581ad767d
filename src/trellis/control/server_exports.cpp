// The four entry points of an in-process COM server, with C linkage, and the
// class factory behind DllGetClassObject.

#include <cstdint>
#include <new>
#include <string>

#include "language/language.h"
#include "trellis/com/com_object.h"
#include "trellis/com/com_ptr.h"
#include "trellis/com/trellis_guids.h"
#include "trellis/control/error_info.h"
#include "trellis/control/library_path.h"
#include "trellis/control/notifier.h"
#include "trellis/control/server_registration.h"
#include "trellis/control/trellis_object.h"
#include "trellis/control/type_library.h"

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

// The library has its own copy of the messages (the store's reasons): they
// speak the host's language, decided by the same rule when it is loaded.
const pointilla::language::Language theLanguage = pointilla::language::settleInterfaceLanguage();

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
    const trellis::EntryErrorInfo errorInfo;
    const auto path = trellis::thisLibraryPath();
    if (!path) return SELFREG_E_CLASS;
    return trellis::registerClass(*path, trellis::RegistrationScope::Machine,
                                  trellis::libraryHasTypeLibrary());
}

STDAPI DllUnregisterServer() {
    const trellis::EntryErrorInfo errorInfo;
    return trellis::unregisterClass(trellis::RegistrationScope::Machine,
                                    trellis::libraryHasTypeLibrary());
}

// regsvr32 /i:user registers for the current user only (with /n, instead of the
// whole machine), so that a user without administrator rights can register it.
STDAPI DllInstall(BOOL install, LPCOLESTR commandLine) {
    const trellis::EntryErrorInfo errorInfo;
    const trellis::RegistrationScope scope = trellis::scopeFromCommandLine(commandLine);
    if (!install) return trellis::unregisterClass(scope, trellis::libraryHasTypeLibrary());
    const auto path = trellis::thisLibraryPath();
    if (!path) return SELFREG_E_CLASS;
    return trellis::registerClass(*path, scope, trellis::libraryHasTypeLibrary());
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
