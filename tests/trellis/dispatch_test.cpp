// The control's dispatch interface on the wire: variant types, automation
// Booleans, argument order and the event sink, on an object in this process.

#include <gtest/gtest.h>

#include "platform/registry/advapi32.h"
#include "support/registry_store.h"
#include "trellis/com/oleaut.h"
#include "trellis/com/trellis_guids.h"
#include "trellis/host/trellis_dispids.h"
#include "trellis/trellis_object.h"

namespace trellis {
namespace {

// Records every event it receives.
class RecordingSink final : public IDispatch {
  public:
    STDMETHOD(QueryInterface)(REFIID riid, void** object) override {
        if (riid == IID_IUnknown || riid == IID_IDispatch || riid == DIID___Trellis) {
            *object = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHOD_(ULONG, AddRef)() override { return ++references; }
    STDMETHOD_(ULONG, Release)() override { return --references; }
    STDMETHOD(GetTypeInfoCount)(UINT*) override { return E_NOTIMPL; }
    STDMETHOD(GetTypeInfo)(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHOD(GetIDsOfNames)(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHOD(Invoke)
    (DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
     UINT*) override {
        EXPECT_EQ(flags, DISPATCH_METHOD);
        EXPECT_EQ(params->cArgs, 1u);
        EXPECT_EQ(params->rgvarg[0].vt, VT_I4);
        events.emplace_back(id, params->rgvarg[0].lVal);
        return S_OK;
    }
    ULONG references = 1;
    std::vector<std::pair<DISPID, LONG>> events;
};

class Wire : public ::testing::Test {
  protected:
    void SetUp() override {
        HKEY software = nullptr;
        ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "Software", &software), ERROR_SUCCESS);
        RegCloseKey(software);
        object = new TrellisObject();
        IConnectionPointContainer* container = nullptr;
        ASSERT_EQ(object->QueryInterface(IID_IConnectionPointContainer,
                                         reinterpret_cast<void**>(&container)),
                  S_OK);
        ASSERT_EQ(container->FindConnectionPoint(DIID___Trellis, &point), S_OK);
        container->Release();
        ASSERT_EQ(point->Advise(&sink, &cookie), S_OK);
    }
    void TearDown() override {
        if (point) {
            point->Unadvise(cookie);
            point->Release();
        }
        object->Release();
        EXPECT_EQ(sink.references, 1u) << "the object must release its sinks";
    }

    // Invokes with arguments given in declaration order.
    HRESULT invoke(DISPID id, WORD flags, std::vector<VARIANT> args, VARIANT* result) {
        std::vector<VARIANT> reversed(args.rbegin(), args.rend());
        DISPID named = DISPID_PROPERTYPUT;
        DISPPARAMS params{reversed.data(), flags == DISPATCH_PROPERTYPUT ? &named : nullptr,
                          static_cast<UINT>(reversed.size()),
                          flags == DISPATCH_PROPERTYPUT ? 1u : 0u};
        const HRESULT hr =
            object->Invoke(id, IID_NULL, 0, flags, &params, result, nullptr, nullptr);
        for (auto& v : reversed) VariantClear(&v);
        return hr;
    }
    static VARIANT text(const char* utf8) {
        VARIANT v;
        VariantInit(&v);
        v.vt = VT_BSTR;
        v.bstrVal = com::bstrFromUtf8(utf8);
        return v;
    }
    static VARIANT i2(SHORT n) {
        VARIANT v;
        VariantInit(&v);
        v.vt = VT_I2;
        v.iVal = n;
        return v;
    }

    TrellisObject* object = nullptr;
    IConnectionPoint* point = nullptr;
    RecordingSink sink;
    DWORD cookie = 0;
};

TEST_F(Wire, BooleansAreVariantBoolsOfMinusOneAndZero) {
    com::Variant result;
    ASSERT_EQ(invoke(dispid::CurrentKey, DISPATCH_PROPERTYPUT,
                     {text("HKEY_CURRENT_USER\\Software")}, nullptr),
              S_OK);
    ASSERT_EQ(invoke(dispid::CreateAKey, DISPATCH_METHOD, {text("Wire")}, result.get()), S_OK);
    EXPECT_EQ((*result).vt, VT_BOOL);
    EXPECT_EQ((*result).boolVal, -1);
    ASSERT_EQ(invoke(dispid::KeyExists, DISPATCH_METHOD, {text("none"), i2(0)}, result.get()),
              S_OK);
    EXPECT_EQ((*result).vt, VT_BOOL);
    EXPECT_EQ((*result).boolVal, 0);
    EXPECT_TRUE(sink.events.empty());
}

TEST_F(Wire, TextsAreBstrsAndNumbersAreFourByteIntegers) {
    com::Variant result;
    ASSERT_EQ(invoke(dispid::CurrentKey, DISPATCH_PROPERTYPUT,
                     {text("HKEY_CURRENT_USER\\Software")}, nullptr),
              S_OK);
    ASSERT_EQ(invoke(dispid::SetDWORDVal, DISPATCH_METHOD, {text("w"), i2(-3)}, result.get()),
              S_OK);
    ASSERT_EQ(invoke(dispid::GetDWORDVal, DISPATCH_METHOD | DISPATCH_PROPERTYGET, {text("w")},
                     result.get()),
              S_OK);
    EXPECT_EQ((*result).vt, VT_I4);
    EXPECT_EQ((*result).lVal, -3);
    ASSERT_EQ(invoke(dispid::SetStringVal, DISPATCH_METHOD, {text("t"), text("é€")}, result.get()),
              S_OK);
    ASSERT_EQ(invoke(dispid::GetStringVal, DISPATCH_METHOD, {text("t")}, result.get()), S_OK);
    ASSERT_EQ((*result).vt, VT_BSTR);
    EXPECT_EQ(std::u16string((*result).bstrVal, SysStringLen((*result).bstrVal)), u"é€");
    ASSERT_EQ(invoke(dispid::CurrentKey, DISPATCH_PROPERTYGET, {}, result.get()), S_OK);
    EXPECT_EQ(com::utf8FromBstr((*result).bstrVal), "HKEY_CURRENT_USER\\Software");
}

TEST_F(Wire, RegErrorReachesTheSinkInsideTheFailingCall) {
    com::Variant result;
    ASSERT_EQ(invoke(dispid::GetStringVal, DISPATCH_METHOD, {text("x")}, result.get()), S_OK);
    ASSERT_EQ(sink.events.size(), 1u);
    EXPECT_EQ(sink.events[0], std::make_pair(DISPID{1}, LONG{1010}));
    point->Unadvise(cookie);
    ASSERT_EQ(invoke(dispid::GetStringVal, DISPATCH_METHOD, {text("x")}, result.get()), S_OK);
    EXPECT_EQ(sink.events.size(), 1u) << "no event after Unadvise";
    point->Release();
    point = nullptr;
}

TEST_F(Wire, WrongArgumentsAreRefusedWithTheirDispatchErrors) {
    com::Variant result;
    EXPECT_EQ(invoke(dispid::GetStringVal, DISPATCH_METHOD, {}, result.get()),
              DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(
        invoke(dispid::SetDWORDVal, DISPATCH_METHOD, {text("a"), text("twelve")}, result.get()),
        DISP_E_TYPEMISMATCH);
    EXPECT_EQ(invoke(0x12345, DISPATCH_METHOD, {}, result.get()), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(invoke(dispid::CreateAKey, DISPATCH_PROPERTYPUT, {text("a")}, result.get()),
              DISP_E_MEMBERNOTFOUND);
    EXPECT_TRUE(sink.events.empty());
}

TEST_F(Wire, InterfacesAnswerTheirQueries) {
    void* p = nullptr;
    EXPECT_EQ(object->QueryInterface(IID__Trellis, &p), S_OK);
    static_cast<IUnknown*>(p)->Release();
    EXPECT_EQ(object->QueryInterface(IID_IClassFactory, &p), E_NOINTERFACE);
    EXPECT_EQ(p, nullptr);
    IConnectionPointContainer* container = nullptr;
    ASSERT_EQ(
        object->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container)),
        S_OK);
    IConnectionPoint* other = nullptr;
    EXPECT_EQ(container->FindConnectionPoint(IID_IDispatch, &other), CONNECT_E_NOCONNECTION);
    container->Release();
}

}  // namespace
}  // namespace trellis
