#pragma once
// The Trellis control as an in-process COM object: its dispatch interface
// (_Trellis, bound late by dispatch identifier or by name), its class
// information, the connection point through which RegError reaches the host's
// sink, and what an OLE container asks of an invisible control (a client site,
// an extent, persistence without state).

#include <atomic>
#include <vector>

#include "trellis/com/com_ptr.h"
#include "trellis/com/dovetail.h"
#include "trellis/control/trellis_control.h"

namespace trellis {

// Objects and server locks alive in this library, for DllCanUnloadNow.
std::atomic<long>& liveObjectCount();

// _Trellis comes from the generated header, without the protected destructor the
// other interfaces here declare; the object is only ever deleted by Release.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class TrellisObject final : public _Trellis,
                            public IProvideClassInfo2,
                            public IConnectionPointContainer,
                            public IOleObject,
                            public IPersistStreamInit,
                            public IPersistPropertyBag {
  public:
    TrellisObject();

    // IUnknown
    STDMETHOD(QueryInterface)(REFIID riid, void** object) override;
    STDMETHOD_(ULONG, AddRef)() override;
    STDMETHOD_(ULONG, Release)() override;

    // IDispatch
    STDMETHOD(GetTypeInfoCount)(UINT* count) override;
    STDMETHOD(GetTypeInfo)(UINT index, LCID lcid, ITypeInfo** info) override;
    STDMETHOD(GetIDsOfNames)
    (REFIID riid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override;
    STDMETHOD(Invoke)
    (DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
     EXCEPINFO* exception, UINT* argError) override;

    // _Trellis, bound early through the dual interface's table of methods.
    STDMETHOD(get_CurrentKey)(BSTR* CurrentKey) override;
    STDMETHOD(put_CurrentKey)(BSTR sKeyName) override;
    STDMETHOD(BackupKey)
    (BSTR sKeytoBackup, BSTR sBackupDir, BSTR sBackupFile, VARIANT_BOOL* result) override;
    STDMETHOD(SetStringVal)(BSTR sValueName, BSTR sNewStringValue, VARIANT_BOOL* result) override;
    STDMETHOD(GetStringVal)(BSTR ValueName, BSTR* result) override;
    STDMETHOD(SetDWORDVal)(BSTR sValueName, LONG lNewDWORDValue, VARIANT_BOOL* result) override;
    STDMETHOD(GetDWORDVal)(BSTR ValueName, LONG* result) override;
    STDMETHOD(KeyExists)(BSTR sValueName, LONG lValueType, VARIANT_BOOL* result) override;
    STDMETHOD(DeleteAKey)(BSTR sValueName, VARIANT_BOOL* result) override;
    STDMETHOD(CreateAKey)(BSTR sNewKeyName, VARIANT_BOOL* result) override;

    // IProvideClassInfo2
    STDMETHOD(GetClassInfo)(ITypeInfo** info) override;
    STDMETHOD(GetGUID)(DWORD kind, GUID* guid) override;

    // IConnectionPointContainer
    STDMETHOD(EnumConnectionPoints)(IEnumConnectionPoints** points) override;
    STDMETHOD(FindConnectionPoint)(REFIID riid, IConnectionPoint** point) override;

    // IOleObject: the client site and the extent matter to this control.
    STDMETHOD(SetClientSite)(IOleClientSite* site) override;
    STDMETHOD(GetClientSite)(IOleClientSite** site) override;
    STDMETHOD(SetHostNames)(LPCOLESTR app, LPCOLESTR object) override;
    STDMETHOD(Close)(DWORD saveOption) override;
    STDMETHOD(SetMoniker)(DWORD which, IMoniker* moniker) override;
    STDMETHOD(GetMoniker)(DWORD assign, DWORD which, IMoniker** moniker) override;
    STDMETHOD(InitFromData)(IDataObject* data, BOOL creation, DWORD reserved) override;
    STDMETHOD(GetClipboardData)(DWORD reserved, IDataObject** data) override;
    STDMETHOD(DoVerb)
    (LONG verb, LPMSG msg, IOleClientSite* site, LONG index, HWND parent, LPCRECT rect) override;
    STDMETHOD(EnumVerbs)(IEnumOLEVERB** verbs) override;
    STDMETHOD(Update)() override;
    STDMETHOD(IsUpToDate)() override;
    STDMETHOD(GetUserClassID)(CLSID* clsid) override;
    STDMETHOD(GetUserType)(DWORD form, LPOLESTR* userType) override;
    STDMETHOD(SetExtent)(DWORD drawAspect, SIZEL* size) override;
    STDMETHOD(GetExtent)(DWORD drawAspect, SIZEL* size) override;
    STDMETHOD(Advise)(IAdviseSink* sink, DWORD* connection) override;
    STDMETHOD(Unadvise)(DWORD connection) override;
    STDMETHOD(EnumAdvise)(IEnumSTATDATA** advise) override;
    STDMETHOD(GetMiscStatus)(DWORD aspect, DWORD* status) override;
    STDMETHOD(SetColorScheme)(LOGPALETTE* palette) override;

    // IPersistStreamInit and IPersistPropertyBag: the control keeps no state.
    STDMETHOD(GetClassID)(CLSID* clsid) override;
    STDMETHOD(IsDirty)() override;
    STDMETHOD(Load)(IStream* stream) override;
    STDMETHOD(Save)(IStream* stream, BOOL clearDirty) override;
    STDMETHOD(GetSizeMax)(ULARGE_INTEGER* size) override;
    STDMETHOD(InitNew)() override;
    STDMETHOD(Load)(IPropertyBag* bag, IErrorLog* log) override;
    STDMETHOD(Save)(IPropertyBag* bag, BOOL clearDirty, BOOL saveAll) override;

  private:
    ~TrellisObject();

    // The connection point for the event interface, living inside its object.
    class EventPoint final : public IConnectionPoint {
      public:
        explicit EventPoint(TrellisObject& owner) : owner_(owner) {}
        STDMETHOD(QueryInterface)(REFIID riid, void** object) override;
        STDMETHOD_(ULONG, AddRef)() override { return owner_.AddRef(); }
        STDMETHOD_(ULONG, Release)() override { return owner_.Release(); }
        STDMETHOD(GetConnectionInterface)(IID* iid) override;
        STDMETHOD(GetConnectionPointContainer)(IConnectionPointContainer** container) override;
        STDMETHOD(Advise)(IUnknown* sink, DWORD* cookie) override;
        STDMETHOD(Unadvise)(DWORD cookie) override;
        STDMETHOD(EnumConnections)(IEnumConnections** connections) override;

        void fire(DISPID id, LONG argument);
        void releaseAll() { sinks_.clear(); }

      private:
        struct Sink {
            DWORD cookie;
            com::ComPtr<IDispatch> sink;
        };
        TrellisObject& owner_;
        std::vector<Sink> sinks_;
        DWORD nextCookie_ = 1;
    };

    HRESULT invokeMember(DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result,
                         UINT* argError);

    std::atomic<ULONG> references_{1};
    Trellis control_;
    EventPoint events_;
    com::ComPtr<IOleClientSite> clientSite_;
};
#pragma GCC diagnostic pop

}  // namespace trellis
