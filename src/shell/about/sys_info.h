#pragma once
// The system-information tool offered by the About box: where the registry
// says it lives, and starting it.

#include <string>

#include "platform/desktop/desktop.h"
#include "platform/registry/win_types.h"

namespace pointilla::shell {

// Reads the value SubKeyRef of the key Keyname under KeyRoot into KeyVal.
// A string value is given as UTF-8; a DWORD as its decimal text; any other
// type leaves KeyVal as it was. False, with KeyVal empty, when the key cannot
// be opened or the value cannot be read.
bool GetKeyValue(HKEY KeyRoot, const std::string& Keyname, const std::string& SubKeyRef,
                 std::string& KeyVal);

// Where the registry keeps the tool: its full path, or the folder it lies in.
inline constexpr const char* kMsinfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr const char* kMsinfoValue = "PATH";
inline constexpr const char* kSharedToolsKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr const char* kSharedToolsValue = "MSINFO";
inline constexpr const char* kMsinfoProgram = "MSINFO32.EXE";

// Starts the tool named by the registry, directly and never through a shell:
// the program at the recorded full path, else MSINFO32.EXE in the recorded
// folder when that file exists. False when neither is recorded, the file is
// missing, or the program could not be started; the caller then says so.
bool StartSysInfo(platform::ProgramStarter& programs);

}  // namespace pointilla::shell
