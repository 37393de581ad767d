#include "trellis/com/member_table.h"

namespace trellis::com {
namespace {

OLECHAR lowerAscii(OLECHAR c) { return c >= u'A' && c <= u'Z' ? static_cast<OLECHAR>(c + 32) : c; }

bool sameNameIgnoringCase(LPCOLESTR wanted, const char* name) {
    if (wanted == nullptr) return false;
    std::size_t i = 0;
    for (; wanted[i] != 0 && name[i] != 0; ++i) {
        if (lowerAscii(wanted[i]) != lowerAscii(static_cast<OLECHAR>(name[i]))) return false;
    }
    return wanted[i] == 0 && name[i] == 0;
}

}  // namespace

const MemberInfo* findMember(DISPID id, WORD flags) {
    for (const MemberInfo& m : kTrellisMembers) {
        if (m.id != id) continue;
        switch (m.kind) {
            case MemberKind::PropertyPut:
                if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) return &m;
                break;
            case MemberKind::PropertyGet:
                if (flags & DISPATCH_PROPERTYGET) return &m;
                break;
            case MemberKind::Method:
                if (flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET)) return &m;
                break;
        }
    }
    return nullptr;
}

HRESULT idsOfNames(LPOLESTR* names, UINT count, DISPID* ids) {
    if (names == nullptr || ids == nullptr || count == 0) return E_INVALIDARG;
    // A property's get and put share one name; the put row names its argument.
    const MemberInfo* member = nullptr;
    for (const MemberInfo& m : kTrellisMembers) {
        if (sameNameIgnoringCase(names[0], m.name) && (member == nullptr || m.argumentCount > 0))
            member = &m;
    }
    HRESULT hr = member != nullptr ? S_OK : DISP_E_UNKNOWNNAME;
    ids[0] = member != nullptr ? member->id : DISPID_UNKNOWN;
    for (UINT i = 1; i < count; ++i) {
        ids[i] = DISPID_UNKNOWN;
        for (UINT a = 0; member != nullptr && a < member->argumentCount; ++a) {
            if (sameNameIgnoringCase(names[i], member->arguments[a].name))
                ids[i] = static_cast<DISPID>(a);
        }
        if (ids[i] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
}

}  // namespace trellis::com
