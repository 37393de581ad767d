#include "trellis/control/trellis_object.h"

#include <string>

#include "trellis/com/himetric.h"
#include "trellis/com/member_table.h"
#include "trellis/com/oleaut.h"
#include "trellis/control/error_info.h"
#include "trellis/control/type_library.h"

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
    BSTR bstr(UINT position) const { return values_[position].bstrVal; }
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
    const auto keepAlive = com::ComPtr<IDispatch>::share(this);
    const EntryErrorInfo errorInfo;
    return invokeMember(id, flags, params, result, argError);
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

    // Each member answers through its method of the dual interface.
    VARIANT_BOOL truth = VARIANT_FALSE;
    BSTR text = nullptr;
    LONG number = 0;
    HRESULT hr = DISP_E_MEMBERNOTFOUND;
    switch (id) {
        case DISPID_CurrentKey:
            if (member->kind == com::MemberKind::PropertyPut) return put_CurrentKey(args.bstr(0));
            hr = get_CurrentKey(&text);
            break;
        case DISPID_BackupKey:
            hr = BackupKey(args.bstr(0), args.bstr(1), args.bstr(2), &truth);
            break;
        case DISPID_SetStringVal:
            hr = SetStringVal(args.bstr(0), args.bstr(1), &truth);
            break;
        case DISPID_GetStringVal:
            hr = GetStringVal(args.bstr(0), &text);
            break;
        case DISPID_SetDWORDVal:
            hr = SetDWORDVal(args.bstr(0), args.number(1), &truth);
            break;
        case DISPID_GetDWORDVal:
            hr = GetDWORDVal(args.bstr(0), &number);
            break;
        case DISPID_KeyExists:
            hr = KeyExists(args.bstr(0), args.number(1), &truth);
            break;
        case DISPID_DeleteAKey:
            hr = DeleteAKey(args.bstr(0), &truth);
            break;
        case DISPID_CreateAKey:
            hr = CreateAKey(args.bstr(0), &truth);
            break;
        default:
            break;
    }
    if (FAILED(hr)) return hr;
    if (result == nullptr) {
        SysFreeString(text);
    } else if (member->result == VT_BSTR) {
        result->vt = VT_BSTR;
        result->bstrVal = text;
    } else if (member->result == VT_I4) {
        result->vt = VT_I4;
        result->lVal = number;
    } else {
        result->vt = VT_BOOL;
        result->boolVal = truth;
    }
    return S_OK;
}

// The methods of the dual interface, around the control's members.
namespace {
HRESULT giveText(const std::string& text, BSTR* out) {
    if (out == nullptr) return E_POINTER;
    *out = com::bstrFromUtf8(text);
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}
template <typename T>
HRESULT give(T value, T* out) {
    if (out == nullptr) return E_POINTER;
    *out = value;
    return S_OK;
}
}  // namespace

HRESULT TrellisObject::get_CurrentKey(BSTR* CurrentKey) {
    return giveText(control_.CurrentKey(), CurrentKey);
}
HRESULT TrellisObject::put_CurrentKey(BSTR sKeyName) {
    control_.SetCurrentKey(com::utf8FromBstr(sKeyName));
    return S_OK;
}
HRESULT TrellisObject::BackupKey(BSTR sKeytoBackup, BSTR sBackupDir, BSTR sBackupFile,
                                 VARIANT_BOOL* result) {
    if (result == nullptr) return E_POINTER;
    return give(control_.BackupKey(com::utf8FromBstr(sKeytoBackup), com::utf8FromBstr(sBackupDir),
                                   com::utf8FromBstr(sBackupFile)),
                result);
}
HRESULT TrellisObject::SetStringVal(BSTR sValueName, BSTR sNewStringValue, VARIANT_BOOL* result) {
    if (result == nullptr) return E_POINTER;
    return give(
        control_.SetStringVal(com::utf8FromBstr(sValueName), com::utf8FromBstr(sNewStringValue)),
        result);
}
HRESULT TrellisObject::GetStringVal(BSTR ValueName, BSTR* result) {
    if (result == nullptr) return E_POINTER;
    return giveText(control_.GetStringVal(com::utf8FromBstr(ValueName)), result);
}
HRESULT TrellisObject::SetDWORDVal(BSTR sValueName, LONG lNewDWORDValue, VARIANT_BOOL* result) {
    if (result == nullptr) return E_POINTER;
    return give(control_.SetDWORDVal(com::utf8FromBstr(sValueName), lNewDWORDValue), result);
}
HRESULT TrellisObject::GetDWORDVal(BSTR ValueName, LONG* result) {
    if (result == nullptr) return E_POINTER;
    return give(control_.GetDWORDVal(com::utf8FromBstr(ValueName)), result);
}
HRESULT TrellisObject::KeyExists(BSTR sValueName, LONG lValueType, VARIANT_BOOL* result) {
    if (result == nullptr) return E_POINTER;
    return give(control_.KeyExists(com::utf8FromBstr(sValueName), lValueType), result);
}
HRESULT TrellisObject::DeleteAKey(BSTR sValueName, VARIANT_BOOL* result) {
    if (result == nullptr) return E_POINTER;
    return give(control_.DeleteAKey(com::utf8FromBstr(sValueName)), result);
}
HRESULT TrellisObject::CreateAKey(BSTR sNewKeyName, VARIANT_BOOL* result) {
    if (result == nullptr) return E_POINTER;
    return give(control_.CreateAKey(com::utf8FromBstr(sNewKeyName)), result);
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
