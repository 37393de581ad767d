#pragma once
// What is wrong with a .REG file that an import refuses. Vocabulary shared by
// the reader that finds it and the messages that word it.

namespace pointilla {

enum class RegFileProblem {
    NotRegistryFile,         // the first line is no header
    Utf8File,                // a UTF-8 byte-order mark
    Utf16BigEndian,          // a big-endian UTF-16 byte-order mark
    OddUtf16Length,          // a UTF-16 file cut in the middle of a character
    CharacterOutsideCp1252,  // subject: the character, as UTF-8
    KeyLineUnclosed,         // "[" without "]"
    TextAfterKey,            // subject: the text after "]"
    UnknownRoot,             // subject: the root name
    EmptyKeyName,            // subject: the key path
    RootRemoval,             // subject: the root name
    NulInKey,
    NulInName,
    LineNotUnderstood,  // neither key, value, comment nor blank
    ValueBeforeKey,
    ValueUnderRemovedKey,
    NameUnclosed,
    NameTooLong,  // subject: the length
    EqualsExpected,
    UnknownEscape,  // subject: the escaped character
    UnknownData,
    TextUnclosed,
    TextAfterData,
    BadDword,
    BadHexType,
    BadHexBytes,
    ContinuationNotHex,      // a hex line ending in ",\" followed by something else
    ContinuationOutsideHex,  // a backslash ends a line that is not hex data
    OddUtf16Text,            // hex(1), hex(2) or hex(7) bytes in a UTF-16 file
};

}  // namespace pointilla
