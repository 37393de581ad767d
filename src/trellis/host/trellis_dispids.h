#pragma once
// Dispatch identifiers of the Trellis control's automation interface and of its
// event, as hosts bind them late.

#include <cstdint>

namespace trellis::dispid {

inline constexpr std::int32_t CurrentKey = 0x68030000;  // property get and put
inline constexpr std::int32_t BackupKey = 0x60030001;
inline constexpr std::int32_t SetStringVal = 0x60030002;
inline constexpr std::int32_t GetStringVal = 0x60030003;
inline constexpr std::int32_t SetDWORDVal = 0x60030004;
inline constexpr std::int32_t GetDWORDVal = 0x60030005;
inline constexpr std::int32_t KeyExists = 0x60030006;
inline constexpr std::int32_t DeleteAKey = 0x60030007;
inline constexpr std::int32_t CreateAKey = 0x60030008;

// Event of the outgoing interface: RegError(lErrorCode).
inline constexpr std::int32_t RegError = 1;

}  // namespace trellis::dispid

namespace trellis {
// The programmatic identifier hosts create the control by.
inline constexpr const char* kProgId = "Dovetail.Trellis";
}  // namespace trellis
