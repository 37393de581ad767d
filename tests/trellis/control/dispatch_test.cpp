// The control's dispatch interface on the wire: variant types, automation
// Booleans, argument order and the event sink, on an object in this process.

#include <gtest/gtest.h>

#include "conversion_cases.h"
#include "platform/registry/advapi32.h"
#include "support/registry_store.h"
#include "trellis/com/com_object.h"
#include "trellis/com/member_table.h"
#include "trellis/com/oleaut.h"
#include "trellis/com/trellis_guids.h"
#include "trellis/control/trellis_object.h"
#include "trellis/host/trellis_dispids.h"

namespace trellis {
namespace {

// Records every event it receives; lives in the fixture, not on the heap.
class RecordingSink final : public com::DispatchObject {
  public:
    RecordingSink() : DispatchObject(DIID___Trellis) {}
    STDMETHOD(Invoke)
    (DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
     UINT*) override {
        EXPECT_EQ(flags, DISPATCH_METHOD);
        EXPECT_EQ(params->cArgs, 1u);
        EXPECT_EQ(params->rgvarg[0].vt, VT_I4);
        events.emplace_back(id, params->rgvarg[0].lVal);
        return S_OK;
    }
    std::vector<std::pair<DISPID, LONG>> events;

  private:
    void lastReleased() override { ADD_FAILURE() << "the object released the sink once too often"; }
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
        EXPECT_EQ(sink.references(), 1u) << "the object must release its sinks";
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

TEST_F(Wire, ArgumentsAreConvertedToTheirDeclaredTypesAsVisualBasicDoes) {
    ASSERT_EQ(invoke(dispid::CurrentKey, DISPATCH_PROPERTYPUT,
                     {text("HKEY_CURRENT_USER\\Software")}, nullptr),
              S_OK);
    conversion_cases::run(object,
                          [](bool ok, const std::string& what) { EXPECT_TRUE(ok) << what; });
    // A wrong count is refused before anything is converted.
    com::Variant result;
    EXPECT_EQ(invoke(dispid::SetDWORDVal, DISPATCH_METHOD, {text("a")}, result.get()),
              DISP_E_BADPARAMCOUNT);
}

TEST_F(Wire, NamesResolveWhateverTheirCaseWithTheirArguments) {
    std::u16string member = u"setdwordval", value = u"LNEWDWORDVALUE", name = u"sValueName";
    LPOLESTR names[] = {member.data(), value.data(), name.data()};
    DISPID ids[3] = {};
    ASSERT_EQ(object->GetIDsOfNames(IID_NULL, names, 3, 0, ids), S_OK);
    EXPECT_EQ(ids[0], DISPID_SetDWORDVal);
    EXPECT_EQ(ids[1], 1);
    EXPECT_EQ(ids[2], 0);
    std::u16string property = u"currentkey", argument = u"sKeyName", other = u"nope";
    LPOLESTR put[] = {property.data(), argument.data()};
    ASSERT_EQ(object->GetIDsOfNames(IID_NULL, put, 2, 0, ids), S_OK);
    EXPECT_EQ(ids[0], DISPID_CurrentKey);
    EXPECT_EQ(ids[1], 0);
    LPOLESTR unknown[] = {member.data(), other.data()};
    EXPECT_EQ(object->GetIDsOfNames(IID_NULL, unknown, 2, 0, ids), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(ids[1], DISPID_UNKNOWN);
    // Every member of the interface definition is reachable by its name.
    for (const com::MemberInfo& m : com::kTrellisMembers) {
        const std::u16string units(m.name, m.name + std::char_traits<char>::length(m.name));
        std::u16string copy = units;
        LPOLESTR one[] = {copy.data()};
        EXPECT_EQ(object->GetIDsOfNames(IID_NULL, one, 1, 0, ids), S_OK) << m.name;
        EXPECT_EQ(ids[0], m.id) << m.name;
    }
}

TEST_F(Wire, AContainerFindsTheEventAndASiteAndNoStateToKeep) {
    com::ComPtr<IProvideClassInfo2> info;
    ASSERT_EQ(object->QueryInterface(IID_IProvideClassInfo2, info.putVoid()), S_OK);
    GUID source{};
    EXPECT_EQ(info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &source), S_OK);
    EXPECT_TRUE(source == DIID___Trellis);

    com::ComPtr<IPersistStreamInit> persist;
    ASSERT_EQ(object->QueryInterface(IID_IPersistStreamInit, persist.putVoid()), S_OK);
    CLSID clsid{};
    EXPECT_EQ(persist->GetClassID(&clsid), S_OK);
    EXPECT_TRUE(clsid == CLSID_Trellis);
    EXPECT_EQ(persist->InitNew(), S_OK);
    EXPECT_EQ(persist->IsDirty(), S_FALSE);

    // The site is held until the container closes the control.
    struct Site final : com::ComObject<IOleClientSite> {
        Site() : ComObject({}) {}
        void lastReleased() override {}
    } site;
    com::ComPtr<IOleObject> ole;
    ASSERT_EQ(object->QueryInterface(IID_IOleObject, ole.putVoid()), S_OK);
    ASSERT_EQ(ole->SetClientSite(&site), S_OK);
    EXPECT_EQ(site.references(), 2u);
    com::ComPtr<IOleClientSite> given;
    ASSERT_EQ(ole->GetClientSite(given.put()), S_OK);
    EXPECT_EQ(given.get(), &site);
    given.reset();
    DWORD status = 0;
    EXPECT_EQ(ole->GetMiscStatus(DVASPECT_CONTENT, &status), S_OK);
    EXPECT_NE(status & OLEMISC_INVISIBLEATRUNTIME, 0u);
    EXPECT_EQ(ole->Close(0), S_OK);
    EXPECT_EQ(site.references(), 1u);
}

}  // namespace
}  // namespace trellis
