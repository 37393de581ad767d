#include "messages/help_messages.h"

namespace pointilla::messages {

std::string helpPageMissingMessage(const std::string& page) {
    return "La page d'aide « " + page +
           " » est introuvable : l'installation de Pointilla est "
           "incomplète.";
}

std::string helpPageNotOpenedMessage(const std::string& page) {
    return "La page d'aide « " + page +
           " » n'a pas pu être ouverte : aucun navigateur ni "
           "programme pour l'afficher n'a pu être lancé.";
}

}  // namespace pointilla::messages
