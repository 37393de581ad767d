#include "trellis/host/automation_host.h"

#include <dlfcn.h>

#include <cstdio>
#include <map>
#include <mutex>

#include "common/result.h"
#include "messages/store_messages.h"
#include "platform/com/com_interfaces.h"
#include "platform/registry/advapi32.h"
#include "trellis/com/com_ptr.h"
#include "trellis/com/trellis_guids.h"
#include "trellis/control/notifier.h"
#include "trellis/host/automation_object_impl.h"

namespace trellis::host {
namespace {

using GetClassObjectFunction = HRESULT (*)(REFCLSID, REFIID, void**);
using ServerFunction = HRESULT (*)();

std::string hresultText(HRESULT hr) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%08X", static_cast<unsigned>(hr));
    return buffer;
}

// Libraries stay loaded for the life of the process, as COM keeps them.
struct LoadedLibraries {
    std::mutex mutex;
    std::map<std::string, void*> handles;
    MessageHandler messageHandler;
};
LoadedLibraries& libraries() {
    static LoadedLibraries loaded;
    return loaded;
}

void forwardMessage(const char* text, const char* title, std::uint32_t flags, void* /*context*/) {
    MessageHandler handler;
    {
        std::lock_guard lock(libraries().mutex);
        handler = libraries().messageHandler;
    }
    if (handler) handler(text ? text : "", title ? title : "", flags);
}

void installNotifier(void* handle, bool haveHandler) {
    auto setter = reinterpret_cast<TrellisSetNotifierFunction>(dlsym(handle, "TrellisSetNotifier"));
    if (setter) setter(haveHandler ? &forwardMessage : nullptr, nullptr);
}

using pointilla::HostFailure;
using Kind = HostFailure::Kind;

pointilla::Result<void*, HostFailure> loadLibrary(const std::filesystem::path& path) {
    std::lock_guard lock(libraries().mutex);
    const std::string key = path.string();
    if (auto it = libraries().handles.find(key); it != libraries().handles.end()) return it->second;
    void* handle = dlopen(key.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* why = dlerror();
        return pointilla::fail(HostFailure{Kind::LibraryNotLoaded, key, why ? why : "dlopen"});
    }
    libraries().handles.emplace(key, handle);
    installNotifier(handle, static_cast<bool>(libraries().messageHandler));
    return handle;
}

// Reads a key's default text from HKEY_CLASSES_ROOT: nothing when the key or
// text is missing, or the store's reason when the store itself failed.
pointilla::Result<std::optional<std::string>, HostFailure> classesRootText(
    const std::string& path) {
    const pointilla::registry::FailureWords words;
    const auto storeFailure = [&words](LONG status) -> pointilla::Failure<HostFailure> {
        std::string why = words.latest();
        if (const auto usable = pointilla::registry::storeUsable(); why.empty() && !usable) {
            why = usable.error();
        }
        if (why.empty()) why = pointilla::messages::storeFailedWithStatus(status);
        return pointilla::fail(HostFailure{Kind::StoreFailed, {}, std::move(why)});
    };
    HKEY key = nullptr;
    const LONG opened = RegOpenKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key);
    if (opened == ERROR_FILE_NOT_FOUND) return std::optional<std::string>();
    if (opened != ERROR_SUCCESS) return storeFailure(opened);
    DWORD type = 0;
    DWORD size = 0;
    LONG status = RegQueryValueExA(key, "", nullptr, &type, nullptr, &size);
    std::optional<std::string> text;
    if (status == ERROR_SUCCESS && type == REG_SZ) {
        std::string buffer(size, '\0');
        status = RegQueryValueExA(key, "", nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()),
                                  &size);
        if (status == ERROR_SUCCESS) {
            buffer.resize(size);
            if (auto zero = buffer.find('\0'); zero != std::string::npos) buffer.resize(zero);
            text = buffer;
        }
    }
    RegCloseKey(key);
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) return storeFailure(status);
    return text;
}

}  // namespace

CreatedObject createObject(std::string_view progId) {
    using pointilla::fail;
    const std::string id(progId);
    const auto registered = classesRootText(id + "\\CLSID");
    if (!registered) return fail(registered.error());
    const auto& clsidText = *registered;
    if (!clsidText) return fail(HostFailure{Kind::NotRegistered, id, {}});
    const auto clsid = com::parseGuid(*clsidText);
    if (!clsid) return fail(HostFailure{Kind::MalformedRegistration, id, {}});
    const auto server = classesRootText("CLSID\\" + *clsidText + "\\InprocServer32");
    if (!server) return fail(server.error());
    const auto& library = *server;
    if (!library || library->empty()) {
        return fail(HostFailure{Kind::NoServer, *clsidText, {}});
    }
    const auto handle = loadLibrary(*library);
    if (!handle) return fail(handle.error());
    auto getClassObject =
        reinterpret_cast<GetClassObjectFunction>(dlsym(*handle, "DllGetClassObject"));
    if (getClassObject == nullptr) {
        return fail(HostFailure{Kind::EntryMissing, *library, "DllGetClassObject"});
    }
    com::ComPtr<IClassFactory> factory;
    HRESULT hr = getClassObject(*clsid, IID_IClassFactory, factory.putVoid());
    if (FAILED(hr)) {
        return fail(HostFailure{Kind::EntryFailed, "DllGetClassObject", hresultText(hr)});
    }
    com::ComPtr<IDispatch> dispatch;
    hr = factory->CreateInstance(nullptr, IID_IDispatch, dispatch.putVoid());
    if (FAILED(hr)) return fail(HostFailure{Kind::CreationFailed, id, hresultText(hr)});
    auto impl = std::make_unique<AutomationObject::Impl>();
    impl->dispatch = std::move(dispatch);
    return std::make_unique<AutomationObject>(std::move(impl));
}

namespace {
pointilla::Status<HostFailure> callServerEntry(const std::filesystem::path& library,
                                               const char* entry) {
    std::error_code ec;
    const auto absolute = std::filesystem::absolute(library, ec);
    const auto handle = loadLibrary(ec ? library : absolute.lexically_normal());
    if (!handle) return pointilla::fail(handle.error());
    auto function = reinterpret_cast<ServerFunction>(dlsym(*handle, entry));
    if (function == nullptr) {
        return pointilla::fail(HostFailure{Kind::EntryMissing, library.string(), entry});
    }
    const HRESULT hr = function();
    if (FAILED(hr)) {
        // The library's store says why better than a registration code can.
        const std::string why = takeControlStoreFailure();
        return pointilla::fail(
            HostFailure{Kind::EntryFailed, entry, why.empty() ? hresultText(hr) : why});
    }
    return {};
}
}  // namespace

std::string takeControlStoreFailure() {
    using TakeFunction = void (*)(char*, std::uint32_t);
    std::lock_guard lock(libraries().mutex);
    for (auto& [path, handle] : libraries().handles) {
        auto take = reinterpret_cast<TakeFunction>(dlsym(handle, "TrellisTakeStoreFailure"));
        if (take == nullptr) continue;
        char why[1024] = {};
        take(why, sizeof why);
        if (why[0] != '\0') return why;
    }
    return {};
}

pointilla::Status<HostFailure> registerServer(const std::filesystem::path& library) {
    return callServerEntry(library, "DllRegisterServer");
}

pointilla::Status<HostFailure> unregisterServer(const std::filesystem::path& library) {
    return callServerEntry(library, "DllUnregisterServer");
}

std::filesystem::path defaultLibraryBeside(const std::filesystem::path& executable) {
    return (executable.parent_path() / ".." / "lib" / "pointilla" / "libtrellis.so")
        .lexically_normal();
}

void setMessageHandler(MessageHandler handler) {
    std::lock_guard lock(libraries().mutex);
    libraries().messageHandler = std::move(handler);
    const bool have = static_cast<bool>(libraries().messageHandler);
    for (auto& [path, handle] : libraries().handles) installNotifier(handle, have);
}

}  // namespace trellis::host
