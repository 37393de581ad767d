#include "messages/privacy_messages.h"

#include <cstdio>

#include "messages/catalogue.h"
#include "messages/french_text.h"

namespace pointilla::messages {
namespace {

std::string octal(unsigned mode) {
    char text[8];
    std::snprintf(text, sizeof text, "%03o", mode & 0777U);
    return text;
}

std::string_view refusalReason(SingleInstanceRefusal::Kind kind) {
    using Kind = SingleInstanceRefusal::Kind;
    switch (kind) {
        case Kind::FolderOfAnotherUser:
            return translated("privacy_messages",
                              "le dossier %1 appartient à un autre utilisateur (n° %2) ; "
                              "Pointilla ne s'en sert pas et n'y touche pas");
        case Kind::FolderNotAFolder:
            return translated("privacy_messages",
                              "%1 n'est pas un dossier ; Pointilla ne s'en sert pas et n'y touche "
                              "pas");
        case Kind::FolderNotCreated:
            return translated("privacy_messages",
                              "le dossier %1 n'a pas pu être créé (erreur du système n° %3)");
        case Kind::LockOfAnotherUser:
            return translated("privacy_messages",
                              "le verrou %1 appartient à un autre utilisateur (n° %2) ; Pointilla "
                              "ne le suit pas et ne le supprime pas");
        case Kind::SocketOfAnotherUser:
            return translated("privacy_messages",
                              "le socket %1 appartient à un autre utilisateur (n° %2) ; Pointilla "
                              "ne le suit pas et ne le supprime pas");
        case Kind::PeerOfAnotherUser:
            return translated("privacy_messages",
                              "le programme qui écoute sur %1 tourne sous un autre utilisateur "
                              "(n° %2) ; Pointilla ne lui transmet rien");
    }
    return {};
}

}  // namespace

std::string singleInstanceRefusalMessage(const SingleInstanceRefusal& refusal) {
    // %1 the path, %2 the other user's number, %3 the system's error number.
    const std::string reason = filled(
        refusalReason(refusal.kind), {spacedGuillemets(refusal.path), std::to_string(refusal.owner),
                                      std::to_string(refusal.systemError)});
    return filled(translated("privacy_messages",
                             "Pointilla démarre sans pouvoir s'assurer qu'il est seul sur cet "
                             "écran : %1."),
                  {reason});
}

std::string instanceNotAnsweringMessage() {
    return std::string(translated(
        "privacy_messages", "un autre Pointilla tourne déjà sur cet écran mais ne répond pas."));
}

std::string storeTightenedMessage(const std::string& store, unsigned oldMode, unsigned newMode) {
    return filled(translated("privacy_messages",
                             "Trellis : le registre %1 pouvait être lu par d'autres utilisateurs "
                             "(droits %2) ; il est désormais réservé à son propriétaire (droits "
                             "%3)."),
                  {spacedGuillemets(store), octal(oldMode), octal(newMode)});
}

}  // namespace pointilla::messages
