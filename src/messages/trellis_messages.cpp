#include "messages/trellis_messages.h"

#include "messages/french_text.h"
#include "messages/tool_voice.h"

namespace pointilla::messages {
namespace {

std::string withStoreReason(std::string text, std::string_view storeReason) {
    if (storeReason.empty()) return text;
    return text + " : " + std::string(storeReason);
}

std::string regErrorMeaning(std::int32_t code) {
    switch (code) {
        case 1010:
            return "le chemin de la clé n'est pas acceptable";
        case 1011:
            return "la sous-clé n'a pas pu être créée ou supprimée";
        case 1012:
            return "la valeur ne peut pas être lue";
        case 1013:
            return "la valeur ne peut pas être écrite";
        case 76:
            return "le dossier de sauvegarde n'existe pas";
        case 5:
            return "erreur d'exécution : appel de procédure incorrect";
        case 7:
            return "erreur d'exécution : mémoire insuffisante";
        default:
            return "erreur d'exécution " + std::to_string(code);
    }
}

// Two problems share it: the file's encoding is not one a .REG file may have.
constexpr std::string_view kRegFileEncodings =
    "un fichier .REG est un texte Windows-1252, ou UTF-16LE avec sa marque d'ordre des "
    "octets ; enregistrez-le dans l'un de ces codages";

}  // namespace

std::string trellisUsageText(std::string_view registryNote) {
    // One line of the source, one line of the usage.
    static constexpr std::string_view kUsage = R"(Utilisation :
  trellis get CLÉ NOM
  trellis get-dword CLÉ NOM
  trellis set CLÉ NOM TEXTE
  trellis set-dword CLÉ NOM NOMBRE
  trellis exists CLÉ NOM [TYPE]
  trellis create CLÉ SOUS-CLÉ
  trellis delete CLÉ SOUS-CLÉ
  trellis export CLÉ DOSSIER FICHIER
  trellis import [--allow-classes] FICHIER
  trellis register [BIBLIOTHÈQUE]
  trellis unregister [BIBLIOTHÈQUE]
CLÉ est le chemin d'une clé, par exemple HKEY_CURRENT_USER\Software\Exemple.
import refuse un fichier qui enregistre un programme que les outils lancent (le
serveur d'une classe, l'outil de la boîte « À propos ») sauf avec --allow-classes.
)";
    return std::string(kUsage) + std::string(registryNote) + "\n" +
           exitCodesText({
               {0, "succès"},
               {1, "échec : un RegError, une réponse False, le registre ou le contrôle en défaut"},
               {2, "mauvaise utilisation"},
           });
}

std::string storeLocationNote() {
    return "Le registre est $TRELLIS_REGISTRY, sinon "
           "${XDG_DATA_HOME:-~/.local/share}/trellis/registry.db.\n";
}

std::string userRegistrationNote() {
    return "register et unregister agissent pour l'utilisateur courant.\n";
}

std::string windowsImportHint(std::string_view file) {
    return "sous Windows, un fichier .REG s'importe avec : reg import " + std::string(file);
}

std::string commandMissing() { return "il manque la commande."; }

std::string unknownCommand(std::string_view command) {
    return "commande inconnue " + guillemets(command) + ".";
}

std::string wrongArguments(std::string_view command) {
    return "mauvais nombre d'arguments pour " + guillemets(command) + ".";
}

std::string notA32BitNumber(std::string_view text) {
    return guillemets(text) + " n'est pas un nombre de 32 bits.";
}

std::string notAValueType(std::string_view text) {
    return guillemets(text) + " n'est pas un type de valeur.";
}

std::string regErrorLine(std::int32_t code) {
    return "RegError " + std::to_string(code) + " : " + regErrorMeaning(code);
}

std::string keyRefused(std::string_view key) {
    return "le contrôle a refusé la clé " + guillemets(key) + ".";
}

std::string callFailed() { return "l'appel au contrôle a échoué."; }

std::string memberFailed(std::string_view command) { return guillemets(command) + " a échoué."; }

std::string regFileProblemText(RegFileProblem problem, std::string_view subject) {
    const std::string s(subject);
    using P = RegFileProblem;
    switch (problem) {
        case P::NotRegistryFile:
            return "ce n'est pas un fichier de registre : la première ligne doit être REGEDIT4 "
                   "ou « Windows Registry Editor Version 5.00 »";
        case P::Utf8File:
            return "un fichier UTF-8 : " + std::string(kRegFileEncodings);
        case P::Utf16BigEndian:
            return "un fichier UTF-16 gros-boutiste : " + std::string(kRegFileEncodings);
        case P::OddUtf16Length:
            return "le fichier UTF-16 se termine au milieu d'un caractère";
        case P::CharacterOutsideCp1252:
            return "le caractère " + s +
                   " ne peut pas être enregistré : le registre ne garde que du texte Windows-1252";
        case P::KeyLineUnclosed:
            return "une ligne de clé doit se terminer par « ] »";
        case P::TextAfterKey:
            return "du texte après le « ] » de la clé : " + s;
        case P::UnknownRoot:
            return "racine inconnue " + guillemets(s);
        case P::EmptyKeyName:
            return "nom de clé vide dans " + s;
        case P::RootRemoval:
            return "une racine entière ne peut pas être supprimée : " + s;
        case P::NulInKey:
            return "un caractère NUL dans le chemin de la clé";
        case P::NulInName:
            return "un caractère NUL dans le nom de la valeur";
        case P::LineNotUnderstood:
            return "ni une clé entre [ ], ni une valeur (\"nom\"= ou @=), ni un commentaire "
                   "après ;, ni une ligne vide";
        case P::ValueBeforeKey:
            return "une valeur avant toute clé";
        case P::ValueUnderRemovedKey:
            return "une valeur sous une clé que le fichier supprime";
        case P::NameUnclosed:
            return "le nom de la valeur n'a pas de guillemet fermant";
        case P::NameTooLong:
            return "un nom de valeur de " + s + " caractères (Windows en permet 16 383)";
        case P::EqualsExpected:
            return "« = » attendu après le nom de la valeur";
        case P::UnknownEscape:
            return "« \\" + s + " » entre guillemets : seuls \\\\ et \\\" sont des échappements";
        case P::UnknownData:
            return "données d'un type inconnu : \"texte\", dword:, hex: ou hex(type): attendu";
        case P::TextUnclosed:
            return "le texte n'a pas de guillemet fermant sur sa ligne";
        case P::TextAfterData:
            return "du texte après les données de la valeur (un commentaire commence par ;)";
        case P::BadDword:
            return "un dword s'écrit avec 1 à 8 chiffres hexadécimaux";
        case P::BadHexType:
            return "hex(type) mal formé : hex: ou hex(1 à 8 chiffres hexadécimaux): attendu";
        case P::BadHexBytes:
            return "octets hexadécimaux mal formés : de 00 à ff chacun, séparés par des "
                   "virgules, et « ,\\ » pour continuer sur la ligne suivante";
        case P::ContinuationNotHex:
            return "octets hexadécimaux attendus : la ligne précédente se termine par « ,\\ »";
        case P::ContinuationOutsideHex:
            return "une barre oblique inverse en fin de ligne ne continue que des données "
                   "hexadécimales";
        case P::OddUtf16Text:
            return "un nombre impair d'octets dans le texte d'un fichier UTF-16 (hex(1), hex(2) "
                   "et hex(7) y comptent deux octets par caractère)";
    }
    return "fichier mal formé";
}

std::string importUnreadable(std::string_view file, std::string_view reason) {
    return "impossible de lire " + std::string(file) + " : " + std::string(reason);
}

std::string importMalformed(std::string_view file, std::size_t line, std::string_view problem) {
    // file:line, as editors and compilers name a place.
    const std::string where =
        line == 0 ? std::string(file) : std::string(file) + ":" + std::to_string(line);
    return where + " : " + std::string(problem);
}

std::string importLoadsProgram(std::string_view file, std::string_view key,
                               std::string_view value) {
    const std::string what =
        value.empty() ? "la valeur par défaut" : "la valeur " + guillemets(value);
    return std::string(file) + " : refusé : " + what + " de " + std::string(key) +
           " désigne un programme que les outils lanceraient ; enregistrez le contrôle avec "
           "« trellis register », ou importez avec --allow-classes si ce fichier est sûr";
}

std::string storeUnavailable(std::string_view storeReason) {
    return withStoreReason("le registre n'est pas disponible", storeReason);
}

std::string cannotRemoveKey(std::string_view key, std::string_view storeReason) {
    return withStoreReason("impossible de supprimer " + std::string(key), storeReason);
}

std::string cannotCreateKey(std::string_view key, std::string_view storeReason) {
    return withStoreReason("impossible de créer " + std::string(key), storeReason);
}

std::string cannotWriteValue(std::string_view key, std::string_view value,
                             std::string_view storeReason) {
    return withStoreReason(
        "impossible d'écrire la valeur " + guillemets(value) + " sous " + std::string(key),
        storeReason);
}

std::string storeRefusedImport(std::string_view storeReason) {
    return withStoreReason("le registre a refusé l'import", storeReason);
}

}  // namespace pointilla::messages
