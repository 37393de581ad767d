#pragma once
// The typography every message shares: French quotation marks, and the text
// of numbers and file names inside a sentence.

#include <filesystem>
#include <string>
#include <string_view>

namespace pointilla::messages {

// A no-break space, invisible in the source, so named.
inline constexpr std::string_view kNoBreakSpace = " ";

// « text », the marks held to the text by no-break spaces.
std::string guillemets(std::string_view text);

// « text », with plain spaces: the older sentences' form, kept as people know it.
std::string spacedGuillemets(std::string_view text);

// A file name as the messages' UTF-8 text, on Windows too (where the narrow
// form is the ANSI code page's).
std::string utf8Name(const std::filesystem::path& path);

}  // namespace pointilla::messages
