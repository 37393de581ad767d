#pragma once
// Identifiers of the Trellis control: its class, its dispatch interface, its
// event interface and its type library.

#include <string>
#include <string_view>

#include "trellis/com/com_types.h"

extern const CLSID CLSID_Trellis;
// The interface names follow the COM convention of leading underscores.
extern const IID IID__Trellis;    // NOLINT(bugprone-reserved-identifier)
extern const IID DIID___Trellis;  // NOLINT(bugprone-reserved-identifier)
extern const GUID LIBID_Dovetail;

namespace trellis::com {
// "{5E6F2B41-8C1D-4A3B-9E27-416BD03C7215}" form, upper case, as the registry keeps it.
std::string guidText(const GUID& guid);
bool parseGuid(std::string_view text, GUID* guid);
}  // namespace trellis::com
