#pragma once
// The language the messages speak, and the catalogue of their English
// translations. Every sentence is written in French, its own language, inside
// a translated("context", "…") call: the call names it for the catalogue's
// tools and gives back the English words when the run speaks English. Parts
// (numbers, file names, reasons) go into the sentence as %1, %2…, so that a
// translation may put them where its grammar wants them.
//
// translations/messages_en.ts is brought up to date by lupdate, told the
// markers' names (-tr-function-alias QT_TRANSLATE_NOOP+=translated,
// QT_TRANSLATE_NOOP+=noted), with -locations none, over src/messages and tools;
// then each new or changed sentence gets its translation (Qt Linguist, or by
// hand: an entry without type="unfinished" is finished).

#include <initializer_list>
#include <string>
#include <string_view>

namespace pointilla::messages {

enum class MessageLanguage { French, English };

// Chosen once, early, for the whole run; French until then.
void setMessageLanguage(MessageLanguage language);
MessageLanguage messageLanguage();

// The sentence in the run's language: the French source itself, or its
// English translation. The text lives as long as the program.
std::string_view translated(std::string_view context, std::string_view french);

// Only names a sentence for the catalogue, in a table that is translated later
// with translated(context, text).
constexpr std::string_view noted(std::string_view /*context*/, std::string_view french) {
    return french;
}

// text with %1 to %9 replaced by the arguments, in one pass (an argument that
// holds "%2" stays as it is).
std::string filled(std::string_view text, std::initializer_list<std::string_view> arguments);

// Whether a count takes the plural in the run's language: French says "0 clic",
// English "0 clicks".
bool takesPlural(long long count);

}  // namespace pointilla::messages
