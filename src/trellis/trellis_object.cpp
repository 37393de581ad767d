#include "trellis/trellis_object.h"

#include <string>

#include "trellis/com/himetric.h"
#include "trellis/com/member_table.h"
#include "trellis/com/oleaut.h"
#include "trellis/type_library.h"

namespace trellis {
namespace {

using com::MemberInfo;

// Converts an argument to its declared type as Visual Basic's run time does
// (VariantChangeType, through a by-reference variant). Booleans become "True"
// and "False" as texts.
HRESULT convertArgument(const VARIANT& argument, VARTYPE type, VARIANT* converted) {
    const VARIANT* source = &argument;
    if (source->vt == (VT_VARIANT | VT_BYREF)) {
        if (source->pvarVal == nullptr) return DISP_E_TYPEMISMATCH;
        source = source->pvarVal;
    }
    const HRESULT hr =
        VariantChangeType(converted, const_cast<VARIANT*>(source), VARIANT_ALPHABOOL, type);
    if (SUCCEEDED(hr) || hr == DISP_E_OVERFLOW || hr == E_OUTOFMEMORY) return hr;
    return DISP_E_TYPEMISMATCH;
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

// The arguments of one call, converted to their declared types.
class Arguments {
  public:
    Arguments() {
        for (auto& v : values_) VariantInit(&v);
    }
    ~Arguments() {
        for (auto& v : values_) VariantClear(&v);
    }
    Arguments(const Arguments&) = delete;
    Arguments& operator=(const Arguments&) = delete;

    // Converts every argument before the member runs, so that nothing is done
    // when one of them is refused; argError receives the refused one's index.
    HRESULT convert(const MemberInfo& member, const DISPPARAMS& params, UINT* argError) {
        const UINT count = params.cArgs;
        for (UINT position = 0; position < member.argumentCount; ++position) {
            const UINT index = count - 1 - position;  // arguments arrive last first
            const HRESULT hr = convertArgument(params.rgvarg[index],
                                               member.arguments[position].type, &values_[position]);
            if (FAILED(hr)) {
                if (argError != nullptr) *argError = index;
                return hr;
            }
        }
        return S_OK;
    }
    std::string text(UINT position) const { return com::utf8FromBstr(values_[position].bstrVal); }
    LONG number(UINT position) const { return values_[position].lVal; }

  private:
    VARIANT values_[3];
};

}  // namespace

std::atomic<long>& liveObjectCount() {
    static std::atomic<long> count{0};
    return count;
}

TrellisObject::TrellisObject() : events_(*this) {
    ++liveObjectCount();
    control_.onRegError([this](LONG code) { events_.fire(DISPID_RegError, code); });
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
    } else if (riid == IID_IProvideClassInfo || riid == IID_IProvideClassInfo2) {
        *object = static_cast<IProvideClassInfo2*>(this);
    } else if (riid == IID_IConnectionPointContainer) {
        *object = static_cast<IConnectionPointContainer*>(this);
    } else if (riid == IID_IOleObject) {
        *object = static_cast<IOleObject*>(this);
    } else if (riid == IID_IPersist || riid == IID_IPersistStreamInit) {
        *object = static_cast<IPersistStreamInit*>(this);
    } else if (riid == IID_IPersistPropertyBag) {
        *object = static_cast<IPersistPropertyBag*>(this);
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
    *count = typeInfoOf(IID__Trellis) ? 1 : 0;
    return S_OK;
}

HRESULT TrellisObject::GetTypeInfo(UINT index, LCID /*lcid*/, ITypeInfo** info) {
    if (info == nullptr) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    com::ComPtr<ITypeInfo> found = typeInfoOf(IID__Trellis);
    if (!found) return E_NOTIMPL;
    *info = found.detach();
    return S_OK;
}

HRESULT TrellisObject::GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID /*lcid*/,
                                     DISPID* ids) {
    if (!(riid == IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    return com::idsOfNames(names, count, ids);
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
    const MemberInfo* member = com::findMember(id, flags);
    if (member == nullptr) return DISP_E_MEMBERNOTFOUND;
    // A property put names its one argument DISPID_PROPERTYPUT; methods take none by name.
    const UINT named = member->kind == com::MemberKind::PropertyPut ? params->cNamedArgs : 0;
    if (params->cNamedArgs != named) return DISP_E_NONAMEDARGS;
    if (params->cArgs != member->argumentCount) return DISP_E_BADPARAMCOUNT;
    Arguments args;
    if (const HRESULT hr = args.convert(*member, *params, argError); FAILED(hr)) return hr;

    switch (id) {
        case DISPID_CurrentKey:
            if (member->kind == com::MemberKind::PropertyPut) {
                control_.SetCurrentKey(args.text(0));
            } else {
                setText(result, control_.CurrentKey());
            }
            return S_OK;
        case DISPID_BackupKey:
            setBool(result, control_.BackupKey(args.text(0), args.text(1), args.text(2)));
            return S_OK;
        case DISPID_SetStringVal:
            setBool(result, control_.SetStringVal(args.text(0), args.text(1)));
            return S_OK;
        case DISPID_GetStringVal:
            setText(result, control_.GetStringVal(args.text(0)));
            return S_OK;
        case DISPID_SetDWORDVal:
            setBool(result, control_.SetDWORDVal(args.text(0), args.number(1)));
            return S_OK;
        case DISPID_GetDWORDVal:
            setLong(result, control_.GetDWORDVal(args.text(0)));
            return S_OK;
        case DISPID_KeyExists:
            setBool(result, control_.KeyExists(args.text(0), args.number(1)));
            return S_OK;
        case DISPID_DeleteAKey:
            setBool(result, control_.DeleteAKey(args.text(0)));
            return S_OK;
        case DISPID_CreateAKey:
            setBool(result, control_.CreateAKey(args.text(0)));
            return S_OK;
        default:
            return DISP_E_MEMBERNOTFOUND;
    }
}

HRESULT TrellisObject::GetClassInfo(ITypeInfo** info) {
    if (info == nullptr) return E_POINTER;
    *info = nullptr;
    com::ComPtr<ITypeInfo> found = typeInfoOf(CLSID_Trellis);
    if (!found) return E_NOTIMPL;
    *info = found.detach();
    return S_OK;
}

HRESULT TrellisObject::GetGUID(DWORD kind, GUID* guid) {
    if (guid == nullptr) return E_POINTER;
    if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) {
        *guid = IID_NULL;
        return E_INVALIDARG;
    }
    *guid = DIID___Trellis;
    return S_OK;
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
    control_.SetSize(com::twipsFromHimetric(size->cx), com::twipsFromHimetric(size->cy));
    return S_OK;
}

HRESULT TrellisObject::GetExtent(DWORD drawAspect, SIZEL* size) {
    if (size == nullptr) return E_POINTER;
    if (drawAspect != DVASPECT_CONTENT) return E_FAIL;
    size->cx = com::himetricFromTwips(control_.Width());
    size->cy = com::himetricFromTwips(control_.Height());
    return S_OK;
}

HRESULT TrellisObject::GetUserClassID(CLSID* clsid) { return GetClassID(clsid); }

HRESULT TrellisObject::Close(DWORD /*saveOption*/) {
    clientSite_.reset();  // the site holds us: let go of it so both can go
    return S_OK;
}
HRESULT TrellisObject::SetClientSite(IOleClientSite* site) {
    clientSite_ = com::ComPtr<IOleClientSite>::share(site);
    return S_OK;
}
HRESULT TrellisObject::GetClientSite(IOleClientSite** site) {
    if (site == nullptr) return E_POINTER;
    *site = com::ComPtr<IOleClientSite>(clientSite_).detach();
    return S_OK;
}
HRESULT TrellisObject::SetHostNames(LPCOLESTR, LPCOLESTR) { return S_OK; }
HRESULT TrellisObject::SetMoniker(DWORD, IMoniker*) { return E_NOTIMPL; }
HRESULT TrellisObject::GetMoniker(DWORD, DWORD, IMoniker**) { return E_NOTIMPL; }
HRESULT TrellisObject::InitFromData(IDataObject*, BOOL, DWORD) { return E_NOTIMPL; }
HRESULT TrellisObject::GetClipboardData(DWORD, IDataObject**) { return E_NOTIMPL; }
HRESULT TrellisObject::DoVerb(LONG, LPMSG, IOleClientSite*, LONG, HWND, LPCRECT) {
    return S_OK;  // nothing to show or activate: the control draws nothing at run time
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
    *status = OLEMISC_INVISIBLEATRUNTIME;
    return S_OK;
}
HRESULT TrellisObject::SetColorScheme(LOGPALETTE*) { return E_NOTIMPL; }

// Persistence: CurrentKey is not saved with the host form, so a saved control
// is empty and a loaded one starts as a new one.
HRESULT TrellisObject::GetClassID(CLSID* clsid) {
    if (clsid == nullptr) return E_POINTER;
    *clsid = CLSID_Trellis;
    return S_OK;
}
HRESULT TrellisObject::IsDirty() { return S_FALSE; }
HRESULT TrellisObject::Load(IStream*) { return S_OK; }
HRESULT TrellisObject::Save(IStream*, BOOL) { return S_OK; }
HRESULT TrellisObject::GetSizeMax(ULARGE_INTEGER* size) {
    if (size == nullptr) return E_POINTER;
    size->QuadPart = 0;
    return S_OK;
}
HRESULT TrellisObject::InitNew() { return S_OK; }
HRESULT TrellisObject::Load(IPropertyBag*, IErrorLog*) { return S_OK; }
HRESULT TrellisObject::Save(IPropertyBag*, BOOL, BOOL) { return S_OK; }

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
    com::ComPtr<IDispatch> dispatch;
    if (FAILED(sink->QueryInterface(DIID___Trellis, dispatch.putVoid())) &&
        FAILED(sink->QueryInterface(IID_IDispatch, dispatch.putVoid()))) {
        return CONNECT_E_CANNOTCONNECT;
    }
    *cookie = nextCookie_++;
    sinks_.push_back({*cookie, std::move(dispatch)});
    return S_OK;
}

HRESULT TrellisObject::EventPoint::Unadvise(DWORD cookie) {
    for (auto it = sinks_.begin(); it != sinks_.end(); ++it) {
        if (it->cookie == cookie) {
            sinks_.erase(it);
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
    const std::vector<Sink> sinks = sinks_;
    for (const auto& s : sinks) {
        VARIANT arg;
        VariantInit(&arg);
        arg.vt = VT_I4;
        arg.lVal = argument;
        DISPPARAMS params{&arg, nullptr, 1, 0};
        s.sink->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
    }
}

}  // namespace trellis
