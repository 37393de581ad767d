#include "scenario_files/scenario_files.h"

#include <cerrno>
#include <cstdio>

#include "platform/posix/read_file.h"
#include "platform/posix/replace_file.h"

namespace pointilla::scenario_files {
namespace {

std::string systemReason(int err) {
    switch (err) {
        case ENOENT:
            return "le fichier ou le dossier n'existe pas";
        case ENOTDIR:
            return "un \u00e9l\u00e9ment du chemin n'est pas un dossier";
        case EISDIR:
            return "c'est un dossier";
        case EACCES:
        case EPERM:
            return "permission refus\u00e9e";
        case ENOSPC:
            return "disque plein";
#ifdef EDQUOT  // not on Windows
        case EDQUOT:
            return "quota de disque d\u00e9pass\u00e9";
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
            return "erreur d'entr\u00e9e-sortie";
        case EMFILE:
        case ENFILE:
            return "trop de fichiers ouverts";
        case EBUSY:
        case ETXTBSY:
            return "le fichier est occup\u00e9";
        default:
            // Never the system's own words: they are English below a French sentence.
            return "erreur du syst\u00e8me n\u00b0 " + std::to_string(err);
    }
}

}  // namespace

std::string fileFailureReason(const platform::posix::FileError& error) {
    using Kind = platform::posix::FileError::Kind;
    switch (error.kind) {
        case Kind::NotRegularFile:
            return "ce n'est pas un fichier ordinaire (tube, p\u00e9riph\u00e9rique ou socket)";
        case Kind::TooLarge:
            return "le fichier d\u00e9passe " + std::to_string(error.limit >> 20) +
                   " Mio, bien plus qu'un sc\u00e9nario";
        case Kind::System:
            break;
    }
    return systemReason(error.systemError);
}

std::string encodeFailureReason(const scenario::EncodeError& error) {
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(error.character));
    return "la ligne " + std::to_string(error.row) + " contient un caract\u00e8re (" + code +
           ") qu'un fichier de sc\u00e9nario ne peut pas contenir";
}

std::string readStopReason(scenario::ReadStop::Reason reason) {
    switch (reason) {
        case scenario::ReadStop::Reason::EmptyLine:
            return "ligne vide";
        case scenario::ReadStop::Reason::NoSeparator:
            return "aucun s\u00e9parateur \u00ab \u00a4 \u00bb";
        case scenario::ReadStop::Reason::NoSecondSeparator:
            return "second s\u00e9parateur \u00ab \u00a4 \u00bb manquant";
    }
    return {};
}

Result<scenario::SceContent, std::string> openScenarioFile(const std::filesystem::path& path) {
    const auto bytes = platform::posix::readRegularFile(path, scenario::kMaxSceFileBytes);
    if (!bytes) return fail(fileFailureReason(bytes.error()));
    return scenario::parseSce(*bytes);
}

Status<std::string> saveScenarioFile(const std::filesystem::path& path,
                                     const std::vector<scenario::Row>& rows) {
    const auto bytes = scenario::encodeSce(rows);
    if (!bytes) return fail(encodeFailureReason(bytes.error()));
    const auto saved = platform::posix::replaceFileContent(path, *bytes);
    if (!saved) return fail(fileFailureReason(saved.error()));
    return {};
}

}  // namespace pointilla::scenario_files
