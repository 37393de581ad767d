#include "scenario/sce_file.h"

#ifndef _WIN32  // the Windows reading and writing are in sce_file_win32.cpp
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "codepage/cp1252.h"

namespace pointilla::scenario {
namespace {

constexpr char kSeparator = '\xA4';  // "¤" in Windows-1252

#ifndef _WIN32
// Closes its descriptor on every path.
class UniqueFd {
  public:
    explicit UniqueFd(int fd) : fd_(fd) {}
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    ~UniqueFd() { reset(); }
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Closes now and reports a failed close (a deferred write error).
    int reset() {
        int result = 0;
        if (fd_ >= 0) result = ::close(fd_);
        fd_ = -1;
        return result;
    }

  private:
    int fd_;
};
#endif

// One line of a file, as bytes, without its terminator.
void parseLine(std::string_view line, int lineNumber, SceContent& out) {
    const auto p = line.find(kSeparator);
    if (p == std::string_view::npos) {
        out.stop = ReadStop{lineNumber, line.empty() ? "ligne vide" : "aucun séparateur « ¤ »"};
        return;
    }
    const auto q = line.find(kSeparator, p + 1);
    if (q == std::string_view::npos) {
        out.stop = ReadStop{lineNumber, "second séparateur « ¤ » manquant"};
        return;
    }
    const std::string_view action = line.substr(0, p);
    const std::string_view detail = line.substr(p + 1, q - p - 1);
    if (!action.empty() && action.front() == '[') {
        std::string_view caption9 = detail;
        if (!caption9.empty()) caption9.remove_suffix(1);
        out.headers.push_back(HeaderCaptions{codepage::cp1252ToUtf8(action.substr(1)),
                                             codepage::cp1252ToUtf8(caption9)});
        return;
    }
    out.rows.push_back(Row{codepage::cp1252ToUtf8(action), codepage::cp1252ToUtf8(detail)});
}

bool appendEncoded(std::string& out, std::string_view text, int rowNumber, FileError* error) {
    codepage::EncodeError where;
    const auto bytes = codepage::utf8ToCp1252(text, &where);
    if (!bytes) {
        if (error) {
            error->kind = FileError::Kind::NotEncodable;
            error->row = rowNumber;
            error->character = where.codePoint;
        }
        return false;
    }
    out += *bytes;
    return true;
}

#ifndef _WIN32
bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

FileError ioError(FileError::Kind kind, const std::filesystem::path& path, int err) {
    FileError e;
    e.kind = kind;
    e.path = path;
    e.systemError = err;
    return e;
}
#endif

std::string frenchSystemReason(int err) {
    switch (err) {
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
#ifdef EDQUOT
        case EDQUOT:
            return "quota de disque dépassé";
#endif
        case EROFS:
            return "le support est en lecture seule";
        case ENAMETOOLONG:
            return "nom de fichier trop long";
        case EIO:
            return "erreur d'entrée-sortie";
        case EMFILE:
        case ENFILE:
            return "trop de fichiers ouverts";
        default:
            return std::strerror(err);
    }
}

}  // namespace

SceContent parseSce(std::string_view bytes) {
    SceContent out;
    int lineNumber = 0;
    std::size_t start = 0;
    while (start < bytes.size() && !out.stop) {
        ++lineNumber;
        const auto cr = bytes.find('\r', start);
        const std::size_t end = cr == std::string_view::npos ? bytes.size() : cr;
        // Blank lines that end the file stop the reading too, but lose nothing:
        // they are not reported as a reading that stopped early.
        if (bytes.find_first_not_of("\r\n", start) == std::string_view::npos) {
            break;
        }
        parseLine(bytes.substr(start, end - start), lineNumber, out);
        start = end + 1;
        if (cr != std::string_view::npos && start < bytes.size() && bytes[start] == '\n') ++start;
    }
    return out;
}

#ifndef _WIN32
LoadResult loadSceFile(const std::filesystem::path& path) {
    LoadResult result;
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.valid()) {
        result.error = ioError(FileError::Kind::Open, path, errno);
        return result;
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) == 0 && S_ISDIR(st.st_mode)) {
        result.error = ioError(FileError::Kind::Read, path, EISDIR);
        return result;
    }
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            result.error = ioError(FileError::Kind::Read, path, errno);
            return result;
        }
        if (n == 0) break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    result.content = parseSce(bytes);
    return result;
}
#endif

std::optional<std::string> encodeSce(const std::vector<Row>& rows, FileError* error) {
    std::string out;
    std::size_t size = 0;
    for (const Row& row : rows) size += row.action.size() + row.detail.size() + 4;
    out.reserve(size);
    int rowNumber = 0;
    for (const Row& row : rows) {
        ++rowNumber;
        if (!appendEncoded(out, row.action, rowNumber, error)) return std::nullopt;
        out.push_back(kSeparator);
        if (!appendEncoded(out, row.detail, rowNumber, error)) return std::nullopt;
        out.push_back(kSeparator);
        out.append("\r\n");
    }
    return out;
}

#ifndef _WIN32
std::optional<FileError> saveSceFile(const std::filesystem::path& requested,
                                     const std::vector<Row>& rows) {
    FileError encodeError;
    encodeError.path = requested;
    const auto bytes = encodeSce(rows, &encodeError);
    if (!bytes) return encodeError;

    // Write beside the real file when the name is a symbolic link, so the link stays.
    std::error_code ec;
    std::filesystem::path target = requested;
    if (std::filesystem::is_symlink(requested, ec)) {
        const auto resolved = std::filesystem::weakly_canonical(requested, ec);
        if (!ec) target = resolved;
    }
    std::filesystem::path dir = target.parent_path();
    if (dir.empty()) dir = ".";

    std::string tempName = (dir / ("." + target.filename().string() + ".XXXXXX")).string();
    UniqueFd fd(::mkstemp(tempName.data()));
    if (!fd.valid()) return ioError(FileError::Kind::Open, requested, errno);
    const std::filesystem::path tempPath = tempName;
    const auto fail = [&](FileError::Kind kind, int err) {
        fd.reset();
        ::unlink(tempPath.c_str());
        return ioError(kind, requested, err);
    };

    struct stat existing {};
    mode_t mode = 0666;
    if (::stat(target.c_str(), &existing) == 0) {
        mode = existing.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode &= ~mask;
    }
    if (::fchmod(fd.get(), mode) != 0) return fail(FileError::Kind::Write, errno);
    if (!writeAll(fd.get(), *bytes)) return fail(FileError::Kind::Write, errno);
    if (::fsync(fd.get()) != 0) return fail(FileError::Kind::Write, errno);
    if (fd.reset() != 0) return fail(FileError::Kind::Write, errno);
    if (::rename(tempPath.c_str(), target.c_str()) != 0)
        return fail(FileError::Kind::Rename, errno);
    return std::nullopt;
}
#endif

std::string FileError::reason() const {
    switch (kind) {
        case Kind::NotEncodable: {
            char code[16];
            std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(character));
            return "la ligne " + std::to_string(row) + " contient un caractère (" + code +
                   ") qu'un fichier de scénario ne peut pas contenir";
        }
        case Kind::Open:
        case Kind::Read:
        case Kind::Write:
        case Kind::Rename:
            return frenchSystemReason(systemError);
    }
    return {};
}

}  // namespace pointilla::scenario
