#include "messages/file_messages.h"

#include <cerrno>
#include <cstdio>

#include "messages/french_text.h"

namespace pointilla::messages {

std::string systemFileReason(int systemError) {
    switch (systemError) {
        case ENOENT:
            return "le fichier ou le dossier n'existe pas";
        case ENOTDIR:
            return "un élément du chemin n'est pas un dossier";
        case EISDIR:
            return "c'est un dossier";
        case EACCES:
        case EPERM:
            return "permission refusée";
        case ENOSPC:
            return "disque plein";
#ifdef EDQUOT  // not on Windows
        case EDQUOT:
            return "quota de disque dépassé";
#endif
        case EFBIG:
            return "fichier trop gros pour ce disque ou cette session";
        case EROFS:
            return "le support est en lecture seule";
        case ENAMETOOLONG:
            return "nom de fichier trop long";
        case ELOOP:
            return "trop de liens symboliques";
        case EIO:
            return "erreur d'entrée-sortie";
        case EMFILE:
        case ENFILE:
            return "trop de fichiers ouverts";
        case EBUSY:
        case ETXTBSY:
            return "le fichier est occupé";
        default:
            // Never the system's own words: they are English below a French sentence.
            return "erreur du système n° " + std::to_string(systemError);
    }
}

std::string notRegularFileReason() {
    return "ce n'est pas un fichier ordinaire (tube, périphérique ou socket)";
}

std::string fileTooLargeReason(std::uintmax_t limitBytes) {
    return "le fichier dépasse " + std::to_string(limitBytes >> 20) +
           " Mio, bien plus qu'un scénario";
}

std::string unencodableCharacterReason(int row, char32_t character) {
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(character));
    return "la ligne " + std::to_string(row) + " contient un caractère (" + code +
           ") qu'un fichier de scénario ne peut pas contenir";
}

std::string emptyLineReason() { return "ligne vide"; }

std::string noSeparatorReason() { return "aucun séparateur « ¤ »"; }

std::string noSecondSeparatorReason() { return "second séparateur « ¤ » manquant"; }

std::string openFailedMessage(std::string_view file, std::string_view reason) {
    return "Impossible d'ouvrir le scénario " + spacedGuillemets(file) + " : " +
           std::string(reason) + ".";
}

std::string readStoppedMessage(std::string_view fileName, int line, std::string_view reason) {
    return "La lecture de " + spacedGuillemets(fileName) + " s'est arrêtée à la ligne " +
           std::to_string(line) + " (" + std::string(reason) +
           ") ; les lignes précédentes ont été chargées.";
}

std::string saveFailedMessage(std::string_view file, std::string_view reason) {
    return "Impossible d'enregistrer le scénario dans " + spacedGuillemets(file) + " : " +
           std::string(reason) + ".";
}

std::string unreadableFileMessage(std::string_view file, std::string_view reason) {
    return "impossible de lire " + guillemets(file) + " : " + std::string(reason);
}

std::string readingStoppedAtMessage(std::string_view file, int line, std::string_view reason) {
    return "lecture de " + guillemets(file) + " arrêtée à la ligne " + std::to_string(line) +
           " : " + std::string(reason);
}

std::string nothingPlayedMessage() { return "rien n'a été joué."; }

std::string headerCaptionsNote(std::string_view label8, std::string_view label9) {
    return "note : ligne d'en-tête, libellés " + guillemets(label8) + " et " + guillemets(label9);
}

}  // namespace pointilla::messages
