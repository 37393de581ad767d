// Saves what a headless mutter shows on its primary monitor, pointer drawn in,
// as a PNG, for looking at a window by hand.
//   gnome_screenshot FILE.png
// Exits 1 when no frame came within ten seconds.

#include <QString>

#include "frame_grab.h"

int main(int argc, char** argv) {
    if (argc != 2) return 1;
    const auto frame = pointilla::testing::grabPrimaryMonitor();
    return frame && frame->save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
