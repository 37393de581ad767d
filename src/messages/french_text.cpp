#include "messages/french_text.h"

namespace pointilla::messages {

std::string guillemets(std::string_view text) {
    return "«" + std::string(kNoBreakSpace) + std::string(text) + std::string(kNoBreakSpace) + "»";
}

std::string spacedGuillemets(std::string_view text) { return "« " + std::string(text) + " »"; }

std::string utf8Name(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace pointilla::messages
