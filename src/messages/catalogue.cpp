#include "messages/catalogue.h"

#include <atomic>

#include "messages/english_catalogue.h"

namespace pointilla::messages {
namespace {

std::atomic<MessageLanguage> currentLanguage{MessageLanguage::French};

}  // namespace

void setMessageLanguage(MessageLanguage language) { currentLanguage = language; }

MessageLanguage messageLanguage() { return currentLanguage; }

std::string_view translated(std::string_view context, std::string_view french) {
    if (currentLanguage != MessageLanguage::English) return french;
    for (const CatalogueEntry& entry : englishCatalogue()) {
        if (entry.source == french && entry.context == context) return entry.translation;
    }
    // A sentence the catalogue lacks is still said, in French, rather than lost.
    return french;
}

std::string filled(std::string_view text, std::initializer_list<std::string_view> arguments) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool placeholder =
            text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9';
        const auto index = placeholder ? static_cast<std::size_t>(text[i + 1] - '1') : 0;
        if (placeholder && index < arguments.size()) {
            result += *(arguments.begin() + index);
            ++i;
        } else {
            result += text[i];
        }
    }
    return result;
}

bool takesPlural(long long count) {
    return currentLanguage == MessageLanguage::English ? count != 1 : count > 1;
}

}  // namespace pointilla::messages
