#pragma once
// What the trellis command says: its usage, the control's RegError
// codes, its own mistakes and failures, why an import wrote nothing and why the
// control could not be loaded or created. The registry store's and the
// system's own reasons come after these words as they were given.

#include <cstdint>
#include <string>
#include <string_view>

#include "common/host_failure.h"
#include "common/reg_file_problem.h"

namespace pointilla::messages {

inline constexpr std::string_view kTrellisProgram = "trellis";

// --help: the commands, then registryNote (where the registry lives on this
// system), then the exit codes.
std::string trellisUsageText(std::string_view registryNote);
std::string storeLocationNote();                       // the registry store's file
std::string userRegistrationNote();                    // Windows: register acts for the user
std::string windowsImportHint(std::string_view file);  // Windows imports itself

// Mistakes on the command line.
std::string commandMissing();
std::string unknownCommand(std::string_view command);
std::string wrongArguments(std::string_view command);
std::string notA32BitNumber(std::string_view text);
std::string notAValueType(std::string_view text);

// "RegError 1012 : la valeur ne peut pas être lue": the control's event code and its meaning.
std::string regErrorLine(std::int32_t code);

// The control's own failures around a member call.
std::string keyRefused(std::string_view key);
std::string callFailed();
std::string memberFailed(std::string_view command);

// Why an import wrote nothing; file as named, key and value names in UTF-8;
// storeReason, the store's own words, follows when there are some.
std::string regFileProblemText(RegFileProblem problem, std::string_view subject);
std::string importUnreadable(std::string_view file, std::string_view reason);
std::string importMalformed(std::string_view file, std::size_t line, std::string_view problem);
std::string importLoadsProgram(std::string_view file, std::string_view key, std::string_view value);
std::string storeUnavailable(std::string_view storeReason);
std::string cannotRemoveKey(std::string_view key, std::string_view storeReason);
std::string cannotCreateKey(std::string_view key, std::string_view storeReason);
std::string cannotWriteValue(std::string_view key, std::string_view value,
                             std::string_view storeReason);
std::string storeRefusedImport(std::string_view storeReason);

// Why the control could not be loaded, registered or created.
std::string hostFailureText(const HostFailure& failure);

}  // namespace pointilla::messages
