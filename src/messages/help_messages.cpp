#include "messages/help_messages.h"

#include "messages/catalogue.h"

namespace pointilla::messages {

std::string helpPageMissingMessage(const std::string& page) {
    return filled(translated("help_messages",
                             "La page d'aide « %1 » est introuvable : l'installation de "
                             "Pointilla est incomplète."),
                  {page});
}

std::string helpPageNotOpenedMessage(const std::string& page) {
    return filled(translated("help_messages",
                             "La page d'aide « %1 » n'a pas pu être ouverte : aucun navigateur "
                             "ni programme pour l'afficher n'a pu être lancé."),
                  {page});
}

}  // namespace pointilla::messages
