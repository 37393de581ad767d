// The engine counts a loop as no number of passes; the words say it as a loop.
#include "playback/progress_place.h"

#include <gtest/gtest.h>

namespace pointilla::playback {
namespace {

TEST(ProgressPlace, PassesAndALoopReachTheWordsAsTheEngineCountsThem) {
    const messages::PlaybackPlace looped = placeOf({2, 5, 3, 7, kLoop});
    EXPECT_TRUE(looped.loop);
    EXPECT_EQ(messages::playbackToolTip("P", looped),
              "P – ligne 2 sur 5, encore 3 s (passage 7, en boucle)");
    const messages::PlaybackPlace counted = placeOf({1, 5, 0, 2, 4});
    EXPECT_FALSE(counted.loop);
    EXPECT_EQ(messages::progressLine(counted, "Clic souris "),
              "Ligne 1 sur 5 (passage 2 sur 4) : Clic souris ");
}

}  // namespace
}  // namespace pointilla::playback
