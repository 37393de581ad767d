#include "editing/dialogs/position_bounds.h"

#include <string>

namespace pointilla::editing::dialogs {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// A signed whole number; magnitudes beyond any screen saturate rather than fail,
// so that a long run of digits is still "greater than the screen".
std::optional<long long> parseSaturating(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    constexpr long long kCeiling = 1'000'000'000'000LL;
    long long value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        if (value < kCeiling) value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

}  // namespace

std::optional<std::string> boundCoordinateText(std::string_view box, int limit) {
    const auto value = parseSaturating(box);
    if (!value) return std::nullopt;
    // Below the 32-bit range nothing downstream could read the number back.
    if (*value < -2'147'483'648LL) return std::nullopt;
    if (*value > limit) return std::to_string(static_cast<long long>(limit) - 1);
    return std::string(box);
}

std::optional<BoundedPosition> boundPosition(std::string_view xBox, std::string_view yBox,
                                             platform::ScreenSize screen) {
    auto x = boundCoordinateText(xBox, screen.width);
    auto y = boundCoordinateText(yBox, screen.height);
    if (!x || !y) return std::nullopt;
    return BoundedPosition{std::move(*x), std::move(*y)};
}

}  // namespace pointilla::editing::dialogs
