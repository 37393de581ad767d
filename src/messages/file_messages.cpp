#include "messages/file_messages.h"

#include <cerrno>
#include <cstdio>

#include "messages/catalogue.h"
#include "messages/french_text.h"

namespace pointilla::messages {
std::string systemFileReason(int systemError) {
    switch (systemError) {
        case ENOENT:
            return std::string(
                translated("file_messages", "le fichier ou le dossier n'existe pas"));
        case ENOTDIR:
            return std::string(
                translated("file_messages", "un élément du chemin n'est pas un dossier"));
        case EISDIR:
            return std::string(translated("file_messages", "c'est un dossier"));
        case EACCES:
        case EPERM:
            return std::string(translated("file_messages", "permission refusée"));
        case ENOSPC:
            return std::string(translated("file_messages", "disque plein"));
#ifdef EDQUOT  // not on Windows
        case EDQUOT:
            return std::string(translated("file_messages", "quota de disque dépassé"));
#endif
        case EFBIG:
            return std::string(
                translated("file_messages", "fichier trop gros pour ce disque ou cette session"));
        case EROFS:
            return std::string(translated("file_messages", "le support est en lecture seule"));
        case ENAMETOOLONG:
            return std::string(translated("file_messages", "nom de fichier trop long"));
        case ELOOP:
            return std::string(translated("file_messages", "trop de liens symboliques"));
        case EIO:
            return std::string(translated("file_messages", "erreur d'entrée-sortie"));
        case EMFILE:
        case ENFILE:
            return std::string(translated("file_messages", "trop de fichiers ouverts"));
        case EBUSY:
        case ETXTBSY:
            return std::string(translated("file_messages", "le fichier est occupé"));
        default:
            // Never the system's own words: they may not be the person's language.
            return filled(translated("file_messages", "erreur du système n° %1"),
                          {std::to_string(systemError)});
    }
}

std::string notRegularFileReason() {
    return std::string(translated(
        "file_messages", "ce n'est pas un fichier ordinaire (tube, périphérique ou socket)"));
}

std::string fileTooLargeReason(std::uintmax_t limitBytes) {
    return filled(
        translated("file_messages", "le fichier dépasse %1 Mio, bien plus qu'un scénario"),
        {std::to_string(limitBytes >> 20)});
}

std::string unencodableCharacterReason(int row, char32_t character) {
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(character));
    return filled(translated("file_messages",
                             "la ligne %1 contient un caractère (%2) qu'un fichier de scénario ne "
                             "peut pas contenir"),
                  {std::to_string(row), code});
}

std::string emptyLineReason() { return std::string(translated("file_messages", "ligne vide")); }

std::string noSeparatorReason() {
    return std::string(translated("file_messages", "aucun séparateur « ¤ »"));
}

std::string noSecondSeparatorReason() {
    return std::string(translated("file_messages", "second séparateur « ¤ » manquant"));
}

std::string openFailedMessage(std::string_view file, std::string_view reason) {
    return filled(translated("file_messages", "Impossible d'ouvrir le scénario %1 : %2."),
                  {spacedGuillemets(file), reason});
}

std::string readStoppedMessage(std::string_view fileName, int line, std::string_view reason) {
    return filled(translated("file_messages",
                             "La lecture de %1 s'est arrêtée à la ligne %2 (%3) ; les lignes "
                             "précédentes ont été chargées."),
                  {spacedGuillemets(fileName), std::to_string(line), reason});
}

std::string saveFailedMessage(std::string_view file, std::string_view reason) {
    return filled(translated("file_messages", "Impossible d'enregistrer le scénario dans %1 : %2."),
                  {spacedGuillemets(file), reason});
}

std::string unreadableFileMessage(std::string_view file, std::string_view reason) {
    return filled(translated("file_messages", "impossible de lire %1 : %2"),
                  {guillemets(file), reason});
}

std::string readingStoppedAtMessage(std::string_view file, int line, std::string_view reason) {
    return filled(translated("file_messages", "lecture de %1 arrêtée à la ligne %2 : %3"),
                  {guillemets(file), std::to_string(line), reason});
}

std::string nothingPlayedMessage() {
    return std::string(translated("file_messages", "rien n'a été joué."));
}

std::string headerCaptionsNote(std::string_view label8, std::string_view label9) {
    return filled(translated("file_messages", "note : ligne d'en-tête, libellés %1 et %2"),
                  {guillemets(label8), guillemets(label9)});
}

}  // namespace pointilla::messages
