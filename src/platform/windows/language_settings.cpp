#include "platform/language_settings.h"

#include <windows.h>

#include "platform/windows/wide_text.h"

namespace pointilla::platform {

// The language Windows shows its own menus and dialogs in, which the person
// chose in the settings, rather than the regional formats.
std::vector<std::string> systemLanguageSettings() {
    wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
    const LCID locale = MAKELCID(GetUserDefaultUILanguage(), SORT_DEFAULT);
    if (LCIDToLocaleName(locale, name, LOCALE_NAME_MAX_LENGTH, 0) == 0) return {""};
    return {windows::wideToUtf8(name)};
}

}  // namespace pointilla::platform
