#pragma once
// What registering the control writes (its programmatic identifier, its class
// and, where the library carries one, its type library and interfaces), for the
// whole machine under HKEY_CLASSES_ROOT or for one user under
// HKEY_CURRENT_USER\Software\Classes, and its removal.

#include <string>

#include "platform/com/com_types.h"

namespace trellis {

inline constexpr const char* kHelpText = "Trellis - Provides easy access to registry functions";

enum class RegistrationScope { Machine, User };

// Writes the registration of the class served by libraryPath; on failure
// removes what it wrote.
HRESULT registerClass(const std::string& libraryPath, RegistrationScope scope,
                      bool withTypeLibrary);
// Removes exactly what registerClass wrote; keys others added below them stay.
HRESULT unregisterClass(RegistrationScope scope, bool withTypeLibrary);

// The scope DllInstall's command line asks for: "user" (any case) is one user.
RegistrationScope scopeFromCommandLine(LPCOLESTR commandLine);

}  // namespace trellis
