#include "import_messages.h"

#include <cstring>

namespace trellis::cli {
namespace {

using Kind = RegFileError::Kind;

// What is wrong with the file, as a person who wrote it can mend it.
std::string malformedText(const RegFileError& e) {
    const std::string& s = e.subject;
    switch (e.kind) {
        case Kind::NotRegistryFile:
            return "not a registry file: the first line must be REGEDIT4 or \"Windows Registry "
                   "Editor Version 5.00\"";
        case Kind::Utf8File:
            return "a UTF-8 file: a .REG file is Windows-1252 text, or UTF-16LE with a byte-order "
                   "mark; save it in one of these encodings";
        case Kind::Utf16BigEndian:
            return "a big-endian UTF-16 file: a .REG file is Windows-1252 text, or UTF-16LE with "
                   "a byte-order mark; save it in one of these encodings";
        case Kind::OddUtf16Length:
            return "the UTF-16 file ends in the middle of a character";
        case Kind::CharacterOutsideCp1252:
            return "the character " + s +
                   " cannot be stored: the registry store holds Windows-1252 text";
        case Kind::KeyLineUnclosed:
            return "a key line must end with \"]\"";
        case Kind::TextAfterKey:
            return "text after the key's \"]\": " + s;
        case Kind::UnknownRoot:
            return "unknown root key \"" + s + "\"";
        case Kind::EmptyKeyName:
            return "empty key name in " + s;
        case Kind::RootRemoval:
            return "a whole root cannot be removed: " + s;
        case Kind::NulInKey:
            return "a NUL character in the key path";
        case Kind::NulInName:
            return "a NUL character in the value name";
        case Kind::LineNotUnderstood:
            return "neither a key in [ ], a value (\"name\"= or @=), a ; comment nor a blank "
                   "line";
        case Kind::ValueBeforeKey:
            return "a value before any key";
        case Kind::ValueUnderRemovedKey:
            return "a value under a key being removed";
        case Kind::NameUnclosed:
            return "the value name has no closing double quote";
        case Kind::NameTooLong:
            return "a value name of " + s + " characters (Windows allows 16,383)";
        case Kind::EqualsExpected:
            return "\"=\" expected after the value name";
        case Kind::UnknownEscape:
            return "\"\\" + s + "\" in quotes: only \\\\ and \\\" are escapes";
        case Kind::UnknownData:
            return "unknown kind of value data: a \"text\", dword:, hex: or hex(type): expected";
        case Kind::TextUnclosed:
            return "the text has no closing double quote on its line";
        case Kind::TextAfterData:
            return "text after the value's data (a comment starts with ;)";
        case Kind::BadDword:
            return "a dword is 1 to 8 hexadecimal digits";
        case Kind::BadHexType:
            return "malformed hex(type): hex: or hex(1 to 8 hexadecimal digits): expected";
        case Kind::BadHexBytes:
            return "malformed hex bytes: 00 to ff each, separated by commas, and \",\\\" to go on "
                   "on the next line";
        case Kind::ContinuationNotHex:
            return "hex bytes expected: the line before ends with \",\\\"";
        case Kind::ContinuationOutsideHex:
            return "a backslash at the end of a line continues hex data only";
        case Kind::OddUtf16Text:
            return "an odd number of bytes in text data of a UTF-16 file (hex(1), hex(2) or "
                   "hex(7) hold two bytes per character)";
    }
    return "malformed";
}

std::string fileText(const pointilla::platform::posix::FileError& e) {
    using FileKind = pointilla::platform::posix::FileError::Kind;
    switch (e.kind) {
        case FileKind::NotRegularFile:
            return "not a regular file";
        case FileKind::TooLarge:
            return "larger than " + std::to_string(e.limit) + " bytes";
        case FileKind::System:
            break;
    }
    return std::strerror(e.systemError);
}

std::string withStoreReason(const std::string& text, const std::string& reason) {
    return reason.empty() ? text : text + ": " + reason;
}

}  // namespace

std::string importFailureText(const std::filesystem::path& file, const ImportFailure& failure) {
    using Import = ImportFailure::Kind;
    const std::string name = file.string();
    switch (failure.kind) {
        case Import::Unreadable:
            return "cannot read " + name + ": " + fileText(failure.file);
        case Import::Malformed: {
            const auto& e = failure.malformed;
            const std::string where = e.line == 0 ? name : name + ":" + std::to_string(e.line);
            return where + ": " + malformedText(e);
        }
        case Import::LoadsProgram: {
            const std::string value =
                failure.value.empty() ? "the default value" : "the value \"" + failure.value + "\"";
            return name + ": refused: " + value + " of " + failure.key +
                   " names a program the tools would run; register the control with "
                   "\"trellis register\", or import with --allow-classes if you trust this file";
        }
        case Import::StoreUnavailable:
            return withStoreReason("the registry store is not available", failure.storeReason);
        case Import::CannotRemove:
            return withStoreReason("cannot remove " + failure.key, failure.storeReason);
        case Import::CannotCreate:
            return withStoreReason("cannot create " + failure.key, failure.storeReason);
        case Import::CannotWrite:
            return withStoreReason(
                "cannot write the value \"" + failure.value + "\" under " + failure.key,
                failure.storeReason);
        case Import::StoreRefused:
            return withStoreReason("the registry store refused the import", failure.storeReason);
    }
    return name + ": not imported";
}

}  // namespace trellis::cli
