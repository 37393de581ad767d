#pragma once
// What the window asks and tells the person, beyond its captions.

#include <string>

namespace pointilla::messages {

// Before the rows are set aside (another file opened, the list emptied).
std::string saveFirstQuestion();
std::string saveBeforeQuitQuestion();
std::string quitQuestion();

// The tooltip of "Capturer la position", where no hot key can be heard.
std::string delayedCaptureHint();

// The item dialogs refuse a position that is not two whole numbers.
std::string positionNotWholeNumbersMessage();

// The About box's system-information tool cannot be found or started.
std::string systemInfoUnavailableMessage();

// The control could not be created: the box's title, and what follows the
// reason (the program runs on its defaults).
std::string settingsBoxTitle();
std::string defaultSettingsNotice();

// The window program's command line, after a mistake in it.
std::string windowUsageLine();

}  // namespace pointilla::messages
