#pragma once
// What the programs say, in French, when a playback meets a desktop that went
// away, a page that could not be opened, or a page handler that takes too long.

#include <string>
#include <string_view>

namespace pointilla::messages {

// « Le bureau ne répond plus : lecture arrêtée à la ligne 3 »
std::string desktopLostMessage(int row);

// The window's own display went away outside a playback: the program ends.
std::string displayLostMessage();

// The program that opens pages could not even be started for a "URL" row; the
// playback goes on.
std::string pageNotOpenedMessage(int row, const std::string& target);

// A "URL" row no longer waits for the handler still opening an earlier address.
std::string handlerLetGoMessage(std::string_view address);

}  // namespace pointilla::messages
