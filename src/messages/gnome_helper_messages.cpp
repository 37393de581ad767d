#include "messages/gnome_helper_messages.h"

#include "messages/catalogue.h"

namespace pointilla::messages {

std::string gnomeHelperEntryCaption() {
    return std::string(translated("gnome_helper_messages", "Activer le raccourci sur GNOME…"));
}

std::string gnomeHotKeyMissingNote() {
    // Short enough for the window's status bar.
    return std::string(
        translated("gnome_helper_messages",
                   "Raccourci absent : « Options > Activer le raccourci sur GNOME… » l'installe."));
}

std::string gnomeHelperInstalledMessage() {
    return std::string(translated(
        "gnome_helper_messages",
        "L'extension de Pointilla pour GNOME Shell est installée et activée.\n\n"
        "Elle prendra effet à la prochaine ouverture de session : fermez la session puis "
        "rouvrez-la. Le raccourci de capture, la touche Échap et la position en direct "
        "fonctionneront alors (mais pas pendant que l'écran est verrouillé)."));
}

std::string gnomeHelperFailedMessage(GnomeHelperFailure why, const std::string& detail) {
    std::string_view text;
    switch (why) {
        case GnomeHelperFailure::NoShell:
            text = translated("gnome_helper_messages",
                              "L'extension de Pointilla pour GNOME Shell n'a pas pu être "
                              "installée : GNOME Shell est introuvable sur cette machine.");
            break;
        case GnomeHelperFailure::UnknownVersion:
            text = translated("gnome_helper_messages",
                              "L'extension de Pointilla pour GNOME Shell n'a pas pu être "
                              "installée : cette version de GNOME Shell n'est pas prise en "
                              "charge (%1).");
            break;
        case GnomeHelperFailure::NoFiles:
            text = translated("gnome_helper_messages",
                              "L'extension de Pointilla pour GNOME Shell n'a pas pu être "
                              "installée : ses fichiers manquent à côté du programme (%1).");
            break;
        case GnomeHelperFailure::CopyFailed:
            text = translated("gnome_helper_messages",
                              "L'extension de Pointilla pour GNOME Shell n'a pas pu être "
                              "installée : la copie a échoué (%1).");
            break;
        case GnomeHelperFailure::EnableFailed:
            text = translated("gnome_helper_messages",
                              "L'extension de Pointilla pour GNOME Shell n'a pas pu être "
                              "installée : elle n'a pas pu être activée (%1).");
            break;
    }
    return filled(text, {detail});
}

}  // namespace pointilla::messages
