#include "messages/store_messages.h"

namespace pointilla::messages {
namespace {

std::string storeFile(const std::string& store) { return "le fichier du registre " + store; }

std::string withDetail(const std::string& words, const std::string& detail) {
    return detail.empty() ? words : words + " (" + detail + ")";
}

}  // namespace

std::string storeTrouble(StoreTrouble trouble, const std::string& store,
                         const std::string& detail) {
    switch (trouble) {
        case StoreTrouble::Busy:
            return storeFile(store) + " est occupé : un autre programme y écrit";
        case StoreTrouble::ReadOnly:
            return storeFile(store) + " est en lecture seule";
        case StoreTrouble::DiskFull:
            return "le disque qui porte " + storeFile(store) + " est plein";
        case StoreTrouble::Damaged:
            return withDetail(storeFile(store) + " est endommagé", detail);
        case StoreTrouble::OutOfMemory:
            return "mémoire insuffisante pour " + storeFile(store);
        case StoreTrouble::InputOutput:
            break;
    }
    return withDetail(storeFile(store) + " ne peut être ni lu ni écrit", detail);
}

std::string storeNotOpened(const std::string& store, const std::string& detail) {
    return "impossible d'ouvrir " + storeFile(store) + " : " + detail;
}

std::string storeReadOnlyWithoutRegistry(const std::string& store) {
    return storeFile(store) + " est en lecture seule et ne contient pas encore de registre";
}

std::string storeFailedWithStatus(long status) {
    return "le registre a échoué avec le code " + std::to_string(status);
}

std::string keyTooDeep(int maxDepth, int wouldBe) {
    return "une clé ne peut se trouver à plus de " + std::to_string(maxDepth) +
           " niveaux sous sa racine (celle-ci serait au niveau " + std::to_string(wouldBe) + ")";
}

}  // namespace pointilla::messages
