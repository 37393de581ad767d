#include "shell/help_page.h"

namespace pointilla::shell {

std::filesystem::path helpPage(const std::filesystem::path& programDirectory,
                               language::Language language) {
    const char* page =
        language == language::Language::French ? POINTILLA_HELP_FRENCH : POINTILLA_HELP_ENGLISH;
    return (programDirectory / page).lexically_normal();
}

}  // namespace pointilla::shell
