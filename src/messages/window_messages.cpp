#include "messages/window_messages.h"

#include "messages/catalogue.h"

namespace pointilla::messages {

std::string saveFirstQuestion() {
    return std::string(
        translated("window_messages", "Le scénario a été modifié. Voulez-vous l'enregistrer ?"));
}

std::string saveBeforeQuitQuestion() {
    return std::string(
        translated("window_messages",
                   "Le scénario a été modifié. Voulez-vous l'enregistrer avant de quitter ?"));
}

std::string quitQuestion() {
    return std::string(translated("window_messages", "Voulez-vous quitter ?"));
}

std::string delayedCaptureHint() {
    return std::string(
        translated("window_messages", "Placez le pointeur sur la cible dans les 3 secondes"));
}

std::string positionNotWholeNumbersMessage() {
    return std::string(
        translated("window_messages", "Les coordonnées X et Y doivent être des nombres entiers."));
}

std::string systemInfoUnavailableMessage() {
    return std::string(translated("window_messages",
                                  "Les informations système ne sont pas disponibles actuellement"));
}

std::string settingsBoxTitle() {
    return std::string(translated("window_messages", "Réglages de Pointilla"));
}

std::string defaultSettingsNotice() {
    return std::string(translated("window_messages",
                                  "Pointilla démarre avec ses réglages par défaut ; les "
                                  "changements ne seront pas conservés."));
}

std::string windowUsageLine() {
    return std::string(
        translated("window_messages", "usage : pointilla [--platform x11] [FICHIER.sce]"));
}

}  // namespace pointilla::messages
