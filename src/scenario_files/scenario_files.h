#pragma once
// Opening and saving scenario files where people see the outcome: the platform
// layer moves the bytes, the scenario layer gives them meaning, and a failure
// comes out as the reason the window's message boxes and pointilla-play give
// (the words are the messages'). Plain C++: both use it.

#include <filesystem>
#include <string>
#include <vector>

#include "common/result.h"
#include "platform/files/file_error.h"
#include "scenario/sce_file.h"

namespace pointilla::scenario_files {

// The file's rows and headers, or why it could not be read (in French). A
// file that is no regular file or is too large is refused before it is read.
Result<scenario::SceContent, std::string> openScenarioFile(const std::filesystem::path& path);

// Writes the rows as a careful editor does (the old file stays whole on any
// failure), or says why not (in French).
Status<std::string> saveScenarioFile(const std::filesystem::path& path,
                                     const std::vector<scenario::Row>& rows);

// Why a file could not be read or written ("disk full", "permission denied"...).
std::string fileFailureReason(const platform::files::FileError& error);

// Why the rows could not be written: the row and the character in the way.
std::string encodeFailureReason(const scenario::EncodeError& error);

// Why the reading stopped at a line.
std::string readStopReason(scenario::ReadStop::Reason reason);

}  // namespace pointilla::scenario_files
