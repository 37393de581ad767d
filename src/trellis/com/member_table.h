#pragma once
// The members of _Trellis as the interface definition declares them: name,
// dispatch identifier, kind, argument names and types. The rows are generated
// from dovetail.idl; the object dispatches through them on every system.

#include <array>
#include <optional>
#include <string_view>

#include "trellis/com/dovetail.h"

namespace trellis::com {

enum class MemberKind { Method, PropertyGet, PropertyPut };

struct ArgumentInfo {
    const char* name;
    VARTYPE type;
};

struct MemberInfo {
    const char* name;
    DISPID id;
    MemberKind kind;
    VARTYPE result;  // VT_EMPTY when the member returns nothing
    UINT argumentCount;
    std::array<ArgumentInfo, 3> arguments;
};

inline constexpr MemberInfo kTrellisMembers[] = {
#include "dovetail_members.inc"
};

// The member a call reaches: its identifier and how it is invoked (flags of
// IDispatch::Invoke); nullptr when none.
const MemberInfo* findMember(DISPID id, WORD flags);
// GetIDsOfNames, ignoring case as Visual Basic does: names[0] is the member,
// the others its arguments, answered by their position.
HRESULT idsOfNames(LPOLESTR* names, UINT count, DISPID* ids);

}  // namespace trellis::com
