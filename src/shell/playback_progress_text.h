#pragma once
// The texts that follow a playback: the remaining wait beside "Lecture en
// cours..." and the tray icon's tooltip, so that a hidden playback can be
// followed too.

#include <QString>

#include "playback/playback_engine.h"

namespace pointilla::shell {

// "encore 4 s" during a wait, else empty.
QString remainingWaitText(const playback::Progress& progress);

// "Pointilla – ligne 3 sur 12, encore 4 s", with " (passage 2 sur 5)" or
// " (passage 2, en boucle)" when the scenario is played more than once.
QString playbackToolTip(const QString& title, const playback::Progress& progress);

}  // namespace pointilla::shell
