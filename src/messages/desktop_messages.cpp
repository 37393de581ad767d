#include "messages/desktop_messages.h"

namespace pointilla::messages {

std::string fakeInputPurpose() { return "Rejouer des scénarios de souris"; }

std::string stopShortcutDescription() { return "Pointilla : arrêter la lecture"; }

std::string captureShortcutDescription() { return "Pointilla : capturer la position du pointeur"; }

}  // namespace pointilla::messages
