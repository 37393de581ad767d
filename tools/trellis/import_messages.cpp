#include "import_messages.h"

#include "messages/file_messages.h"
#include "messages/french_text.h"
#include "messages/trellis_messages.h"

namespace trellis::cli {
namespace {

namespace words = pointilla::messages;

std::string fileText(const pointilla::platform::files::FileError& e) {
    using FileKind = pointilla::platform::files::FileError::Kind;
    switch (e.kind) {
        case FileKind::NotRegularFile:
            return words::notRegularFileReason();
        case FileKind::TooLarge:
            return words::fileTooLargeReason(e.limit);
        case FileKind::System:
            break;
    }
    return words::systemFileReason(e.systemError);
}

}  // namespace

std::string importFailureText(const std::filesystem::path& file, const ImportFailure& failure) {
    using Import = ImportFailure::Kind;
    const std::string name = words::utf8Name(file);
    switch (failure.kind) {
        case Import::Unreadable:
            return words::importUnreadable(name, fileText(failure.file));
        case Import::Malformed:
            return words::importMalformed(
                name, failure.malformed.line,
                words::regFileProblemText(failure.malformed.kind, failure.malformed.subject));
        case Import::LoadsProgram:
            return words::importLoadsProgram(name, failure.key, failure.value);
        case Import::StoreUnavailable:
            return words::storeUnavailable(failure.storeReason);
        case Import::CannotRemove:
            return words::cannotRemoveKey(failure.key, failure.storeReason);
        case Import::CannotCreate:
            return words::cannotCreateKey(failure.key, failure.storeReason);
        case Import::CannotWrite:
            return words::cannotWriteValue(failure.key, failure.value, failure.storeReason);
        case Import::StoreRefused:
            return words::storeRefusedImport(failure.storeReason);
    }
    return words::storeRefusedImport(failure.storeReason);
}

}  // namespace trellis::cli
