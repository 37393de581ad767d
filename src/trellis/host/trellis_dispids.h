#pragma once
// Dispatch identifiers of the Trellis control's automation interface and of its
// event, as hosts bind them late; the numbers come from the interface definition.

#include <cstdint>

#include "trellis/com/dovetail.h"

namespace trellis::dispid {

inline constexpr std::int32_t CurrentKey = DISPID_CurrentKey;  // property get and put
inline constexpr std::int32_t BackupKey = DISPID_BackupKey;
inline constexpr std::int32_t SetStringVal = DISPID_SetStringVal;
inline constexpr std::int32_t GetStringVal = DISPID_GetStringVal;
inline constexpr std::int32_t SetDWORDVal = DISPID_SetDWORDVal;
inline constexpr std::int32_t GetDWORDVal = DISPID_GetDWORDVal;
inline constexpr std::int32_t KeyExists = DISPID_KeyExists;
inline constexpr std::int32_t DeleteAKey = DISPID_DeleteAKey;
inline constexpr std::int32_t CreateAKey = DISPID_CreateAKey;

// Event of the outgoing interface: RegError(lErrorCode).
inline constexpr std::int32_t RegError = DISPID_RegError;

}  // namespace trellis::dispid

namespace trellis {
// The programmatic identifier hosts create the control by.
inline constexpr const char* kProgId = "Dovetail.Trellis";
}  // namespace trellis
