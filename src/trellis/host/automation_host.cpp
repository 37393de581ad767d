#include "trellis/host/automation_host.h"

#include <dlfcn.h>

#include <cstdio>
#include <map>
#include <mutex>

#include "common/result.h"
#include "platform/registry/advapi32.h"
#include "trellis/com/com_interfaces.h"
#include "trellis/com/com_object.h"
#include "trellis/com/com_ptr.h"
#include "trellis/com/himetric.h"
#include "trellis/com/oleaut.h"
#include "trellis/com/trellis_guids.h"
#include "trellis/notifier.h"

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

void* loadLibrary(const std::filesystem::path& path, std::string* error) {
    std::lock_guard lock(libraries().mutex);
    const std::string key = path.string();
    if (auto it = libraries().handles.find(key); it != libraries().handles.end()) return it->second;
    void* handle = dlopen(key.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* why = dlerror();
        *error = "cannot load " + key + ": " + (why ? why : "unknown reason");
        return nullptr;
    }
    libraries().handles.emplace(key, handle);
    installNotifier(handle, static_cast<bool>(libraries().messageHandler));
    return handle;
}

// Reads a key's default text from HKEY_CLASSES_ROOT: nothing when the key or
// text is missing, or the store's reason when the store itself failed.
pointilla::Result<std::optional<std::string>, std::string> classesRootText(
    const std::string& path) {
    const auto storeFailure = [](LONG status) -> pointilla::Failure<std::string> {
        std::string why = pointilla::registry::takeStoreFailure();
        if (why.empty()) why = pointilla::registry::storeError();
        if (why.empty()) why = "the registry store failed with status " + std::to_string(status);
        return pointilla::fail(std::move(why));
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

VARIANT toVariant(const Value& value) {
    VARIANT v;
    VariantInit(&v);
    if (const auto* text = std::get_if<std::string>(&value)) {
        v.vt = VT_BSTR;
        v.bstrVal = com::bstrFromUtf8(*text);
    } else if (const auto* i2 = std::get_if<std::int16_t>(&value)) {
        v.vt = VT_I2;
        v.iVal = *i2;
    } else if (const auto* i4 = std::get_if<std::int32_t>(&value)) {
        v.vt = VT_I4;
        v.lVal = *i4;
    } else if (const auto* b = std::get_if<bool>(&value)) {
        v.vt = VT_BOOL;
        v.boolVal = *b ? VARIANT_TRUE : VARIANT_FALSE;
    }
    return v;
}

Value fromVariant(const VARIANT& v) {
    switch (v.vt) {
        case VT_BSTR:
            return com::utf8FromBstr(v.bstrVal);
        case VT_I2:
            return static_cast<std::int16_t>(v.iVal);
        case VT_I4:
        case VT_INT:
            return static_cast<std::int32_t>(v.lVal);
        case VT_BOOL:
            return v.boolVal != VARIANT_FALSE;
        default:
            return std::monostate{};
    }
}

// The host's sink for the control's events.
class EventSink final : public com::DispatchObject {
  public:
    using Handler = std::function<void(std::int32_t, const std::vector<Value>&)>;
    explicit EventSink(Handler handler)
        : DispatchObject(DIID___Trellis), handler_(std::move(handler)) {}

    STDMETHOD(Invoke)
    (DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) override {
        std::vector<Value> args;
        if (params != nullptr) {
            for (UINT i = params->cArgs; i > 0; --i)
                args.push_back(fromVariant(params->rgvarg[i - 1]));
        }
        if (handler_) handler_(id, args);
        return S_OK;
    }

  private:
    Handler handler_;
};

}  // namespace

struct AutomationObject::Impl {
    com::ComPtr<IDispatch> dispatch;
    com::ComPtr<IConnectionPoint> eventPoint;
    DWORD cookie = 0;

    ~Impl() { disconnect(); }
    void disconnect() {
        if (eventPoint && cookie) eventPoint->Unadvise(cookie);
        eventPoint.reset();
        cookie = 0;
    }
    std::optional<Value> invoke(DISPID id, WORD flags, const std::vector<Value>& args, bool named) {
        std::vector<VARIANT> reversed;
        reversed.reserve(args.size());
        for (auto it = args.rbegin(); it != args.rend(); ++it) reversed.push_back(toVariant(*it));
        DISPID putId = DISPID_PROPERTYPUT;
        DISPPARAMS params{reversed.empty() ? nullptr : reversed.data(), named ? &putId : nullptr,
                          static_cast<UINT>(reversed.size()), named ? 1u : 0u};
        VARIANT result;
        VariantInit(&result);
        UINT argError = 0;
        const HRESULT hr =
            dispatch->Invoke(id, IID_NULL, 0, flags, &params, &result, nullptr, &argError);
        for (auto& v : reversed) VariantClear(&v);
        if (FAILED(hr)) return std::nullopt;
        Value value = fromVariant(result);
        VariantClear(&result);
        return value;
    }
};

AutomationObject::AutomationObject(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
AutomationObject::~AutomationObject() = default;

bool AutomationObject::putProperty(std::int32_t dispId, const Value& value) {
    return impl_->invoke(dispId, DISPATCH_PROPERTYPUT, {value}, true).has_value();
}

std::optional<Value> AutomationObject::getProperty(std::int32_t dispId) {
    return impl_->invoke(dispId, DISPATCH_PROPERTYGET, {}, false);
}

std::optional<Value> AutomationObject::call(std::int32_t dispId, const std::vector<Value>& args) {
    return impl_->invoke(dispId, DISPATCH_METHOD, args, false);
}

std::optional<std::int32_t> AutomationObject::dispIdOf(std::string_view memberName) {
    std::u16string name = com::utf16FromUtf8(memberName);
    LPOLESTR names[1] = {name.data()};
    DISPID id = DISPID_UNKNOWN;
    if (FAILED(impl_->dispatch->GetIDsOfNames(IID_NULL, names, 1, 0, &id))) return std::nullopt;
    return id;
}

void AutomationObject::setEventHandler(
    std::function<void(std::int32_t dispId, const std::vector<Value>& args)> handler) {
    impl_->disconnect();
    if (!handler) return;
    const auto container =
        impl_->dispatch.query<IConnectionPointContainer>(IID_IConnectionPointContainer);
    com::ComPtr<IConnectionPoint> point;
    if (!container || FAILED(container->FindConnectionPoint(DIID___Trellis, point.put()))) return;
    const auto sink = com::ComPtr<EventSink>::adopt(new EventSink(std::move(handler)));
    DWORD cookie = 0;
    if (SUCCEEDED(point->Advise(sink.get(), &cookie))) {
        impl_->eventPoint = std::move(point);
        impl_->cookie = cookie;
    }
}

std::optional<std::pair<std::int32_t, std::int32_t>> AutomationObject::resizeTwips(
    std::int32_t width, std::int32_t height) {
    const auto ole = impl_->dispatch.query<IOleObject>(IID_IOleObject);
    if (!ole) return std::nullopt;
    SIZEL asked{com::himetricFromTwips(width), com::himetricFromTwips(height)};
    SIZEL kept{0, 0};
    const bool ok = SUCCEEDED(ole->SetExtent(DVASPECT_CONTENT, &asked)) &&
                    SUCCEEDED(ole->GetExtent(DVASPECT_CONTENT, &kept));
    if (!ok) return std::nullopt;
    return std::make_pair(com::twipsFromHimetric(kept.cx), com::twipsFromHimetric(kept.cy));
}

CreateResult createObject(std::string_view progId) {
    CreateResult out;
    const std::string id(progId);
    pointilla::registry::takeStoreFailure();  // an earlier call's reason is not ours
    const auto registered = classesRootText(id + "\\CLSID");
    if (!registered) {
        out.error = registered.error();
        return out;
    }
    const auto& clsidText = *registered;
    if (!clsidText) {
        out.error = "the class " + id + " is not registered (run: trellis register)";
        return out;
    }
    GUID clsid{};
    if (!com::parseGuid(*clsidText, &clsid)) {
        out.error = "the registration of " + id + " holds a malformed class identifier";
        return out;
    }
    const auto server = classesRootText("CLSID\\" + *clsidText + "\\InprocServer32");
    if (!server) {
        out.error = server.error();
        return out;
    }
    const auto& library = *server;
    if (!library || library->empty()) {
        out.error = "the class " + *clsidText + " names no in-process server";
        return out;
    }
    void* handle = loadLibrary(*library, &out.error);
    if (handle == nullptr) return out;
    auto getClassObject =
        reinterpret_cast<GetClassObjectFunction>(dlsym(handle, "DllGetClassObject"));
    if (getClassObject == nullptr) {
        out.error = *library + " does not export DllGetClassObject";
        return out;
    }
    com::ComPtr<IClassFactory> factory;
    HRESULT hr = getClassObject(clsid, IID_IClassFactory, factory.putVoid());
    if (FAILED(hr)) {
        out.error = "DllGetClassObject failed with " + hresultText(hr);
        return out;
    }
    com::ComPtr<IDispatch> dispatch;
    hr = factory->CreateInstance(nullptr, IID_IDispatch, dispatch.putVoid());
    if (FAILED(hr)) {
        out.error = "the class factory failed with " + hresultText(hr);
        return out;
    }
    auto impl = std::make_unique<AutomationObject::Impl>();
    impl->dispatch = std::move(dispatch);
    out.object = std::make_unique<AutomationObject>(std::move(impl));
    return out;
}

namespace {
std::string callServerEntry(const std::filesystem::path& library, const char* entry) {
    std::error_code ec;
    const auto absolute = std::filesystem::absolute(library, ec);
    std::string error;
    void* handle = loadLibrary(ec ? library : absolute.lexically_normal(), &error);
    if (handle == nullptr) return error;
    auto function = reinterpret_cast<ServerFunction>(dlsym(handle, entry));
    if (function == nullptr) return library.string() + " does not export " + entry;
    const HRESULT hr = function();
    if (FAILED(hr)) {
        // The library's store says why better than a registration code can.
        const std::string why = takeControlStoreFailure();
        return std::string(entry) + " failed" +
               (why.empty() ? " with " + hresultText(hr) : ": " + why);
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

std::string registerServer(const std::filesystem::path& library) {
    return callServerEntry(library, "DllRegisterServer");
}

std::string unregisterServer(const std::filesystem::path& library) {
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
