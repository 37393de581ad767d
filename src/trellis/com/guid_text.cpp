#include <cstdint>
#include <cstdio>
#include <optional>
#include <string_view>

#include "trellis/com/trellis_guids.h"

namespace trellis::com {

std::string guidText(const GUID& g) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<std::uint32_t>(g.Data1), g.Data2, g.Data3, g.Data4[0], g.Data4[1],
                  g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
    return buffer;
}

std::optional<GUID> parseGuid(std::string_view text) {
    if (text.size() != 38 || text.front() != '{' || text.back() != '}') return std::nullopt;
    const std::string inner(text.substr(1, 36));
    unsigned d1 = 0, d2 = 0, d3 = 0;
    unsigned b[8] = {};
    int used = 0;
    const int n = std::sscanf(inner.c_str(), "%8x-%4x-%4x-%2x%2x-%2x%2x%2x%2x%2x%2x%n", &d1, &d2,
                              &d3, &b[0], &b[1], &b[2], &b[3], &b[4], &b[5], &b[6], &b[7], &used);
    if (n != 11 || used != 36) return std::nullopt;
    GUID guid{};
    guid.Data1 = d1;
    guid.Data2 = static_cast<std::uint16_t>(d2);
    guid.Data3 = static_cast<std::uint16_t>(d3);
    for (int i = 0; i < 8; ++i) guid.Data4[i] = static_cast<std::uint8_t>(b[i]);
    return guid;
}

}  // namespace trellis::com
