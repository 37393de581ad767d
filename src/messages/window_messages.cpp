#include "messages/window_messages.h"

namespace pointilla::messages {

std::string saveFirstQuestion() { return "Le scénario a été modifié. Voulez-vous l'enregistrer ?"; }

std::string saveBeforeQuitQuestion() {
    return "Le scénario a été modifié. Voulez-vous l'enregistrer avant de quitter ?";
}

std::string quitQuestion() { return "Voulez-vous quitter ?"; }

std::string delayedCaptureHint() { return "Placez le pointeur sur la cible dans les 3 secondes"; }

std::string positionNotWholeNumbersMessage() {
    return "Les coordonnées X et Y doivent être des nombres entiers.";
}

std::string systemInfoUnavailableMessage() {
    return "Les informations système ne sont pas disponibles actuellement";
}

std::string settingsBoxTitle() { return "Réglages de Pointilla"; }

std::string defaultSettingsNotice() {
    return "Pointilla démarre avec ses réglages par défaut ; les changements ne seront pas "
           "conservés.";
}

std::string windowUsageLine() { return "usage : pointilla [--platform x11] [FICHIER.sce]"; }

}  // namespace pointilla::messages
