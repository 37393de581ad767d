#pragma once
// The COM interfaces the control implements and its hosts call: plain abstract
// classes whose virtual tables have the COM layout (no virtual destructors). A
// Windows build takes the real ones.

#include "platform/com/com_types.h"

#ifdef _WIN32
#include <ocidl.h>
#include <oleidl.h>
#else

#define STDMETHODCALLTYPE
#define STDAPICALLTYPE
// Entry points of the library, with C linkage, visible to hosts that load it.
#define STDAPI extern "C" __attribute__((visibility("default"))) HRESULT STDAPICALLTYPE
#define STDAPI_(type) extern "C" __attribute__((visibility("default"))) type STDAPICALLTYPE
#define STDMETHOD(name) virtual HRESULT STDMETHODCALLTYPE name
#define STDMETHOD_(type, name) virtual type STDMETHODCALLTYPE name

struct IUnknown {
    STDMETHOD(QueryInterface)(REFIID riid, void** object) = 0;
    STDMETHOD_(ULONG, AddRef)() = 0;
    STDMETHOD_(ULONG, Release)() = 0;

  protected:
    ~IUnknown() = default;
};

// No type library here: the dispatch tables answer instead, and no type
// information is ever handed out.
struct ITypeInfo : IUnknown {
  protected:
    ~ITypeInfo() = default;
};

struct IClassFactory : IUnknown {
    STDMETHOD(CreateInstance)(IUnknown* outer, REFIID riid, void** object) = 0;
    STDMETHOD(LockServer)(BOOL lock) = 0;

  protected:
    ~IClassFactory() = default;
};

struct IDispatch : IUnknown {
    STDMETHOD(GetTypeInfoCount)(UINT* count) = 0;
    STDMETHOD(GetTypeInfo)(UINT index, LCID lcid, ITypeInfo** info) = 0;
    STDMETHOD(GetIDsOfNames)(REFIID riid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) = 0;
    STDMETHOD(Invoke)
    (DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
     EXCEPINFO* exception, UINT* argError) = 0;

  protected:
    ~IDispatch() = default;
};

struct IConnectionPointContainer;
struct IEnumConnections;
struct IEnumConnectionPoints;

struct IConnectionPoint : IUnknown {
    STDMETHOD(GetConnectionInterface)(IID* iid) = 0;
    STDMETHOD(GetConnectionPointContainer)(IConnectionPointContainer** container) = 0;
    STDMETHOD(Advise)(IUnknown* sink, DWORD* cookie) = 0;
    STDMETHOD(Unadvise)(DWORD cookie) = 0;
    STDMETHOD(EnumConnections)(IEnumConnections** connections) = 0;

  protected:
    ~IConnectionPoint() = default;
};

struct IConnectionPointContainer : IUnknown {
    STDMETHOD(EnumConnectionPoints)(IEnumConnectionPoints** points) = 0;
    STDMETHOD(FindConnectionPoint)(REFIID riid, IConnectionPoint** point) = 0;

  protected:
    ~IConnectionPointContainer() = default;
};

// IOleObject, as a container drives the control; the site it hands over is only
// held and given back here.
struct IOleClientSite : IUnknown {
  protected:
    ~IOleClientSite() = default;
};
struct IDataObject;
struct IMoniker;
struct IAdviseSink;
struct IEnumOLEVERB;
struct IEnumSTATDATA;
struct tagMSG;
struct tagRECT;
struct tagLOGPALETTE;
using LPMSG = tagMSG*;
using LPCRECT = const tagRECT*;
using LOGPALETTE = tagLOGPALETTE;
struct IOleObject : IUnknown {
    STDMETHOD(SetClientSite)(IOleClientSite* site) = 0;
    STDMETHOD(GetClientSite)(IOleClientSite** site) = 0;
    STDMETHOD(SetHostNames)(LPCOLESTR app, LPCOLESTR object) = 0;
    STDMETHOD(Close)(DWORD saveOption) = 0;
    STDMETHOD(SetMoniker)(DWORD which, IMoniker* moniker) = 0;
    STDMETHOD(GetMoniker)(DWORD assign, DWORD which, IMoniker** moniker) = 0;
    STDMETHOD(InitFromData)(IDataObject* data, BOOL creation, DWORD reserved) = 0;
    STDMETHOD(GetClipboardData)(DWORD reserved, IDataObject** data) = 0;
    STDMETHOD(DoVerb)
    (LONG verb, LPMSG msg, IOleClientSite* site, LONG index, HWND parent, LPCRECT rect) = 0;
    STDMETHOD(EnumVerbs)(IEnumOLEVERB** verbs) = 0;
    STDMETHOD(Update)() = 0;
    STDMETHOD(IsUpToDate)() = 0;
    STDMETHOD(GetUserClassID)(CLSID* clsid) = 0;
    STDMETHOD(GetUserType)(DWORD form, LPOLESTR* userType) = 0;
    STDMETHOD(SetExtent)(DWORD drawAspect, SIZEL* size) = 0;
    STDMETHOD(GetExtent)(DWORD drawAspect, SIZEL* size) = 0;
    STDMETHOD(Advise)(IAdviseSink* sink, DWORD* connection) = 0;
    STDMETHOD(Unadvise)(DWORD connection) = 0;
    STDMETHOD(EnumAdvise)(IEnumSTATDATA** advise) = 0;
    STDMETHOD(GetMiscStatus)(DWORD aspect, DWORD* status) = 0;
    STDMETHOD(SetColorScheme)(LOGPALETTE* palette) = 0;

  protected:
    ~IOleObject() = default;
};

// What a container asks of a control: its class information, and persistence
// (the control keeps no state, so there is nothing to load or save).
struct IProvideClassInfo : IUnknown {
    STDMETHOD(GetClassInfo)(ITypeInfo** info) = 0;

  protected:
    ~IProvideClassInfo() = default;
};
inline constexpr DWORD GUIDKIND_DEFAULT_SOURCE_DISP_IID = 1;
struct IProvideClassInfo2 : IProvideClassInfo {
    STDMETHOD(GetGUID)(DWORD kind, GUID* guid) = 0;

  protected:
    ~IProvideClassInfo2() = default;
};

struct IStream;
struct IPropertyBag;
struct IErrorLog;
struct ULARGE_INTEGER {
    std::uint64_t QuadPart;
};
struct IPersist : IUnknown {
    STDMETHOD(GetClassID)(CLSID* clsid) = 0;

  protected:
    ~IPersist() = default;
};
struct IPersistStreamInit : IPersist {
    STDMETHOD(IsDirty)() = 0;
    STDMETHOD(Load)(IStream* stream) = 0;
    STDMETHOD(Save)(IStream* stream, BOOL clearDirty) = 0;
    STDMETHOD(GetSizeMax)(ULARGE_INTEGER* size) = 0;
    STDMETHOD(InitNew)() = 0;

  protected:
    ~IPersistStreamInit() = default;
};
struct IPersistPropertyBag : IPersist {
    STDMETHOD(InitNew)() = 0;
    STDMETHOD(Load)(IPropertyBag* bag, IErrorLog* log) = 0;
    STDMETHOD(Save)(IPropertyBag* bag, BOOL clearDirty, BOOL saveAll) = 0;

  protected:
    ~IPersistPropertyBag() = default;
};
inline constexpr DWORD OLEMISC_INVISIBLEATRUNTIME = 0x400;

// Interface identifiers: the standard ones and the control's own.
extern const IID IID_IUnknown;
extern const IID IID_IClassFactory;
extern const IID IID_IDispatch;
extern const IID IID_IConnectionPoint;
extern const IID IID_IConnectionPointContainer;
extern const IID IID_IOleObject;
extern const IID IID_IProvideClassInfo;
extern const IID IID_IProvideClassInfo2;
extern const IID IID_IPersist;
extern const IID IID_IPersistStreamInit;
extern const IID IID_IPersistPropertyBag;
extern const IID IID_NULL;

#endif  // _WIN32
