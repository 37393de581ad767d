#pragma once
// Which language the programs speak to a person: French, the program's own,
// or English for everyone whose language it has no words for.

#include <string>
#include <string_view>
#include <vector>

namespace pointilla::language {

enum class Language { French, English };

// The rule. `chosen` is POINTILLA_LANGUAGE: "fr" or "en" decide, anything else
// is ignored. Otherwise the first non-empty one of `settings` (the system's,
// most important first) decides. A setting may be a colon list (LANGUAGE): its
// first French or English entry decides; C or POSIX mean French; a list of
// other languages only means English. Nothing set means French.
Language chooseLanguage(std::string_view chosen, const std::vector<std::string>& settings);

// This run's language: the rule on POINTILLA_LANGUAGE and the system's settings.
Language interfaceLanguage();

// Decides this run's language once and makes the messages speak it; called
// early by every program (and by the control's library, which has its own copy
// of the messages).
Language settleInterfaceLanguage();

}  // namespace pointilla::language
