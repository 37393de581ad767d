#include "messages/gnome_helper_messages.h"

namespace pointilla::messages {

std::string gnomeHelperEntryCaption() { return "Activer le raccourci sur GNOME…"; }

std::string gnomeHotKeyMissingNote() {
    // Short enough for the window's status bar.
    return "Raccourci absent : « Options > Activer le raccourci sur GNOME… » l'installe.";
}

std::string gnomeHelperInstalledMessage() {
    return "L'extension de Pointilla pour GNOME Shell est installée et activée.\n\n"
           "Elle prendra effet à la prochaine ouverture de session : fermez la session puis "
           "rouvrez-la. Le raccourci de capture, la touche Échap et la position en direct "
           "fonctionneront alors (mais pas pendant que l'écran est verrouillé).";
}

std::string gnomeHelperFailedMessage(GnomeHelperFailure why, const std::string& detail) {
    std::string text = "L'extension de Pointilla pour GNOME Shell n'a pas pu être installée : ";
    switch (why) {
        case GnomeHelperFailure::NoShell:
            text += "GNOME Shell est introuvable sur cette machine.";
            break;
        case GnomeHelperFailure::UnknownVersion:
            text += "cette version de GNOME Shell n'est pas prise en charge (" + detail + ").";
            return text;
        case GnomeHelperFailure::NoFiles:
            text += "ses fichiers manquent à côté du programme (" + detail + ").";
            return text;
        case GnomeHelperFailure::CopyFailed:
            text += "la copie a échoué (" + detail + ").";
            return text;
        case GnomeHelperFailure::EnableFailed:
            text += "elle n'a pas pu être activée (" + detail + ").";
            return text;
    }
    return text;
}

}  // namespace pointilla::messages
