#include "scenario_files/scenario_files.h"

#include "messages/file_messages.h"
#include "platform/files/read_file.h"
#include "platform/files/replace_file.h"

namespace pointilla::scenario_files {

std::string fileFailureReason(const platform::files::FileError& error) {
    using Kind = platform::files::FileError::Kind;
    switch (error.kind) {
        case Kind::NotRegularFile:
            return messages::notRegularFileReason();
        case Kind::TooLarge:
            return messages::fileTooLargeReason(error.limit);
        case Kind::System:
            break;
    }
    return messages::systemFileReason(error.systemError);
}

std::string encodeFailureReason(const scenario::EncodeError& error) {
    return messages::unencodableCharacterReason(error.row, error.character);
}

std::string readStopReason(scenario::ReadStop::Reason reason) {
    switch (reason) {
        case scenario::ReadStop::Reason::EmptyLine:
            return messages::emptyLineReason();
        case scenario::ReadStop::Reason::NoSeparator:
            return messages::noSeparatorReason();
        case scenario::ReadStop::Reason::NoSecondSeparator:
            return messages::noSecondSeparatorReason();
    }
    return {};
}

Result<scenario::SceContent, std::string> openScenarioFile(const std::filesystem::path& path) {
    const auto bytes = platform::files::readRegularFile(path, scenario::kMaxSceFileBytes);
    if (!bytes) return fail(fileFailureReason(bytes.error()));
    return scenario::parseSce(*bytes);
}

Status<std::string> saveScenarioFile(const std::filesystem::path& path,
                                     const std::vector<scenario::Row>& rows) {
    const auto bytes = scenario::encodeSce(rows);
    if (!bytes) return fail(encodeFailureReason(bytes.error()));
    const auto saved = platform::files::replaceFileContent(path, *bytes);
    if (!saved) return fail(fileFailureReason(saved.error()));
    return {};
}

}  // namespace pointilla::scenario_files
