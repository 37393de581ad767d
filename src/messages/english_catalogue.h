#pragma once
// The English translations, generated at build time from the translation file.

#include <span>
#include <string_view>

namespace pointilla::messages {

struct CatalogueEntry {
    std::string_view context;
    std::string_view source;
    std::string_view translation;
};

std::span<const CatalogueEntry> englishCatalogue();

}  // namespace pointilla::messages
