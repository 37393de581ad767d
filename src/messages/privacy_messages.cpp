#include "messages/privacy_messages.h"

#include <cstdio>

#include "messages/french_text.h"

namespace pointilla::messages {
namespace {

std::string otherUser(unsigned owner) {
    return "un autre utilisateur (n° " + std::to_string(owner) + ")";
}

std::string octal(unsigned mode) {
    char text[8];
    std::snprintf(text, sizeof text, "%03o", mode & 0777U);
    return text;
}

std::string refusalReason(const SingleInstanceRefusal& refusal) {
    using Kind = SingleInstanceRefusal::Kind;
    const std::string path = spacedGuillemets(refusal.path);
    switch (refusal.kind) {
        case Kind::FolderOfAnotherUser:
            return "le dossier " + path + " appartient à " + otherUser(refusal.owner) +
                   " ; Pointilla ne s'en sert pas et n'y touche pas";
        case Kind::FolderNotAFolder:
            return path + " n'est pas un dossier ; Pointilla ne s'en sert pas et n'y touche pas";
        case Kind::FolderNotCreated:
            return "le dossier " + path + " n'a pas pu être créé (erreur du système n° " +
                   std::to_string(refusal.systemError) + ")";
        case Kind::LockOfAnotherUser:
            return "le verrou " + path + " appartient à " + otherUser(refusal.owner) +
                   " ; Pointilla ne le suit pas et ne le supprime pas";
        case Kind::SocketOfAnotherUser:
            return "le socket " + path + " appartient à " + otherUser(refusal.owner) +
                   " ; Pointilla ne le suit pas et ne le supprime pas";
        case Kind::PeerOfAnotherUser:
            return "le programme qui écoute sur " + path + " tourne sous " +
                   otherUser(refusal.owner) + " ; Pointilla ne lui transmet rien";
    }
    return {};
}

}  // namespace

std::string singleInstanceRefusalMessage(const SingleInstanceRefusal& refusal) {
    return "Pointilla démarre sans pouvoir s'assurer qu'il est seul sur cet écran : " +
           refusalReason(refusal) + ".";
}

std::string instanceNotAnsweringMessage() {
    return "un autre Pointilla tourne déjà sur cet écran mais ne répond pas.";
}

std::string storeTightenedMessage(const std::string& store, unsigned oldMode, unsigned newMode) {
    return "Trellis : le registre " + spacedGuillemets(store) +
           " pouvait être lu par d'autres utilisateurs (droits " + octal(oldMode) +
           ") ; il est désormais réservé à son propriétaire (droits " + octal(newMode) + ").";
}

}  // namespace pointilla::messages
