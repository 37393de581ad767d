#pragma once
// Identifiers of the Trellis control (its class, its dispatch interface, its
// event interface and its type library, from the interface definition) and
// their registry text.

#include <optional>
#include <string>
#include <string_view>

#include "trellis/com/dovetail.h"

namespace trellis::com {
// "{5E6F2B41-8C1D-4A3B-9E27-416BD03C7215}" form, upper case, as the registry keeps it.
std::string guidText(const GUID& guid);
// The identifier a text of that form names; none for any other text.
std::optional<GUID> parseGuid(std::string_view text);
}  // namespace trellis::com
