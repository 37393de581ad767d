#include "messages/desktop_messages.h"

#include "messages/catalogue.h"

namespace pointilla::messages {

std::string fakeInputPurpose() {
    return std::string(translated("desktop_messages", "Rejouer des scénarios de souris"));
}

std::string stopShortcutDescription() {
    return std::string(translated("desktop_messages", "Pointilla : arrêter la lecture"));
}

std::string captureShortcutDescription() {
    return std::string(
        translated("desktop_messages", "Pointilla : capturer la position du pointeur"));
}

}  // namespace pointilla::messages
