#pragma once
// What the programs say about a scenario file they could not read
// or write: the reason (after a colon), then the sentence around it.

#include <cstdint>
#include <string>
#include <string_view>

namespace pointilla::messages {

// The system refused: "disque plein", "permission refusée"... never the
// system's own (English) words; an unknown error by its number.
std::string systemFileReason(int systemError);

// A FIFO, a device or a socket where a file was expected.
std::string notRegularFileReason();

// Larger than limitBytes, which is far more than a scenario holds.
std::string fileTooLargeReason(std::uintmax_t limitBytes);

// A character of row (1-based) that the file's code page lacks.
std::string unencodableCharacterReason(int row, char32_t character);

// Why the reading of a scenario file stopped at a line.
std::string emptyLineReason();
std::string noSeparatorReason();
std::string noSecondSeparatorReason();

// The window's message boxes; file as the person chose it, fileName its last part.
std::string openFailedMessage(std::string_view file, std::string_view reason);
std::string readStoppedMessage(std::string_view fileName, int line, std::string_view reason);
std::string saveFailedMessage(std::string_view file, std::string_view reason);

// The command-line player's lines; file as it may be shown on a terminal.
std::string unreadableFileMessage(std::string_view file, std::string_view reason);
std::string readingStoppedAtMessage(std::string_view file, int line, std::string_view reason);
std::string nothingPlayedMessage();
// A header line of the file, whose captions are not rows.
std::string headerCaptionsNote(std::string_view label8, std::string_view label9);

}  // namespace pointilla::messages
