#include "messages/french_text.h"

#include "messages/catalogue.h"

namespace pointilla::messages {

std::string guillemets(std::string_view text) {
    // The marks are held to the text by no-break spaces.
    return filled(translated("french_text", "« %1 »"), {text});
}

std::string spacedGuillemets(std::string_view text) {
    return filled(translated("french_text", "« %1 »"), {text});
}

std::string utf8Name(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace pointilla::messages
