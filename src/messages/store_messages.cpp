#include "messages/store_messages.h"

#include "messages/catalogue.h"

namespace pointilla::messages {

std::string storeTrouble(StoreTrouble trouble, const std::string& store,
                         const std::string& detail) {
    // %1 the store's file, %2 the database's own words.
    std::string_view text;
    switch (trouble) {
        case StoreTrouble::Busy:
            text = translated("store_messages",
                              "le fichier du registre %1 est occupé : un autre programme y écrit");
            break;
        case StoreTrouble::ReadOnly:
            text = translated("store_messages", "le fichier du registre %1 est en lecture seule");
            break;
        case StoreTrouble::DiskFull:
            text = translated("store_messages",
                              "le disque qui porte le fichier du registre %1 est plein");
            break;
        case StoreTrouble::Damaged:
            text =
                detail.empty()
                    ? translated("store_messages", "le fichier du registre %1 est endommagé")
                    : translated("store_messages", "le fichier du registre %1 est endommagé (%2)");
            break;
        case StoreTrouble::OutOfMemory:
            text =
                translated("store_messages", "mémoire insuffisante pour le fichier du registre %1");
            break;
        case StoreTrouble::InputOutput:
            text = detail.empty()
                       ? translated("store_messages",
                                    "le fichier du registre %1 ne peut être ni lu ni écrit")
                       : translated("store_messages",
                                    "le fichier du registre %1 ne peut être ni lu ni écrit (%2)");
            break;
    }
    return filled(text, {store, detail});
}

std::string storeNotOpened(const std::string& store, const std::string& detail) {
    return filled(
        translated("store_messages", "impossible d'ouvrir le fichier du registre %1 : %2"),
        {store, detail});
}

std::string storeReadOnlyWithoutRegistry(const std::string& store) {
    return filled(translated("store_messages",
                             "le fichier du registre %1 est en lecture seule et ne contient pas "
                             "encore de registre"),
                  {store});
}

std::string storeFailedWithStatus(long status) {
    return filled(translated("store_messages", "le registre a échoué avec le code %1"),
                  {std::to_string(status)});
}

std::string keyTooDeep(int maxDepth, int wouldBe) {
    return filled(translated("store_messages",
                             "une clé ne peut se trouver à plus de %1 niveaux sous sa racine "
                             "(celle-ci serait au niveau %2)"),
                  {std::to_string(maxDepth), std::to_string(wouldBe)});
}

}  // namespace pointilla::messages
