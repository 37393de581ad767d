#include "messages/capture_messages.h"

#include "messages/catalogue.h"

namespace pointilla::messages {

std::string clickCaptureEntry() {
    return std::string(translated("capture_messages", "Capturer les clics"));
}

std::string clickCaptureCount(int clicks) {
    const std::string count = std::to_string(clicks);
    if (takesPlural(clicks)) {
        return filled(translated("capture_messages", "Capture des clics : %1 clics"), {count});
    }
    return filled(translated("capture_messages", "Capture des clics : %1 clic"), {count});
}

std::string clickCaptureToolTip() {
    return std::string(translated("capture_messages", "Pointilla : capture des clics en cours"));
}

std::string clickCaptureHint(bool x11ProgramsOnly) {
    if (x11ProgramsOnly) {
        return std::string(translated(
            "capture_messages",
            "Chaque clic gauche fait dans un autre programme ajoute sa position, le clic et la "
            "pause qui le précède. F9 ou Échap arrête la capture. Sous XWayland, seuls les clics "
            "faits dans les programmes X11 sont vus, pas ceux des programmes Wayland."));
    }
    return std::string(translated(
        "capture_messages",
        "Chaque clic gauche fait dans un autre programme ajoute sa position, le clic et la pause "
        "qui le précède. F9 ou Échap arrête la capture."));
}

std::string clickCaptureUnavailable() {
    return std::string(translated(
        "capture_messages",
        "Indisponible sous Wayland : le bureau ne donne à aucun programme les clics faits dans "
        "les autres."));
}

std::string clickCaptureRefused() {
    return std::string(translated(
        "capture_messages",
        "Le bureau n'a pas permis d'écouter les clics : la capture des clics n'a pas démarré."));
}

}  // namespace pointilla::messages
