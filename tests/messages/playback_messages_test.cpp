// Where a playback is reads the same in the window's tooltip and on the
// player's terminal line: the row, the wait left, the pass.
#include "messages/playback_messages.h"

#include <gtest/gtest.h>

namespace pointilla::messages {
namespace {

TEST(PlaybackMessages, ThePlaceNamesTheRowTheWaitAndThePass) {
    struct Case {
        PlaybackPlace place;
        const char* toolTip;
        const char* line;
    };
    const Case cases[] = {
        {{3, 12, 0, 1, 1, false}, "Pointilla – ligne 3 sur 12", "Ligne 3 sur 12 : Clic souris "},
        {{3, 12, 4, 1, 1, false},
         "Pointilla – ligne 3 sur 12, encore 4 s",
         "Ligne 3 sur 12 : Clic souris , encore 4 s"},
        {{1, 2, 0, 2, 5, false},
         "Pointilla – ligne 1 sur 2 (passage 2 sur 5)",
         "Ligne 1 sur 2 (passage 2 sur 5) : Clic souris "},
        {{2, 2, 9, 7, 1, true},
         "Pointilla – ligne 2 sur 2, encore 9 s (passage 7, en boucle)",
         "Ligne 2 sur 2 (passage 7, en boucle) : Clic souris , encore 9 s"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(playbackToolTip("Pointilla", c.place), c.toolTip);
        EXPECT_EQ(progressLine(c.place, "Clic souris "), c.line);
    }
    EXPECT_EQ(remainingWaitText({3, 12, 0, 1, 1, false}), "");
}

}  // namespace
}  // namespace pointilla::messages
