// Hosts the registered control on a form the way an OLE control container does,
// with the container of the ATL library: a window of class "AtlAxWin" whose text
// is the ProgID creates the control, AtlAxGetControl hands it back, and the
// control is driven through IDispatch. Checks the client site, the extent of
// 500 x 480 twips in HIMETRIC however the host sizes it, and the members.
//   atl_container_check.exe
// Prints one line per check and exits non-zero when any failed.

// windows.h first: the OLE headers build on it.
// clang-format off
#include <windows.h>
#include <ole2.h>
// clang-format on

#include <cstdio>
#include <string>

namespace {

int failures = 0;

void check(bool ok, const char* what) {
    std::printf("%s: %s\n", ok ? "ok" : "FAILED", what);
    if (!ok) ++failures;
}

// Calls a member by name with up to two arguments, given first to last.
HRESULT call(IDispatch* object, const wchar_t* member, WORD flags, VARIANT* result,
             const wchar_t* first = nullptr, const wchar_t* second = nullptr) {
    DISPID id = DISPID_UNKNOWN;
    auto* name = const_cast<LPOLESTR>(member);
    HRESULT hr = object->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr)) return hr;
    VARIANT args[2];
    UINT count = 0;
    for (const wchar_t* text : {second, first}) {  // last first
        if (text == nullptr) continue;
        VariantInit(&args[count]);
        args[count].vt = VT_BSTR;
        args[count].bstrVal = SysAllocString(text);
        ++count;
    }
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{args, flags == DISPATCH_PROPERTYPUT ? &named : nullptr, count,
                      flags == DISPATCH_PROPERTYPUT ? 1u : 0u};
    if (result != nullptr) VariantInit(result);
    hr =
        object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, nullptr, nullptr);
    for (UINT i = 0; i < count; ++i) VariantClear(&args[i]);
    return hr;
}

bool isTrue(const VARIANT& v) { return v.vt == VT_BOOL && v.boolVal == VARIANT_TRUE; }

// 500 x 480 twips: 1440 twips and 2540 HIMETRIC to the inch.
constexpr LONG kWidthHimetric = (500 * 2540 + 720) / 1440;
constexpr LONG kHeightHimetric = (480 * 2540 + 720) / 1440;

bool keepsItsExtent(IOleObject* ole) {
    SIZEL size{0, 0};
    return SUCCEEDED(ole->GetExtent(DVASPECT_CONTENT, &size)) && size.cx == kWidthHimetric &&
           size.cy == kHeightHimetric;
}

}  // namespace

int main() {
    if (FAILED(OleInitialize(nullptr))) return 1;
    HMODULE atl = LoadLibraryW(L"atl.dll");
    using Init = BOOL(WINAPI*)();
    using GetControl = HRESULT(WINAPI*)(HWND, IUnknown**);
    auto init =
        reinterpret_cast<Init>(reinterpret_cast<void*>(GetProcAddress(atl, "AtlAxWinInit")));
    auto getControl = reinterpret_cast<GetControl>(
        reinterpret_cast<void*>(GetProcAddress(atl, "AtlAxGetControl")));
    check(init != nullptr && getControl != nullptr && init(), "the ATL container is ready");
    if (failures > 0) return 1;

    HWND form = CreateWindowExW(0, L"STATIC", L"Form1", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300,
                                nullptr, nullptr, nullptr, nullptr);
    HWND site = CreateWindowExW(0, L"AtlAxWin", L"Dovetail.Trellis", WS_CHILD | WS_VISIBLE, 10, 10,
                                200, 100, form, nullptr, nullptr, nullptr);
    check(form != nullptr && site != nullptr, "an AtlAxWin window is created for the ProgID");
    IUnknown* control = nullptr;
    check(site != nullptr && SUCCEEDED(getControl(site, &control)) && control != nullptr,
          "AtlAxGetControl gives the hosted control");
    if (control == nullptr) return 1;

    IOleObject* ole = nullptr;
    if (SUCCEEDED(control->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&ole)))) {
        IOleClientSite* clientSite = nullptr;
        check(SUCCEEDED(ole->GetClientSite(&clientSite)) && clientSite != nullptr,
              "the control holds the container's client site");
        if (clientSite != nullptr) clientSite->Release();
        check(keepsItsExtent(ole), "the control measures 500 x 480 twips in HIMETRIC");
        MoveWindow(site, 0, 0, 333, 222, TRUE);  // the container passes the new size on
        SIZEL asked{5000, 7000};
        ole->SetExtent(DVASPECT_CONTENT, &asked);
        check(keepsItsExtent(ole), "and keeps that size however the host sizes it");
        DWORD status = 0;
        check(SUCCEEDED(ole->GetMiscStatus(DVASPECT_CONTENT, &status)) &&
                  (status & OLEMISC_INVISIBLEATRUNTIME) != 0,
              "the control is invisible at run time");
        ole->Release();
    } else {
        check(false, "the control answers IOleObject");
    }

    IDispatch* object = nullptr;
    check(SUCCEEDED(control->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&object))),
          "the hosted control answers IDispatch");
    if (object != nullptr) {
        VARIANT result;
        check(SUCCEEDED(call(object, L"CurrentKey", DISPATCH_PROPERTYPUT, nullptr,
                             L"HKEY_CURRENT_USER\\Software")) &&
                  SUCCEEDED(
                      call(object, L"CreateAKey", DISPATCH_METHOD, &result, L"TrellisAtlCheck")) &&
                  isTrue(result),
              "the hosted control creates a key");
        call(object, L"CurrentKey", DISPATCH_PROPERTYPUT, nullptr,
             L"HKEY_CURRENT_USER\\Software\\TrellisAtlCheck");
        check(SUCCEEDED(call(object, L"SetStringVal", DISPATCH_METHOD, &result, L"redlec", L"1")) &&
                  isTrue(result),
              "writes a setting");
        check(SUCCEEDED(call(object, L"GetStringVal", DISPATCH_METHOD, &result, L"redlec")) &&
                  result.vt == VT_BSTR && std::wstring(result.bstrVal) == L"1",
              "and reads it back");
        VariantClear(&result);
        call(object, L"CurrentKey", DISPATCH_PROPERTYPUT, nullptr, L"HKEY_CURRENT_USER\\Software");
        check(
            SUCCEEDED(call(object, L"DeleteAKey", DISPATCH_METHOD, &result, L"TrellisAtlCheck")) &&
                isTrue(result),
            "and deletes its key");
        object->Release();
    }
    control->Release();
    DestroyWindow(site);
    DestroyWindow(form);
    OleUninitialize();
    std::printf("%d failed\n", failures);
    return failures == 0 ? 0 : 1;
}
