#pragma once
// The COM interfaces the control implements and its hosts call: plain abstract
// classes whose virtual tables have the COM layout (no virtual destructors). A
// Windows build takes the real ones.

#include "trellis/com/com_types.h"

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

struct ITypeInfo;  // no type library is provided; GetTypeInfo reports E_NOTIMPL

struct IUnknown {
    STDMETHOD(QueryInterface)(REFIID riid, void** object) = 0;
    STDMETHOD_(ULONG, AddRef)() = 0;
    STDMETHOD_(ULONG, Release)() = 0;

  protected:
    ~IUnknown() = default;
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

// The part of IOleObject a host uses to size the control on its form; the
// methods before it keep their slots so the layout matches IOleObject.
struct IOleClientSite;
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

// Interface identifiers: the standard ones and the control's own.
extern const IID IID_IUnknown;
extern const IID IID_IClassFactory;
extern const IID IID_IDispatch;
extern const IID IID_IConnectionPoint;
extern const IID IID_IConnectionPointContainer;
extern const IID IID_IOleObject;
extern const IID IID_NULL;

#endif  // _WIN32
