#pragma once
// The program's icon, as the main window, the tray and the About box show it.

#include <QIcon>

namespace pointilla::shell {

// Every size the program carries (16 to 256 pixels), built into the program so
// it shows without an installed icon theme.
QIcon applicationIcon();

// The toolbar's "tray" picture: a window going down into the tray.
QIcon windowToTrayIcon();

}  // namespace pointilla::shell
