#include "trellis/control/type_library.h"

#include <string>

namespace trellis {

bool libraryHasTypeLibrary() { return true; }

com::ComPtr<ITypeInfo> typeInfoOf(REFGUID guid) {
    HMODULE module = nullptr;
    if (!GetModuleHandleExW(
            GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
            reinterpret_cast<LPCWSTR>(&typeInfoOf), &module)) {
        return {};
    }
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    // Resource TYPELIB 1 of this library; oleaut32 caches what it loads.
    com::ComPtr<ITypeLib> library;
    if (FAILED(LoadTypeLibEx(path.c_str(), REGKIND_NONE, library.put()))) return {};
    com::ComPtr<ITypeInfo> info;
    if (FAILED(library->GetTypeInfoOfGuid(guid, info.put()))) return {};
    return info;
}

}  // namespace trellis
