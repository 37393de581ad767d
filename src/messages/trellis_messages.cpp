#include "messages/trellis_messages.h"

#include "messages/catalogue.h"
#include "messages/french_text.h"
#include "messages/tool_voice.h"

namespace pointilla::messages {
namespace {

std::string withStoreReason(std::string text, std::string_view storeReason) {
    if (storeReason.empty()) return text;
    return filled(translated("trellis_messages", "%1 : %2"), {text, storeReason});
}

std::string regErrorMeaning(std::int32_t code) {
    switch (code) {
        case 1010:
            return std::string(
                translated("trellis_messages", "le chemin de la clé n'est pas acceptable"));
        case 1011:
            return std::string(
                translated("trellis_messages", "la sous-clé n'a pas pu être créée ou supprimée"));
        case 1012:
            return std::string(translated("trellis_messages", "la valeur ne peut pas être lue"));
        case 1013:
            return std::string(translated("trellis_messages", "la valeur ne peut pas être écrite"));
        case 76:
            return std::string(
                translated("trellis_messages", "le dossier de sauvegarde n'existe pas"));
        case 5:
            return std::string(translated("trellis_messages",
                                          "erreur d'exécution : appel de procédure incorrect"));
        case 7:
            return std::string(
                translated("trellis_messages", "erreur d'exécution : mémoire insuffisante"));
        default:
            return filled(translated("trellis_messages", "erreur d'exécution %1"),
                          {std::to_string(code)});
    }
}

std::string_view regFileProblemWords(RegFileProblem problem) {
    using P = RegFileProblem;
    switch (problem) {
        case P::NotRegistryFile:
            return translated("trellis_messages",
                              "ce n'est pas un fichier de registre : la première ligne doit être "
                              "REGEDIT4 ou « Windows Registry Editor Version 5.00 »");
        case P::Utf8File:
            return translated("trellis_messages",
                              "un fichier UTF-8 : un fichier .REG est un texte Windows-1252, ou "
                              "UTF-16LE avec sa marque d'ordre des octets ; enregistrez-le dans "
                              "l'un de ces codages");
        case P::Utf16BigEndian:
            return translated("trellis_messages",
                              "un fichier UTF-16 gros-boutiste : un fichier .REG est un texte "
                              "Windows-1252, ou UTF-16LE avec sa marque d'ordre des octets ; "
                              "enregistrez-le dans l'un de ces codages");
        case P::OddUtf16Length:
            return translated("trellis_messages",
                              "le fichier UTF-16 se termine au milieu d'un caractère");
        case P::CharacterOutsideCp1252:
            return translated("trellis_messages",
                              "le caractère %1 ne peut pas être enregistré : le registre ne garde "
                              "que du texte Windows-1252");
        case P::KeyLineUnclosed:
            return translated("trellis_messages", "une ligne de clé doit se terminer par « ] »");
        case P::TextAfterKey:
            return translated("trellis_messages", "du texte après le « ] » de la clé : %1");
        case P::UnknownRoot:
            return translated("trellis_messages", "racine inconnue %2");
        case P::EmptyKeyName:
            return translated("trellis_messages", "nom de clé vide dans %1");
        case P::RootRemoval:
            return translated("trellis_messages",
                              "une racine entière ne peut pas être supprimée : %1");
        case P::NulInKey:
            return translated("trellis_messages", "un caractère NUL dans le chemin de la clé");
        case P::NulInName:
            return translated("trellis_messages", "un caractère NUL dans le nom de la valeur");
        case P::LineNotUnderstood:
            return translated("trellis_messages",
                              "ni une clé entre [ ], ni une valeur (\"nom\"= ou @=), ni un "
                              "commentaire après ;, ni une ligne vide");
        case P::ValueBeforeKey:
            return translated("trellis_messages", "une valeur avant toute clé");
        case P::ValueUnderRemovedKey:
            return translated("trellis_messages",
                              "une valeur sous une clé que le fichier supprime");
        case P::NameUnclosed:
            return translated("trellis_messages",
                              "le nom de la valeur n'a pas de guillemet fermant");
        case P::NameTooLong:
            return translated("trellis_messages",
                              "un nom de valeur de %1 caractères (Windows en permet 16 383)");
        case P::EqualsExpected:
            return translated("trellis_messages", "« = » attendu après le nom de la valeur");
        case P::UnknownEscape:
            return translated("trellis_messages",
                              "« \\%1 » entre guillemets : seuls \\\\ et \\\" sont des "
                              "échappements");
        case P::UnknownData:
            return translated("trellis_messages",
                              "données d'un type inconnu : \"texte\", dword:, hex: ou hex(type): "
                              "attendu");
        case P::TextUnclosed:
            return translated("trellis_messages",
                              "le texte n'a pas de guillemet fermant sur sa ligne");
        case P::TextAfterData:
            return translated("trellis_messages",
                              "du texte après les données de la valeur (un commentaire commence "
                              "par ;)");
        case P::BadDword:
            return translated("trellis_messages",
                              "un dword s'écrit avec 1 à 8 chiffres hexadécimaux");
        case P::BadHexType:
            return translated("trellis_messages",
                              "hex(type) mal formé : hex: ou hex(1 à 8 chiffres hexadécimaux): "
                              "attendu");
        case P::BadHexBytes:
            return translated("trellis_messages",
                              "octets hexadécimaux mal formés : de 00 à ff chacun, séparés par "
                              "des virgules, et « ,\\ » pour continuer sur la ligne suivante");
        case P::ContinuationNotHex:
            return translated("trellis_messages",
                              "octets hexadécimaux attendus : la ligne précédente se termine par "
                              "« ,\\ »");
        case P::ContinuationOutsideHex:
            return translated("trellis_messages",
                              "une barre oblique inverse en fin de ligne ne continue que des "
                              "données hexadécimales");
        case P::OddUtf16Text:
            return translated("trellis_messages",
                              "un nombre impair d'octets dans le texte d'un fichier UTF-16 "
                              "(hex(1), hex(2) et hex(7) y comptent deux octets par caractère)");
    }
    return translated("trellis_messages", "fichier mal formé");
}

}  // namespace

std::string trellisUsageText(std::string_view registryNote) {
    // One line of the source, one line of the usage.
    const std::string_view usage = translated("trellis_messages", R"(Utilisation :
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
)");
    return std::string(usage) + std::string(registryNote) + "\n" +
           exitCodesText({
               {0, translated("trellis_messages", "succès")},
               {1, translated("trellis_messages",
                              "échec : un RegError, une réponse False, le registre ou le contrôle "
                              "en défaut")},
               {2, translated("trellis_messages", "mauvaise utilisation")},
           });
}

std::string storeLocationNote() {
    return std::string(translated("trellis_messages",
                                  "Le registre est $TRELLIS_REGISTRY, sinon "
                                  "${XDG_DATA_HOME:-~/.local/share}/trellis/registry.db.\n"));
}

std::string userRegistrationNote() {
    return std::string(translated("trellis_messages",
                                  "register et unregister agissent pour l'utilisateur courant.\n"));
}

std::string windowsImportHint(std::string_view file) {
    return filled(translated("trellis_messages",
                             "sous Windows, un fichier .REG s'importe avec : reg import %1"),
                  {file});
}

std::string commandMissing() {
    return std::string(translated("trellis_messages", "il manque la commande."));
}

std::string unknownCommand(std::string_view command) {
    return filled(translated("trellis_messages", "commande inconnue %1."), {guillemets(command)});
}

std::string wrongArguments(std::string_view command) {
    return filled(translated("trellis_messages", "mauvais nombre d'arguments pour %1."),
                  {guillemets(command)});
}

std::string notA32BitNumber(std::string_view text) {
    return filled(translated("trellis_messages", "%1 n'est pas un nombre de 32 bits."),
                  {guillemets(text)});
}

std::string notAValueType(std::string_view text) {
    return filled(translated("trellis_messages", "%1 n'est pas un type de valeur."),
                  {guillemets(text)});
}

std::string regErrorLine(std::int32_t code) {
    return filled(translated("trellis_messages", "RegError %1 : %2"),
                  {std::to_string(code), regErrorMeaning(code)});
}

std::string keyRefused(std::string_view key) {
    return filled(translated("trellis_messages", "le contrôle a refusé la clé %1."),
                  {guillemets(key)});
}

std::string callFailed() {
    return std::string(translated("trellis_messages", "l'appel au contrôle a échoué."));
}

std::string memberFailed(std::string_view command) {
    return filled(translated("trellis_messages", "%1 a échoué."), {guillemets(command)});
}

std::string regFileProblemText(RegFileProblem problem, std::string_view subject) {
    // %1 the subject as given, %2 the same in quotation marks.
    return filled(regFileProblemWords(problem), {subject, guillemets(subject)});
}

std::string importUnreadable(std::string_view file, std::string_view reason) {
    return filled(translated("trellis_messages", "impossible de lire %1 : %2"), {file, reason});
}

std::string importMalformed(std::string_view file, std::size_t line, std::string_view problem) {
    // file:line, as editors and compilers name a place.
    const std::string where =
        line == 0 ? std::string(file) : std::string(file) + ":" + std::to_string(line);
    return filled(translated("trellis_messages", "%1 : %2"), {where, problem});
}

std::string importLoadsProgram(std::string_view file, std::string_view key,
                               std::string_view value) {
    const std::string_view text =
        value.empty() ? translated("trellis_messages",
                                   "%1 : refusé : la valeur par défaut de %2 désigne un programme "
                                   "que les outils lanceraient ; enregistrez le contrôle avec "
                                   "« trellis register », ou importez avec --allow-classes si ce "
                                   "fichier est sûr")
                      : translated("trellis_messages",
                                   "%1 : refusé : la valeur %3 de %2 désigne un programme que les "
                                   "outils lanceraient ; enregistrez le contrôle avec « trellis "
                                   "register », ou importez avec --allow-classes si ce fichier est "
                                   "sûr");
    return filled(text, {file, key, guillemets(value)});
}

std::string storeUnavailable(std::string_view storeReason) {
    return withStoreReason(
        std::string(translated("trellis_messages", "le registre n'est pas disponible")),
        storeReason);
}

std::string cannotRemoveKey(std::string_view key, std::string_view storeReason) {
    return withStoreReason(
        filled(translated("trellis_messages", "impossible de supprimer %1"), {key}), storeReason);
}

std::string cannotCreateKey(std::string_view key, std::string_view storeReason) {
    return withStoreReason(filled(translated("trellis_messages", "impossible de créer %1"), {key}),
                           storeReason);
}

std::string cannotWriteValue(std::string_view key, std::string_view value,
                             std::string_view storeReason) {
    return withStoreReason(
        filled(translated("trellis_messages", "impossible d'écrire la valeur %1 sous %2"),
               {guillemets(value), key}),
        storeReason);
}

std::string storeRefusedImport(std::string_view storeReason) {
    return withStoreReason(
        std::string(translated("trellis_messages", "le registre a refusé l'import")), storeReason);
}

std::string hostFailureText(const HostFailure& failure) {
    using Kind = HostFailure::Kind;
    const std::string subject = guillemets(failure.subject);
    switch (failure.kind) {
        case Kind::LibraryNotLoaded:
            return filled(
                translated("trellis_messages", "impossible de charger la bibliothèque %1 : %2"),
                {subject, failure.reason});
        case Kind::EntryMissing:
            return filled(translated("trellis_messages", "la bibliothèque %1 n'exporte pas %2"),
                          {subject, failure.reason});
        case Kind::EntryFailed:
            return filled(translated("trellis_messages", "%1 a échoué : %2"),
                          {failure.subject, failure.reason});
        case Kind::NotRegistered:
            return filled(
                translated("trellis_messages",
                           "la classe %1 n'est pas enregistrée (lancez : trellis register)"),
                {subject});
        case Kind::MalformedRegistration:
            return filled(translated("trellis_messages",
                                     "l'enregistrement de %1 contient un identifiant de classe "
                                     "mal formé"),
                          {subject});
        case Kind::NoServer:
            return filled(
                translated("trellis_messages", "la classe %1 ne nomme aucun serveur en processus"),
                {subject});
        case Kind::StoreFailed:
            return failure.reason;
        case Kind::ComUnavailable:
            return std::string(translated(
                "trellis_messages", "COM n'a pas pu être initialisé pour ce fil d'exécution"));
        case Kind::CreationFailed:
            return filled(translated("trellis_messages", "la création de %1 a échoué : %2"),
                          {subject, failure.reason});
    }
    return failure.reason;
}

}  // namespace pointilla::messages
