#pragma once
// Where a playback is, as the messages that follow it take it.

#include "messages/playback_messages.h"
#include "playback/playback_engine.h"

namespace pointilla::playback {

inline messages::PlaybackPlace placeOf(const Progress& progress) {
    const bool loop = progress.repetitions == kLoop;
    return {progress.row,
            progress.rowCount,
            progress.secondsLeft,
            progress.repetition,
            loop ? 1 : progress.repetitions,
            loop};
}

}  // namespace pointilla::playback
