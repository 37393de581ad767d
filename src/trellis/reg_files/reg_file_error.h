#pragma once
// Why a .REG file was refused: what is wrong, the line (1-based; 0 when the
// whole file is concerned) and the name or character involved. The command
// that imports chooses the words.

#include <cstddef>
#include <string>

namespace trellis {

struct RegFileError {
    enum class Kind {
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
    Kind kind = Kind::NotRegistryFile;
    std::size_t line = 0;
    std::string subject;  // UTF-8
};

}  // namespace trellis
