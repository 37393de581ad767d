// A Windows host that creates the registered control by its programmatic
// identifier and drives it through IDispatch::Invoke, as a late-binding client
// does; it checks what lands in the real registry and in the exported file, the
// type information oleaut32 reads from the embedded type library (printed as a
// dump), the class information a container finds the event by, and the
// argument conversions.
//   com_client_check.exe <export-directory>
// Prints one line per check and exits non-zero when any failed.

// windows.h first: the OLE headers build on it.
// clang-format off
#include <windows.h>
#include <ocidl.h>
#include <ole2.h>
// clang-format on

#include <cstdio>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "../conversion_cases.h"
#include "trellis/com/com_object.h"

namespace {

int failures = 0;

void check(bool ok, const std::string& what) {
    std::printf("%s: %s\n", ok ? "ok" : "FAILED", what.c_str());
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

// The event interface, as the class information names it; RegError has dispatch id 1.
IID kEventInterface = {};

std::string narrow(BSTR text) { return conversion_cases::ascii(text); }

// Prints the members of an interface's type information (its vtable view, so
// arguments are listed without the result) and returns them as
// "name id(arguments)" lines, e.g. "SetDWORDVal 0x60030004(sValueName,lNewDWORDValue)".
std::vector<std::string> dumpTypeInfo(ITypeInfo* dispatchView) {
    std::vector<std::string> members;
    ITypeInfo* info = dispatchView;
    HREFTYPE vtableView = 0;
    if (FAILED(dispatchView->GetRefTypeOfImplType(static_cast<UINT>(-1), &vtableView)) ||
        FAILED(dispatchView->GetRefTypeInfo(vtableView, &info))) {
        std::printf("  typeinfo: no vtable view of the dual interface\n");
        return members;
    }
    TYPEATTR* attributes = nullptr;
    if (SUCCEEDED(info->GetTypeAttr(&attributes))) {
        for (UINT i = 0; i < attributes->cFuncs; ++i) {
            FUNCDESC* function = nullptr;
            if (FAILED(info->GetFuncDesc(i, &function))) continue;
            BSTR names[8] = {};
            UINT count = 0;
            info->GetNames(function->memid, names, 8, &count);
            char id[16];
            std::snprintf(id, sizeof id, "0x%08lX", static_cast<unsigned long>(function->memid));
            std::string line = narrow(names[0]) + " " + id + "(";
            bool first = true;
            // GetNames answers for the first function of an identifier, the get of a
            // property: a put's argument is counted instead.
            if (function->invkind == INVOKE_PROPERTYPUT) {
                line += std::to_string(function->cParams) + " argument";
                count = 1;
            }
            for (SHORT a = 0; a < function->cParams && a + 1 < static_cast<SHORT>(count); ++a) {
                if (function->lprgelemdescParam[a].paramdesc.wParamFlags & PARAMFLAG_FRETVAL)
                    continue;
                line += (first ? "" : ",") + narrow(names[a + 1]);
                first = false;
            }
            line += ")";
            if (function->invkind == INVOKE_PROPERTYGET) line += " get";
            if (function->invkind == INVOKE_PROPERTYPUT) line += " put";
            std::printf("  typeinfo: %s\n", line.c_str());
            members.push_back(line);
            for (BSTR& n : names) SysFreeString(n);
            info->ReleaseFuncDesc(function);
        }
        info->ReleaseTypeAttr(attributes);
    }
    info->Release();
    return members;
}

// A host's event sink: records the error codes RegError brings.
class EventSink final : public trellis::com::DispatchObject {
  public:
    EventSink() : DispatchObject(kEventInterface) {}
    std::vector<LONG> errors;

    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                                     EXCEPINFO*, UINT*) override {
        if (id == 1 && params != nullptr && params->cArgs == 1 && params->rgvarg[0].vt == VT_I4) {
            errors.push_back(params->rgvarg[0].lVal);
        }
        return S_OK;
    }

  private:
    void lastReleased() override {}  // lives on the stack
};

std::string readFile(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

// The wide arguments: the folder may hold any character, as in C:\Users\Hélène.
int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: com_client_check <export-directory>\n");
        return 2;
    }
    const std::wstring exportDir = argv[1];
    if (FAILED(CoInitialize(nullptr))) return 1;

    CLSID clsid{};
    check(SUCCEEDED(CLSIDFromProgID(L"Dovetail.Trellis", &clsid)), "the ProgID is registered");
    IDispatch* object = nullptr;
    check(SUCCEEDED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                     reinterpret_cast<void**>(&object))),
          "CoCreateInstance gives the control's IDispatch");
    if (object == nullptr) return 1;

    // Type information: one, the _Trellis interface with every member.
    UINT typeInfoCount = 0;
    ITypeInfo* typeInfo = nullptr;
    check(SUCCEEDED(object->GetTypeInfoCount(&typeInfoCount)) && typeInfoCount == 1,
          "GetTypeInfoCount answers 1");
    std::vector<std::string> members;
    if (SUCCEEDED(object->GetTypeInfo(0, LOCALE_USER_DEFAULT, &typeInfo))) {
        BSTR name = nullptr;
        typeInfo->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr);
        std::printf("  typeinfo: interface %s\n", narrow(name).c_str());
        check(narrow(name) == "_Trellis", "GetTypeInfo gives the _Trellis interface");
        SysFreeString(name);
        members = dumpTypeInfo(typeInfo);
        ITypeLib* library = nullptr;
        UINT index = 0;
        if (SUCCEEDED(typeInfo->GetContainingTypeLib(&library, &index))) {
            BSTR libraryName = nullptr;
            BSTR help = nullptr;
            library->GetDocumentation(-1, &libraryName, &help, nullptr, nullptr);
            std::printf("  typelib: %s \"%s\"\n", narrow(libraryName).c_str(),
                        narrow(help).c_str());
            check(narrow(libraryName) == "Dovetail" &&
                      narrow(help) == "Trellis - Provides easy access to registry functions",
                  "the type library is Dovetail with its help text");
            SysFreeString(libraryName);
            SysFreeString(help);
            library->Release();
        }
        typeInfo->Release();
    }
    const std::vector<std::string> expected = {
        "CurrentKey 0x68030000() get",
        "CurrentKey 0x68030000(1 argument) put",
        "BackupKey 0x60030001(sKeytoBackup,sBackupDir,sBackupFile)",
        "SetStringVal 0x60030002(sValueName,sNewStringValue)",
        "GetStringVal 0x60030003(ValueName)",
        "SetDWORDVal 0x60030004(sValueName,lNewDWORDValue)",
        "GetDWORDVal 0x60030005(ValueName)",
        "KeyExists 0x60030006(sValueName,lValueType)",
        "DeleteAKey 0x60030007(sValueName)",
        "CreateAKey 0x60030008(sNewKeyName)",
    };
    check(members == expected, "the type information lists every member, id and argument");
    {
        LPOLESTR names[] = {const_cast<LPOLESTR>(L"KEYEXISTS"),
                            const_cast<LPOLESTR>(L"lvaluetype")};
        DISPID ids[2] = {};
        check(SUCCEEDED(object->GetIDsOfNames(IID_NULL, names, 2, LOCALE_USER_DEFAULT, ids)) &&
                  ids[0] == 0x60030006 && ids[1] == 1,
              "GetIDsOfNames ignores case, for members and arguments");
    }

    // Class information: the coclass Trellis, whose default source is the event interface.
    IProvideClassInfo2* classInfo = nullptr;
    if (SUCCEEDED(
            object->QueryInterface(IID_IProvideClassInfo2, reinterpret_cast<void**>(&classInfo)))) {
        ITypeInfo* coclass = nullptr;
        BSTR name = nullptr;
        check(SUCCEEDED(classInfo->GetClassInfo(&coclass)) &&
                  SUCCEEDED(
                      coclass->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr)) &&
                  narrow(name) == "Trellis",
              "IProvideClassInfo gives the class Trellis");
        SysFreeString(name);
        if (coclass != nullptr) coclass->Release();
        check(SUCCEEDED(classInfo->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &kEventInterface)),
              "IProvideClassInfo2 names the default source interface");
        classInfo->Release();
    } else {
        check(false, "the control answers IProvideClassInfo2");
    }

    // The host listens to RegError through the connection point the class info named.
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

    check(SUCCEEDED(call(object, L"BackupKey", DISPATCH_METHOD,
                         {text(L"HKEY_CURRENT_USER\\Software\\TrellisWineCheck"),
                          text(exportDir.c_str()), text(L"export")},
                         &result)) &&
              isTrue(result),
          "BackupKey exports the key");
    const std::string exported = readFile(exportDir + L"\\export.REG");
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
                          text(exportDir.c_str()), text(L"export")},
                         &result)) &&
              isTrue(result) && readFile(exportDir + L"\\export.OLD") == exported &&
              readFile(exportDir + L"\\export.REG") == exported,
          "a second export keeps the first as .OLD");
    check(SUCCEEDED(call(object, L"BackupKey", DISPATCH_METHOD,
                         {text(L"HKEY_CURRENT_USER\\Software\\TrellisWineCheck"),
                          text((exportDir + L"\\missing").c_str()), text(L"export")},
                         &result)) &&
              result.vt == VT_BOOL && result.boolVal == VARIANT_FALSE,
          "an export into a missing directory fails");
    check(sink.errors == std::vector<LONG>{76}, "and raises RegError 76");

    // Arguments arrive in their declared types, whatever a script passes.
    sink.errors.clear();
    conversion_cases::run(object, check);

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
