#include "messages/playback_messages.h"

namespace pointilla::messages {

std::string desktopLostMessage(int row) {
    return "Le bureau ne répond plus : lecture arrêtée à la ligne " + std::to_string(row);
}

std::string displayLostMessage() { return "Le bureau ne répond plus : Pointilla s'arrête."; }

std::string pageNotOpenedMessage(int row, const std::string& target) {
    return "Ligne " + std::to_string(row) + " : impossible de lancer l'ouverture de « " + target +
           " », la lecture continue.";
}

}  // namespace pointilla::messages
