#pragma once
// What the window says when its help page cannot be shown.

#include <string>

namespace pointilla::messages {

// The page's file is missing (installation incomplete).
std::string helpPageMissingMessage(const std::string& page);
// No program could be started to show it (no browser, no handler).
std::string helpPageNotOpenedMessage(const std::string& page);

}  // namespace pointilla::messages
