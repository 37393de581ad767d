// A Windows host that creates the registered control by its programmatic
// identifier and drives it through IDispatch::Invoke, as a late-binding client
// does; it checks what lands in the real registry and in the exported file.
//   com_client_check.exe <export-directory>
// Prints one line per failed check and exits non-zero when any failed.

// windows.h first: the OLE headers build on it.
// clang-format off
#include <windows.h>
#include <ocidl.h>
#include <ole2.h>
// clang-format on

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

int failures = 0;

void check(bool ok, const char* what) {
    std::printf("%s: %s\n", ok ? "ok" : "FAILED", what);
    if (!ok) ++failures;
}

// Calls a member by name with arguments given first to last; the result lands in result.
HRESULT call(IDispatch* object, const wchar_t* member, WORD flags, std::vector<VARIANT> arguments,
             VARIANT* result) {
    DISPID id = DISPID_UNKNOWN;
    auto* name = const_cast<LPOLESTR>(member);
    HRESULT hr = object->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr)) return hr;
    std::vector<VARIANT> reversed(arguments.rbegin(), arguments.rend());
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    if (flags == DISPATCH_PROPERTYPUT) {
        params.rgdispidNamedArgs = &named;
        params.cNamedArgs = 1;
    }
    if (result != nullptr) VariantInit(result);
    hr =
        object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, nullptr, nullptr);
    for (auto& v : arguments) VariantClear(&v);
    return hr;
}

VARIANT text(const wchar_t* value) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = SysAllocString(value);
    return v;
}

bool isTrue(const VARIANT& v) { return v.vt == VT_BOOL && v.boolVal == VARIANT_TRUE; }

// The control's event interface, RegError(lErrorCode) with dispatch identifier 1.
const IID kEventInterface = {
    0x5E6F2B43, 0x8C1D, 0x4A3B, {0x9E, 0x27, 0x41, 0x6B, 0xD0, 0x3C, 0x72, 0x15}};

// A host's event sink: records the error codes RegError brings.
class EventSink final : public IDispatch {
  public:
    std::vector<LONG> errors;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (riid == IID_IUnknown || riid == IID_IDispatch || riid == kEventInterface) {
            *object = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override { return --references_; }  // lives on the stack
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                                     EXCEPINFO*, UINT*) override {
        if (id == 1 && params != nullptr && params->cArgs == 1 && params->rgvarg[0].vt == VT_I4) {
            errors.push_back(params->rgvarg[0].lVal);
        }
        return S_OK;
    }
    ULONG references() const { return references_; }

  private:
    ULONG references_ = 1;
};

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: com_client_check <export-directory>\n");
        return 2;
    }
    const std::string exportDir = argv[1];
    if (FAILED(CoInitialize(nullptr))) return 1;

    CLSID clsid{};
    check(SUCCEEDED(CLSIDFromProgID(L"Dovetail.Trellis", &clsid)), "the ProgID is registered");
    IDispatch* object = nullptr;
    check(SUCCEEDED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                     reinterpret_cast<void**>(&object))),
          "CoCreateInstance gives the control's IDispatch");
    if (object == nullptr) return 1;

    // The host listens to RegError through the control's connection point.
    EventSink sink;
    IConnectionPointContainer* container = nullptr;
    IConnectionPoint* point = nullptr;
    DWORD cookie = 0;
    check(SUCCEEDED(object->QueryInterface(IID_IConnectionPointContainer,
                                           reinterpret_cast<void**>(&container))) &&
              SUCCEEDED(container->FindConnectionPoint(kEventInterface, &point)) &&
              SUCCEEDED(point->Advise(&sink, &cookie)),
          "the host's sink is advised of RegError");

    VARIANT result;
    check(SUCCEEDED(call(object, L"CreateAKey", DISPATCH_METHOD, {text(L"x")}, &result)) &&
              result.vt == VT_BOOL && result.boolVal == VARIANT_FALSE &&
              sink.errors == std::vector<LONG>{1010},
          "a member called before CurrentKey fails and raises RegError 1010");
    sink.errors.clear();
    check(SUCCEEDED(call(object, L"CurrentKey", DISPATCH_PROPERTYPUT,
                         {text(L"HKEY_CURRENT_USER\\Software")}, nullptr)),
          "CurrentKey is set");
    check(SUCCEEDED(
              call(object, L"CreateAKey", DISPATCH_METHOD, {text(L"TrellisWineCheck")}, &result)) &&
              isTrue(result),
          "CreateAKey creates the key");
    call(object, L"CurrentKey", DISPATCH_PROPERTYPUT,
         {text(L"HKEY_CURRENT_USER\\Software\\TrellisWineCheck")}, nullptr);
    check(SUCCEEDED(call(object, L"SetStringVal", DISPATCH_METHOD,
                         {text(L"Nom"), text(L"d\u00E9j\u00E0 vu")}, &result)) &&
              isTrue(result),
          "SetStringVal writes a text");
    check(SUCCEEDED(call(object, L"GetStringVal", DISPATCH_METHOD, {text(L"Nom")}, &result)) &&
              result.vt == VT_BSTR && std::wstring(result.bstrVal) == L"d\u00E9j\u00E0 vu",
          "GetStringVal reads the same text back");
    VariantClear(&result);

    // The value is in the real registry, in the ANSI code page.
    HKEY key = nullptr;
    char stored[64] = {};
    DWORD size = sizeof stored;
    DWORD type = 0;
    const bool opened = RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\TrellisWineCheck", 0, KEY_READ,
                                      &key) == ERROR_SUCCESS;
    check(opened &&
              RegQueryValueExA(key, "Nom", nullptr, &type, reinterpret_cast<BYTE*>(stored),
                               &size) == ERROR_SUCCESS &&
              type == REG_SZ && std::string(stored) == "d\xE9j\xE0 vu",
          "the registry holds the text as REG_SZ");
    if (opened) RegCloseKey(key);

    VARIANT number;
    VariantInit(&number);
    number.vt = VT_I4;
    number.lVal = 42;
    check(SUCCEEDED(
              call(object, L"SetDWORDVal", DISPATCH_METHOD, {text(L"Compte"), number}, &result)) &&
              isTrue(result),
          "SetDWORDVal writes a number");
    check(SUCCEEDED(call(object, L"GetDWORDVal", DISPATCH_METHOD, {text(L"Compte")}, &result)) &&
              result.vt == VT_I4 && result.lVal == 42,
          "GetDWORDVal reads it back");

    const std::wstring wideDir(exportDir.begin(), exportDir.end());
    check(SUCCEEDED(call(object, L"BackupKey", DISPATCH_METHOD,
                         {text(L"HKEY_CURRENT_USER\\Software\\TrellisWineCheck"),
                          text(wideDir.c_str()), text(L"export")},
                         &result)) &&
              isTrue(result),
          "BackupKey exports the key");
    const std::string exported = readFile(exportDir + "\\export.REG");
    check(exported ==
                  "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\TrellisWineCheck]\r\n"
                  "\"Nom\"=\"d\xE9j\xE0 vu\"\r\n\"Compte\"=dword:0000002a\r\n\r\n" ||
              exported ==
                  "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\TrellisWineCheck]\r\n"
                  "\"Compte\"=dword:0000002a\r\n\"Nom\"=\"d\xE9j\xE0 vu\"\r\n\r\n",
          "the exported file holds the key and both values");

    // A second export keeps the first as .OLD; a missing directory fails.
    check(SUCCEEDED(call(object, L"BackupKey", DISPATCH_METHOD,
                         {text(L"HKEY_CURRENT_USER\\Software\\TrellisWineCheck"),
                          text(wideDir.c_str()), text(L"export")},
                         &result)) &&
              isTrue(result) && readFile(exportDir + "\\export.OLD") == exported &&
              readFile(exportDir + "\\export.REG") == exported,
          "a second export keeps the first as .OLD");
    check(SUCCEEDED(call(object, L"BackupKey", DISPATCH_METHOD,
                         {text(L"HKEY_CURRENT_USER\\Software\\TrellisWineCheck"),
                          text((wideDir + L"\\missing").c_str()), text(L"export")},
                         &result)) &&
              result.vt == VT_BOOL && result.boolVal == VARIANT_FALSE,
          "an export into a missing directory fails");
    check(sink.errors == std::vector<LONG>{76}, "and raises RegError 76");

    call(object, L"CurrentKey", DISPATCH_PROPERTYPUT, {text(L"HKEY_CURRENT_USER\\Software")},
         nullptr);
    check(SUCCEEDED(
              call(object, L"DeleteAKey", DISPATCH_METHOD, {text(L"TrellisWineCheck")}, &result)) &&
              isTrue(result),
          "DeleteAKey removes the key");
    check(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\TrellisWineCheck", 0, KEY_READ, &key) ==
              ERROR_FILE_NOT_FOUND,
          "the key is gone from the registry");

    if (point != nullptr) {
        check(SUCCEEDED(point->Unadvise(cookie)) && sink.references() == 1,
              "Unadvise releases the sink");
        point->Release();
    }
    if (container != nullptr) container->Release();
    object->Release();
    CoUninitialize();
    std::printf("%d failed\n", failures);
    return failures == 0 ? 0 : 1;
}
