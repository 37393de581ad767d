#pragma once
// Twips and HIMETRIC (hundredths of a millimetre), the unit OLE measures a
// control's extent in: 1440 twips and 2540 HIMETRIC to the inch, rounded.

#include <cstdint>

namespace trellis::com {

constexpr std::int32_t himetricFromTwips(std::int32_t twips) {
    return static_cast<std::int32_t>((static_cast<std::int64_t>(twips) * 2540 + 720) / 1440);
}
constexpr std::int32_t twipsFromHimetric(std::int32_t himetric) {
    return static_cast<std::int32_t>((static_cast<std::int64_t>(himetric) * 1440 + 1270) / 2540);
}

}  // namespace trellis::com
