#include "messages/playback_messages.h"

#include "platform/desktop/desktop.h"

namespace pointilla::messages {
namespace {

// Invisible in the source, so named: French guillemets hold their text
// between no-break spaces.
constexpr std::string_view kNoBreakSpace = "\u00a0";

std::string quoted(std::string_view text) {
    return "«" + std::string(kNoBreakSpace) + std::string(text) + std::string(kNoBreakSpace) + "»";
}

}  // namespace

std::string desktopLostMessage(int row) {
    return "Le bureau ne répond plus : lecture arrêtée à la ligne " + std::to_string(row);
}

std::string displayLostMessage() { return "Le bureau ne répond plus : Pointilla s'arrête."; }

std::string pageNotOpenedMessage(int row, const std::string& target) {
    return "Ligne " + std::to_string(row) + " : impossible de lancer l'ouverture de « " + target +
           " », la lecture continue.";
}

std::string handlerLetGoMessage(std::string_view address) {
    // The address last: a narrow status bar cuts it rather than the sentence.
    return "Ouverture non terminée après " + std::to_string(platform::kHandlerHoldLimit.count()) +
           " s, la lecture continue sans l'attendre : " + quoted(address);
}

}  // namespace pointilla::messages
