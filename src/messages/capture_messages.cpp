#include "messages/capture_messages.h"

namespace pointilla::messages {

std::string clickCaptureEntry() { return "Capturer les clics"; }

std::string clickCaptureCount(int clicks) {
    // French keeps 0 and 1 singular.
    return "Capture des clics : " + std::to_string(clicks) + (clicks > 1 ? " clics" : " clic");
}

std::string clickCaptureToolTip() { return "Pointilla : capture des clics en cours"; }

std::string clickCaptureHint(bool x11ProgramsOnly) {
    std::string what =
        "Chaque clic gauche fait dans un autre programme ajoute sa position, le clic et la pause "
        "qui le précède. F9 ou Échap arrête la capture.";
    if (x11ProgramsOnly) {
        return what +
               " Sous XWayland, seuls les clics faits dans les programmes X11 sont vus, pas ceux "
               "des programmes Wayland.";
    }
    return what;
}

std::string clickCaptureUnavailable() {
    return "Indisponible sous Wayland : le bureau ne donne à aucun programme les clics faits dans "
           "les autres.";
}

std::string clickCaptureRefused() {
    return "Le bureau n'a pas permis d'écouter les clics : la capture des clics n'a pas démarré.";
}

}  // namespace pointilla::messages
