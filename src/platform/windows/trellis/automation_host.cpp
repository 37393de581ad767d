// Windows side of the host: the control is created through COM itself
// (CLSIDFromProgID, CoCreateInstance), and the library registers itself for the
// current user through its DllInstall entry point.

#include "trellis/host/automation_host.h"

#include <cstdio>
#include <memory>
#include <mutex>
#include <type_traits>

#include "platform/com/com_interfaces.h"
#include "trellis/com/com_ptr.h"
#include "trellis/com/oleaut.h"
#include "trellis/control/notifier.h"
#include "trellis/host/automation_object_impl.h"

namespace trellis::host {
namespace {

using InstallFunction = HRESULT(STDAPICALLTYPE*)(BOOL, LPCWSTR);

std::string hresultText(HRESULT hr) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%08lX", static_cast<unsigned long>(hr));
    return buffer;
}

// The library module a loaded control lives in, found by its file name: COM
// loads it from wherever its registration points.
constexpr const wchar_t* kLibraryName = L"Trellis.dll";

struct Notifier {
    std::mutex mutex;
    MessageHandler handler;
};

Notifier& notifier() {
    static Notifier shared;
    return shared;
}

void forwardMessage(const char* text, const char* title, std::uint32_t flags, void* /*context*/) {
    MessageHandler handler;
    {
        std::lock_guard lock(notifier().mutex);
        handler = notifier().handler;
    }
    if (handler) handler(text ? text : "", title ? title : "", flags);
}

// Without a handler the library shows its own message boxes, as on any Windows host.
void installNotifier(HMODULE module) {
    if (module == nullptr) return;
    auto setter = reinterpret_cast<TrellisSetNotifierFunction>(
        reinterpret_cast<void*>(GetProcAddress(module, "TrellisSetNotifier")));
    if (setter == nullptr) return;
    std::lock_guard lock(notifier().mutex);
    setter(notifier().handler ? &forwardMessage : nullptr, nullptr);
}

// Every thread that creates a control joins a single-threaded apartment for the
// life of the thread (the window's thread already has one: CoInitializeEx then
// only counts it once more), and leaves it when the thread ends, after the
// objects it created were released.
class Apartment {
  public:
    Apartment() : joined_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~Apartment() {
        if (SUCCEEDED(joined_)) CoUninitialize();
    }
    Apartment(const Apartment&) = delete;
    Apartment& operator=(const Apartment&) = delete;
    // A thread already in the multithreaded apartment can create the control too.
    bool usable() const { return SUCCEEDED(joined_) || joined_ == RPC_E_CHANGED_MODE; }

  private:
    HRESULT joined_;
};

bool joinApartment() {
    thread_local const Apartment apartment;
    return apartment.usable();
}

// A path in a message: its wide name as UTF-8 (the narrow form would lose or
// refuse what the ANSI code page lacks, as in C:\Users\Hélène).
std::string shown(const std::filesystem::path& path) { return com::utf8FromUtf16(path.native()); }

struct ModuleFree {
    void operator()(HMODULE module) const { FreeLibrary(module); }
};
using LoadedModule = std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleFree>;

using pointilla::HostFailure;
using Kind = HostFailure::Kind;

pointilla::Status<HostFailure> callInstall(const std::filesystem::path& library, bool install) {
    using pointilla::fail;
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(library, ec);
    const std::filesystem::path path = ec ? library : absolute.lexically_normal();
    // Loaded for the call only: COM loads it again by its registration.
    const LoadedModule module(LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
    if (!module) {
        const DWORD error = GetLastError();
        return fail(
            HostFailure{Kind::LibraryNotLoaded, shown(path), "code " + std::to_string(error)});
    }
    auto entry = reinterpret_cast<InstallFunction>(
        reinterpret_cast<void*>(GetProcAddress(module.get(), "DllInstall")));
    if (entry == nullptr) return fail(HostFailure{Kind::EntryMissing, shown(path), "DllInstall"});
    // The entry for the current user: DllInstall(TRUE|FALSE, "user").
    if (const HRESULT hr = entry(install ? TRUE : FALSE, L"user"); FAILED(hr)) {
        return fail(HostFailure{Kind::EntryFailed,
                                install ? "DllInstall(TRUE, user)" : "DllInstall(FALSE, user)",
                                hresultText(hr)});
    }
    return {};
}

}  // namespace

CreatedObject createObject(std::string_view progId) {
    using pointilla::fail;
    const std::string id(progId);
    if (!joinApartment()) return fail(HostFailure{Kind::ComUnavailable, {}, {}});
    const auto wide = com::utf16FromUtf8(id);
    CLSID clsid{};
    HRESULT hr = CLSIDFromProgID(reinterpret_cast<LPCOLESTR>(wide.c_str()), &clsid);
    if (FAILED(hr)) return fail(HostFailure{Kind::NotRegistered, id, hresultText(hr)});
    com::ComPtr<IDispatch> dispatch;
    hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, dispatch.putVoid());
    if (FAILED(hr)) return fail(HostFailure{Kind::CreationFailed, id, hresultText(hr)});
    installNotifier(GetModuleHandleW(kLibraryName));
    auto impl = std::make_unique<AutomationObject::Impl>();
    impl->dispatch = std::move(dispatch);
    return std::make_unique<AutomationObject>(std::move(impl));
}

pointilla::Status<HostFailure> registerServer(const std::filesystem::path& library) {
    return callInstall(library, true);
}

pointilla::Status<HostFailure> unregisterServer(const std::filesystem::path& library) {
    return callInstall(library, false);
}

// The real registry reports through each call's status; the control has no
// store of its own to explain a failure.
std::string takeControlStoreFailure() { return {}; }

std::filesystem::path defaultLibraryBeside(const std::filesystem::path& executable) {
    return executable.parent_path() / kLibraryName;
}

void setMessageHandler(MessageHandler handler) {
    {
        std::lock_guard lock(notifier().mutex);
        notifier().handler = std::move(handler);
    }
    installNotifier(GetModuleHandleW(kLibraryName));
}

}  // namespace trellis::host
