#include "messages/playback_messages.h"

#include "messages/catalogue.h"
#include "messages/french_text.h"

namespace pointilla::messages {
namespace {

// " (passage 2 sur 5)" or " (passage 2, en boucle)"; nothing for a single pass.
std::string passageText(const PlaybackPlace& place) {
    const std::string repetition = std::to_string(place.repetition);
    if (place.loop) {
        return filled(translated("playback_messages", " (passage %1, en boucle)"), {repetition});
    }
    if (place.repetitions > 1) {
        return filled(translated("playback_messages", " (passage %1 sur %2)"),
                      {repetition, std::to_string(place.repetitions)});
    }
    return {};
}

// ", encore 4 s" after the place, during a wait.
std::string waitSuffix(const PlaybackPlace& place) {
    if (place.secondsLeft <= 0) return {};
    return ", " + remainingWaitText(place);
}

}  // namespace

std::string playingStatus() {
    return std::string(translated("playback_messages", "Lecture en cours..."));
}

std::string playbackEndedNotice() {
    return std::string(translated("playback_messages", "Lecture terminée"));
}

std::string remainingWaitText(const PlaybackPlace& place) {
    if (place.secondsLeft <= 0) return {};
    return filled(translated("playback_messages", "encore %1 s"),
                  {std::to_string(place.secondsLeft)});
}

std::string playbackToolTip(std::string_view title, const PlaybackPlace& place) {
    return filled(translated("playback_messages", "%1 – ligne %2 sur %3"),
                  {title, std::to_string(place.row), std::to_string(place.rowCount)}) +
           waitSuffix(place) + passageText(place);
}

std::string progressLine(const PlaybackPlace& place, std::string_view rowText) {
    return filled(translated("playback_messages", "Ligne %1 sur %2%3 : %4"),
                  {std::to_string(place.row), std::to_string(place.rowCount), passageText(place),
                   rowText}) +
           waitSuffix(place);
}

std::string playbackStoppedMessage(int row) {
    return filled(translated("playback_messages", "Lecture arrêtée à la ligne %1"),
                  {std::to_string(row)});
}

std::string desktopLostMessage(int row) {
    return filled(
        translated("playback_messages", "Le bureau ne répond plus : lecture arrêtée à la ligne %1"),
        {std::to_string(row)});
}

std::string displayLostMessage() {
    return std::string(
        translated("playback_messages", "Le bureau ne répond plus : Pointilla s'arrête."));
}

std::string pageNotOpenedMessage(int row, const std::string& target) {
    return filled(translated("playback_messages",
                             "Ligne %1 : impossible de lancer l'ouverture de %2, la lecture "
                             "continue."),
                  {std::to_string(row), spacedGuillemets(target)});
}

std::string handlerLetGoMessage(std::string_view address, long long holdSeconds) {
    // The address last: a narrow status bar cuts it rather than the sentence.
    return filled(translated("playback_messages",
                             "Ouverture non terminée après %1 s, la lecture continue sans "
                             "l'attendre : %2"),
                  {std::to_string(holdSeconds), guillemets(address)});
}

}  // namespace pointilla::messages
