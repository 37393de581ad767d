#pragma once
// The program's icon, drawn at 16 and 32 pixels: the window and the tray icon
// show the same one.

#include <QIcon>

namespace pointilla::shell {

QIcon pointillaIcon();

}  // namespace pointilla::shell
