#include "messages/playback_messages.h"

#include "messages/french_text.h"

namespace pointilla::messages {
namespace {

// " (passage 2 sur 5)" or " (passage 2, en boucle)"; nothing for a single pass.
std::string passageText(const PlaybackPlace& place) {
    const std::string passage = " (passage " + std::to_string(place.repetition);
    if (place.loop) return passage + ", en boucle)";
    if (place.repetitions > 1) return passage + " sur " + std::to_string(place.repetitions) + ")";
    return {};
}

}  // namespace

std::string playbackEndedNotice() { return "Lecture terminée"; }

std::string remainingWaitText(const PlaybackPlace& place) {
    if (place.secondsLeft <= 0) return {};
    return "encore " + std::to_string(place.secondsLeft) + " s";
}

std::string playbackToolTip(std::string_view title, const PlaybackPlace& place) {
    std::string text = std::string(title) + " – ligne " + std::to_string(place.row) + " sur " +
                       std::to_string(place.rowCount);
    if (place.secondsLeft > 0) text += ", " + remainingWaitText(place);
    return text + passageText(place);
}

std::string progressLine(const PlaybackPlace& place, std::string_view rowText) {
    std::string text = "Ligne " + std::to_string(place.row) + " sur " +
                       std::to_string(place.rowCount) + passageText(place) + " : " +
                       std::string(rowText);
    if (place.secondsLeft > 0) text += ", " + remainingWaitText(place);
    return text;
}

std::string playbackStoppedMessage(int row) {
    return "Lecture arrêtée à la ligne " + std::to_string(row);
}

std::string desktopLostMessage(int row) {
    return "Le bureau ne répond plus : lecture arrêtée à la ligne " + std::to_string(row);
}

std::string displayLostMessage() { return "Le bureau ne répond plus : Pointilla s'arrête."; }

std::string pageNotOpenedMessage(int row, const std::string& target) {
    return "Ligne " + std::to_string(row) + " : impossible de lancer l'ouverture de " +
           spacedGuillemets(target) + ", la lecture continue.";
}

std::string handlerLetGoMessage(std::string_view address, long long holdSeconds) {
    // The address last: a narrow status bar cuts it rather than the sentence.
    return "Ouverture non terminée après " + std::to_string(holdSeconds) +
           " s, la lecture continue sans l'attendre : " + guillemets(address);
}

}  // namespace pointilla::messages
