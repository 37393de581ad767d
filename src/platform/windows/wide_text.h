#pragma once
// UTF-8 (the program's text) to and from UTF-16 (what the wide Windows
// functions take and give).

#include <optional>
#include <string>
#include <string_view>

namespace pointilla::platform::windows {

// std::nullopt when the text is not valid UTF-8: nothing is guessed.
std::optional<std::wstring> utf8ToWide(std::string_view text);

// Unpaired surrogates become U+FFFD.
std::string wideToUtf8(std::wstring_view text);

}  // namespace pointilla::platform::windows
