#pragma once
// What the programs tell the desktop about themselves when they ask for its
// input or its shortcuts; the desktop shows it to the person.

#include <string>

namespace pointilla::messages {

// Why Pointilla asks KWin for fake input.
std::string fakeInputPurpose();

// The shortcuts bound through the desktop's portal.
std::string stopShortcutDescription();
std::string captureShortcutDescription();

}  // namespace pointilla::messages
