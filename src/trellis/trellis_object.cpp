#include "trellis/trellis_object.h"

#include <array>
#include <charconv>
#include <optional>
#include <string>

#include "trellis/com/oleaut.h"
#include "trellis/com/trellis_guids.h"
#include "trellis/host/trellis_dispids.h"

namespace trellis {
namespace {

struct MemberName {
    const char* name;
    DISPID id;
    std::array<const char*, 3> arguments;
};

const std::array<MemberName, 9> kMembers = {{
    {"CurrentKey", dispid::CurrentKey, {"sKeyName", nullptr, nullptr}},
    {"BackupKey", dispid::BackupKey, {"sKeytoBackup", "sBackupDir", "sBackupFile"}},
    {"SetStringVal", dispid::SetStringVal, {"sValueName", "sNewStringValue", nullptr}},
    {"GetStringVal", dispid::GetStringVal, {"ValueName", nullptr, nullptr}},
    {"SetDWORDVal", dispid::SetDWORDVal, {"sValueName", "lNewDWORDValue", nullptr}},
    {"GetDWORDVal", dispid::GetDWORDVal, {"ValueName", nullptr, nullptr}},
    {"KeyExists", dispid::KeyExists, {"sValueName", "lValueType", nullptr}},
    {"DeleteAKey", dispid::DeleteAKey, {"sValueName", nullptr, nullptr}},
    {"CreateAKey", dispid::CreateAKey, {"sNewKeyName", nullptr, nullptr}},
}};

bool sameNameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lowerA = static_cast<char>(a[i] >= 'A' && a[i] <= 'Z' ? a[i] + 32 : a[i]);
        const auto lowerB = static_cast<char>(b[i] >= 'A' && b[i] <= 'Z' ? b[i] + 32 : b[i]);
        if (lowerA != lowerB) return false;
    }
    return true;
}

// The value a variant argument carries, followed through one level of reference.
const VARIANT& dereferenced(const VARIANT& v) {
    if (v.vt == (VT_VARIANT | VT_BYREF) && v.pvarVal != nullptr) return *v.pvarVal;
    return v;
}

std::optional<std::string> textArgument(const VARIANT& arg) {
    const VARIANT& v = dereferenced(arg);
    switch (v.vt) {
        case VT_BSTR:
            return com::utf8FromBstr(v.bstrVal);
        case VT_BSTR | VT_BYREF:
            return v.pbstrVal ? com::utf8FromBstr(*v.pbstrVal) : "";
        case VT_EMPTY:
            return std::string();
        case VT_I2:
            return std::to_string(v.iVal);
        case VT_I4:
            return std::to_string(v.lVal);
        case VT_BOOL:
            return std::string(v.boolVal ? "True" : "False");
        default:
            return std::nullopt;
    }
}

std::optional<LONG> integerArgument(const VARIANT& arg) {
    const VARIANT& v = dereferenced(arg);
    switch (v.vt) {
        case VT_I2:
            return v.iVal;
        case VT_I4:
        case VT_INT:
            return v.lVal;
        case VT_UI1:
            return v.bVal;
        case VT_BOOL:
            return v.boolVal;
        case VT_EMPTY:
            return 0;
        case VT_I2 | VT_BYREF:
            return v.piVal ? std::optional<LONG>(*v.piVal) : std::nullopt;
        case VT_I4 | VT_BYREF:
            return v.plVal ? std::optional<LONG>(*v.plVal) : std::nullopt;
        case VT_BSTR: {
            // A text holding a whole number converts, as late binding would.
            const std::string text = com::utf8FromBstr(v.bstrVal);
            LONG n = 0;
            const auto* end = text.data() + text.size();
            const auto [ptr, ec] = std::from_chars(text.data(), end, n);
            if (ec != std::errc() || ptr != end || text.empty()) return std::nullopt;
            return n;
        }
        default:
            return std::nullopt;
    }
}

void setText(VARIANT* result, const std::string& text) {
    if (result == nullptr) return;
    VariantClear(result);
    result->vt = VT_BSTR;
    result->bstrVal = com::bstrFromUtf8(text);
}
void setBool(VARIANT* result, VARIANT_BOOL value) {
    if (result == nullptr) return;
    VariantClear(result);
    result->vt = VT_BOOL;
    result->boolVal = value;
}
void setLong(VARIANT* result, LONG value) {
    if (result == nullptr) return;
    VariantClear(result);
    result->vt = VT_I4;
    result->lVal = value;
}

// Twips and HIMETRIC (hundredths of a millimetre): 1440 twips and 2540 HIMETRIC an inch.
LONG himetricFromTwips(LONG twips) { return static_cast<LONG>((twips * 2540L + 720) / 1440); }
LONG twipsFromHimetric(LONG himetric) {
    return static_cast<LONG>((himetric * 1440L + 1270) / 2540);
}

}  // namespace

std::atomic<long>& liveObjectCount() {
    static std::atomic<long> count{0};
    return count;
}

TrellisObject::TrellisObject() : events_(*this) {
    ++liveObjectCount();
    control_.onRegError([this](LONG code) { events_.fire(dispid::RegError, code); });
}

TrellisObject::~TrellisObject() {
    events_.releaseAll();
    --liveObjectCount();
}

HRESULT TrellisObject::QueryInterface(REFIID riid, void** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == IID__Trellis) {
        *object = static_cast<IDispatch*>(this);
    } else if (riid == IID_IConnectionPointContainer) {
        *object = static_cast<IConnectionPointContainer*>(this);
    } else if (riid == IID_IOleObject) {
        *object = static_cast<IOleObject*>(this);
    } else {
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG TrellisObject::AddRef() { return ++references_; }

ULONG TrellisObject::Release() {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
}

HRESULT TrellisObject::GetTypeInfoCount(UINT* count) {
    if (count == nullptr) return E_POINTER;
    *count = 0;  // no type library: hosts bind by name or dispatch identifier
    return S_OK;
}

HRESULT TrellisObject::GetTypeInfo(UINT /*index*/, LCID /*lcid*/, ITypeInfo** info) {
    if (info != nullptr) *info = nullptr;
    return E_NOTIMPL;
}

HRESULT TrellisObject::GetIDsOfNames(REFIID /*riid*/, LPOLESTR* names, UINT count, LCID /*lcid*/,
                                     DISPID* ids) {
    if (names == nullptr || ids == nullptr || count == 0) return E_INVALIDARG;
    const MemberName* member = nullptr;
    const std::string wanted = com::utf8FromOleText(names[0]);
    for (const auto& m : kMembers) {
        if (sameNameIgnoringCase(wanted, m.name)) member = &m;
    }
    HRESULT hr = S_OK;
    ids[0] = member ? member->id : DISPID_UNKNOWN;
    if (member == nullptr) hr = DISP_E_UNKNOWNNAME;
    // Further names are argument names: their position in the member's list.
    for (UINT i = 1; i < count; ++i) {
        ids[i] = DISPID_UNKNOWN;
        const std::string argument = com::utf8FromOleText(names[i]);
        for (std::size_t a = 0; member && a < member->arguments.size(); ++a) {
            if (member->arguments[a] && sameNameIgnoringCase(argument, member->arguments[a])) {
                ids[i] = static_cast<DISPID>(a);
            }
        }
        if (ids[i] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
}

HRESULT TrellisObject::Invoke(DISPID id, REFIID riid, LCID /*lcid*/, WORD flags, DISPPARAMS* params,
                              VARIANT* result, EXCEPINFO* /*exception*/, UINT* argError) {
    if (!(riid == IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    if (params == nullptr) params = &none;
    if (result != nullptr) VariantInit(result);
    // Keep the object alive while a RegError handler runs inside the call.
    AddRef();
    const HRESULT hr = invokeMember(id, flags, params, result, argError);
    Release();
    return hr;
}

HRESULT TrellisObject::invokeMember(DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result,
                                    UINT* argError) {
    const UINT count = params->cArgs;
    // Arguments arrive last first.
    const auto arg = [&](UINT position) -> const VARIANT& {
        return params->rgvarg[count - 1 - position];
    };
    const auto text = [&](UINT position, std::string& out) {
        auto value = textArgument(arg(position));
        if (!value) {
            if (argError) *argError = count - 1 - position;
            return false;
        }
        out = std::move(*value);
        return true;
    };
    const auto integer = [&](UINT position, LONG& out) {
        auto value = integerArgument(arg(position));
        if (!value) {
            if (argError) *argError = count - 1 - position;
            return false;
        }
        out = *value;
        return true;
    };
    const bool asMethod = (flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET)) != 0;

    if (id == dispid::CurrentKey) {
        if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
            if (count != 1) return DISP_E_BADPARAMCOUNT;
            std::string key;
            if (!text(0, key)) return DISP_E_TYPEMISMATCH;
            control_.SetCurrentKey(key);
            return S_OK;
        }
        if (flags & DISPATCH_PROPERTYGET) {
            if (count != 0) return DISP_E_BADPARAMCOUNT;
            setText(result, control_.CurrentKey());
            return S_OK;
        }
        return DISP_E_MEMBERNOTFOUND;
    }
    struct Shape {
        DISPID id;
        UINT arguments;
    };
    static constexpr std::array<Shape, 8> kShapes = {{{dispid::BackupKey, 3},
                                                      {dispid::SetStringVal, 2},
                                                      {dispid::GetStringVal, 1},
                                                      {dispid::SetDWORDVal, 2},
                                                      {dispid::GetDWORDVal, 1},
                                                      {dispid::KeyExists, 2},
                                                      {dispid::DeleteAKey, 1},
                                                      {dispid::CreateAKey, 1}}};
    const Shape* shape = nullptr;
    for (const auto& s : kShapes) {
        if (s.id == id) shape = &s;
    }
    if (shape == nullptr || !asMethod) return DISP_E_MEMBERNOTFOUND;
    if (params->cNamedArgs != 0) return DISP_E_NONAMEDARGS;
    if (count != shape->arguments) return DISP_E_BADPARAMCOUNT;

    std::string a, b, c;
    LONG n = 0;
    switch (id) {
        case dispid::BackupKey:
            if (!text(0, a) || !text(1, b) || !text(2, c)) return DISP_E_TYPEMISMATCH;
            setBool(result, control_.BackupKey(a, b, c));
            return S_OK;
        case dispid::SetStringVal:
            if (!text(0, a) || !text(1, b)) return DISP_E_TYPEMISMATCH;
            setBool(result, control_.SetStringVal(a, b));
            return S_OK;
        case dispid::GetStringVal:
            if (!text(0, a)) return DISP_E_TYPEMISMATCH;
            setText(result, control_.GetStringVal(a));
            return S_OK;
        case dispid::SetDWORDVal:
            if (!text(0, a) || !integer(1, n)) return DISP_E_TYPEMISMATCH;
            setBool(result, control_.SetDWORDVal(a, n));
            return S_OK;
        case dispid::GetDWORDVal:
            if (!text(0, a)) return DISP_E_TYPEMISMATCH;
            setLong(result, control_.GetDWORDVal(a));
            return S_OK;
        case dispid::KeyExists:
            if (!text(0, a) || !integer(1, n)) return DISP_E_TYPEMISMATCH;
            setBool(result, control_.KeyExists(a, n));
            return S_OK;
        case dispid::DeleteAKey:
            if (!text(0, a)) return DISP_E_TYPEMISMATCH;
            setBool(result, control_.DeleteAKey(a));
            return S_OK;
        case dispid::CreateAKey:
            if (!text(0, a)) return DISP_E_TYPEMISMATCH;
            setBool(result, control_.CreateAKey(a));
            return S_OK;
        default:
            return DISP_E_MEMBERNOTFOUND;
    }
}

HRESULT TrellisObject::EnumConnectionPoints(IEnumConnectionPoints** points) {
    if (points != nullptr) *points = nullptr;
    return E_NOTIMPL;
}

HRESULT TrellisObject::FindConnectionPoint(REFIID riid, IConnectionPoint** point) {
    if (point == nullptr) return E_POINTER;
    *point = nullptr;
    if (!(riid == DIID___Trellis)) return CONNECT_E_NOCONNECTION;
    *point = &events_;
    events_.AddRef();
    return S_OK;
}

// Sizing: whatever extent the host sets, the control keeps its own.
HRESULT TrellisObject::SetExtent(DWORD drawAspect, SIZEL* size) {
    if (size == nullptr) return E_POINTER;
    if (drawAspect != DVASPECT_CONTENT) return E_FAIL;
    control_.SetSize(twipsFromHimetric(size->cx), twipsFromHimetric(size->cy));
    return S_OK;
}

HRESULT TrellisObject::GetExtent(DWORD drawAspect, SIZEL* size) {
    if (size == nullptr) return E_POINTER;
    if (drawAspect != DVASPECT_CONTENT) return E_FAIL;
    size->cx = himetricFromTwips(control_.Width());
    size->cy = himetricFromTwips(control_.Height());
    return S_OK;
}

HRESULT TrellisObject::GetUserClassID(CLSID* clsid) {
    if (clsid == nullptr) return E_POINTER;
    *clsid = CLSID_Trellis;
    return S_OK;
}

HRESULT TrellisObject::Close(DWORD /*saveOption*/) { return S_OK; }
HRESULT TrellisObject::SetClientSite(IOleClientSite* /*site*/) { return S_OK; }
HRESULT TrellisObject::GetClientSite(IOleClientSite** site) {
    if (site == nullptr) return E_POINTER;
    *site = nullptr;
    return S_OK;
}
HRESULT TrellisObject::SetHostNames(LPCOLESTR, LPCOLESTR) { return S_OK; }
HRESULT TrellisObject::SetMoniker(DWORD, IMoniker*) { return E_NOTIMPL; }
HRESULT TrellisObject::GetMoniker(DWORD, DWORD, IMoniker**) { return E_NOTIMPL; }
HRESULT TrellisObject::InitFromData(IDataObject*, BOOL, DWORD) { return E_NOTIMPL; }
HRESULT TrellisObject::GetClipboardData(DWORD, IDataObject**) { return E_NOTIMPL; }
HRESULT TrellisObject::DoVerb(LONG, LPMSG, IOleClientSite*, LONG, HWND, LPCRECT) {
    return S_OK;  // nothing to show: the control has no user interface of its own
}
HRESULT TrellisObject::EnumVerbs(IEnumOLEVERB**) { return E_NOTIMPL; }
HRESULT TrellisObject::Update() { return S_OK; }
HRESULT TrellisObject::IsUpToDate() { return S_OK; }
HRESULT TrellisObject::GetUserType(DWORD, LPOLESTR*) { return E_NOTIMPL; }
HRESULT TrellisObject::Advise(IAdviseSink*, DWORD*) { return E_NOTIMPL; }
HRESULT TrellisObject::Unadvise(DWORD) { return E_NOTIMPL; }
HRESULT TrellisObject::EnumAdvise(IEnumSTATDATA**) { return E_NOTIMPL; }
HRESULT TrellisObject::GetMiscStatus(DWORD, DWORD* status) {
    if (status == nullptr) return E_POINTER;
    *status = 0;
    return S_OK;
}
HRESULT TrellisObject::SetColorScheme(LOGPALETTE*) { return E_NOTIMPL; }

HRESULT TrellisObject::EventPoint::QueryInterface(REFIID riid, void** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (riid == IID_IUnknown || riid == IID_IConnectionPoint) {
        *object = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }
    return E_NOINTERFACE;
}

HRESULT TrellisObject::EventPoint::GetConnectionInterface(IID* iid) {
    if (iid == nullptr) return E_POINTER;
    *iid = DIID___Trellis;
    return S_OK;
}

HRESULT TrellisObject::EventPoint::GetConnectionPointContainer(
    IConnectionPointContainer** container) {
    if (container == nullptr) return E_POINTER;
    *container = static_cast<IConnectionPointContainer*>(&owner_);
    owner_.AddRef();
    return S_OK;
}

HRESULT TrellisObject::EventPoint::Advise(IUnknown* sink, DWORD* cookie) {
    if (sink == nullptr || cookie == nullptr) return E_POINTER;
    void* dispatch = nullptr;
    if (FAILED(sink->QueryInterface(DIID___Trellis, &dispatch)) &&
        FAILED(sink->QueryInterface(IID_IDispatch, &dispatch))) {
        return CONNECT_E_CANNOTCONNECT;
    }
    *cookie = nextCookie_++;
    sinks_.push_back({*cookie, static_cast<IDispatch*>(dispatch)});
    return S_OK;
}

HRESULT TrellisObject::EventPoint::Unadvise(DWORD cookie) {
    for (auto it = sinks_.begin(); it != sinks_.end(); ++it) {
        if (it->cookie == cookie) {
            IDispatch* sink = it->sink;
            sinks_.erase(it);
            sink->Release();
            return S_OK;
        }
    }
    return CONNECT_E_NOCONNECTION;
}

HRESULT TrellisObject::EventPoint::EnumConnections(IEnumConnections** connections) {
    if (connections != nullptr) *connections = nullptr;
    return E_NOTIMPL;
}

void TrellisObject::EventPoint::fire(DISPID id, LONG argument) {
    // A sink may unadvise while it handles the event: work on a held copy.
    std::vector<Sink> sinks = sinks_;
    for (auto& s : sinks) s.sink->AddRef();
    for (auto& s : sinks) {
        VARIANT arg;
        VariantInit(&arg);
        arg.vt = VT_I4;
        arg.lVal = argument;
        DISPPARAMS params{&arg, nullptr, 1, 0};
        s.sink->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
    }
    for (auto& s : sinks) s.sink->Release();
}

void TrellisObject::EventPoint::releaseAll() {
    std::vector<Sink> sinks;
    sinks.swap(sinks_);
    for (auto& s : sinks) s.sink->Release();
}

}  // namespace trellis
