// The registry store's own words for why the latest entry into the library on
// this thread failed (busy, read-only, damaged...), "" when none, cut to fit
// buffer; taking them clears them. Hosts tell their user why instead of
// guessing. Windows has no store of its own and no such entry point.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "platform/com/com_interfaces.h"
#include "trellis/control/error_info.h"

STDAPI_(void) TrellisTakeStoreFailure(char* buffer, std::uint32_t size) {
    if (buffer == nullptr || size == 0) return;
    const std::string why = trellis::takeEntryErrorInfo();
    const std::size_t length = std::min<std::size_t>(why.size(), size - 1);
    std::memcpy(buffer, why.data(), length);
    buffer[length] = '\0';
}
