#include "trellis/reg_import.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>

#include "codepage/cp1252.h"
#include "platform/posix/unique_fd.h"
#include "platform/registry/advapi32.h"
#include "trellis/com/oleaut.h"
#include "trellis/registry_access.h"
#include "trellis/registry_key.h"

namespace trellis {
namespace {

struct Line {
    std::string text;  // Windows-1252
    std::size_t number;
};

struct ParseFailure {
    std::size_t line;
    std::string reason;
};

// Splits the file into lines of Windows-1252 text; a UTF-16LE file is converted.
std::vector<Line> splitLines(std::string_view bytes, bool* unicode) {
    std::string text;
    *unicode = bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
               static_cast<unsigned char>(bytes[1]) == 0xFE;
    std::vector<Line> lines;
    if (*unicode) {
        com::OleString units;
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
            units.push_back(static_cast<OLECHAR>(static_cast<unsigned char>(bytes[i]) |
                                                 (static_cast<unsigned char>(bytes[i + 1]) << 8)));
        }
        if (bytes.size() % 2 != 0) throw ParseFailure{1, "the UTF-16 file has an odd length"};
        const std::string utf8 = com::utf8FromUtf16(units);
        // Convert line by line so that a failure knows its line.
        std::size_t number = 1;
        std::size_t start = 0;
        while (start <= utf8.size()) {
            auto end = utf8.find('\n', start);
            if (end == std::string::npos) end = utf8.size();
            std::string_view piece(utf8.data() + start, end - start);
            if (!piece.empty() && piece.back() == '\r') piece.remove_suffix(1);
            auto cp1252 = pointilla::codepage::utf8ToCp1252(piece);
            if (!cp1252) {
                throw ParseFailure{number, "a character that Windows-1252 cannot represent"};
            }
            lines.push_back({*cp1252, number});
            ++number;
            start = end + 1;
        }
        return lines;
    }
    std::size_t start = 0;
    std::size_t number = 1;
    // A UTF-8 byte-order mark is not part of the header.
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") start = 3;
    while (start <= bytes.size()) {
        auto end = bytes.find('\n', start);
        if (end == std::string_view::npos) end = bytes.size();
        std::string_view piece = bytes.substr(start, end - start);
        if (!piece.empty() && piece.back() == '\r') piece.remove_suffix(1);
        lines.push_back({std::string(piece), number++});
        start = end + 1;
    }
    return lines;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads a quoted text starting at text[pos] == '"'; pos ends after the closing quote.
std::optional<std::string> quoted(const std::string& text, std::size_t& pos) {
    if (pos >= text.size() || text[pos] != '"') return std::nullopt;
    std::string out;
    for (++pos; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (c == '\\') {
            if (pos + 1 >= text.size()) return std::nullopt;
            const char next = text[++pos];
            if (next != '\\' && next != '"') return std::nullopt;
            out.push_back(next);
        } else if (c == '"') {
            ++pos;
            return out;
        } else {
            out.push_back(c);
        }
    }
    return std::nullopt;
}

// "0a,ff,00" into bytes; an empty list is no bytes.
std::optional<std::string> hexBytes(std::string_view list) {
    std::string out;
    std::size_t pos = 0;
    const auto skipBlanks = [&] {
        while (pos < list.size() && (list[pos] == ' ' || list[pos] == '\t')) ++pos;
    };
    skipBlanks();
    if (pos == list.size()) return out;
    for (;;) {
        skipBlanks();
        if (pos + 2 > list.size()) return std::nullopt;
        const int high = hexDigit(list[pos]);
        const int low = hexDigit(list[pos + 1]);
        if (high < 0 || low < 0) return std::nullopt;
        out.push_back(static_cast<char>(high * 16 + low));
        pos += 2;
        skipBlanks();
        if (pos == list.size()) return out;
        if (list[pos] != ',') return std::nullopt;
        ++pos;
    }
}

// In a UTF-16 file the texts of hex(1), hex(2) and hex(7) are UTF-16LE bytes.
std::optional<std::string> textBytesFromUtf16(const std::string& bytes) {
    if (bytes.size() % 2 != 0) return std::nullopt;
    com::OleString units;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        units.push_back(static_cast<OLECHAR>(static_cast<unsigned char>(bytes[i]) |
                                             (static_cast<unsigned char>(bytes[i + 1]) << 8)));
    }
    return pointilla::codepage::utf8ToCp1252(com::utf8FromUtf16(units));
}

bool writableRoot(std::string_view name) {
    return name == "HKEY_CLASSES_ROOT" || name == "HKEY_CURRENT_USER" ||
           name == "HKEY_LOCAL_MACHINE" || name == "HKEY_USERS" || name == "HKEY_CURRENT_CONFIG";
}

RegFileValue parseValue(const std::string& text, std::size_t number, bool unicode) {
    RegFileValue value;
    std::size_t pos = 0;
    if (text[0] == '@') {
        pos = 1;
    } else {
        auto name = quoted(text, pos);
        if (!name) throw ParseFailure{number, "a value name must stand between double quotes"};
        // The registry functions take names up to their first NUL: another name's.
        if (name->find('\0') != std::string::npos) {
            throw ParseFailure{number, "a NUL character in the value name"};
        }
        value.name = *name;
    }
    if (pos >= text.size() || text[pos] != '=') {
        throw ParseFailure{number, "\"=\" expected after the value name"};
    }
    ++pos;
    const std::string data = text.substr(pos);
    if (data == "-") {
        value.remove = true;
    } else if (!data.empty() && data[0] == '"') {
        std::size_t at = 0;
        auto content = quoted(data, at);
        if (!content || at != data.size()) throw ParseFailure{number, "malformed quoted text"};
        value.type = REG_SZ;
        value.data = *content;
    } else if (data.compare(0, 6, "dword:") == 0) {
        const std::string digits = data.substr(6);
        if (digits.empty() || digits.size() > 8) throw ParseFailure{number, "malformed dword"};
        DWORD n = 0;
        for (char c : digits) {
            const int d = hexDigit(c);
            if (d < 0) throw ParseFailure{number, "malformed dword"};
            n = n * 16 + static_cast<DWORD>(d);
        }
        value.type = REG_DWORD;
        value.data.assign(reinterpret_cast<const char*>(&n), 4);
    } else if (data.compare(0, 3, "hex") == 0) {
        std::size_t colon = data.find(':');
        if (colon == std::string::npos) throw ParseFailure{number, "malformed hex data"};
        const std::string kind = data.substr(3, colon - 3);
        if (kind.empty()) {
            value.type = REG_BINARY;
        } else {
            if (kind.size() < 3 || kind.front() != '(' || kind.back() != ')' || kind.size() > 10) {
                throw ParseFailure{number, "malformed hex(type)"};
            }
            DWORD type = 0;
            for (std::size_t i = 1; i + 1 < kind.size(); ++i) {
                const int d = hexDigit(kind[i]);
                if (d < 0) throw ParseFailure{number, "malformed hex(type)"};
                type = type * 16 + static_cast<DWORD>(d);
            }
            value.type = type;
        }
        auto bytes = hexBytes(std::string_view(data).substr(colon + 1));
        if (!bytes) throw ParseFailure{number, "malformed hex bytes"};
        value.data = std::move(*bytes);
        if (unicode &&
            (value.type == REG_SZ || value.type == REG_EXPAND_SZ || value.type == REG_MULTI_SZ)) {
            auto converted = textBytesFromUtf16(value.data);
            if (!converted) {
                throw ParseFailure{number, "a text that Windows-1252 cannot represent"};
            }
            value.data = std::move(*converted);
        }
    } else {
        throw ParseFailure{number, "unknown kind of value data"};
    }
    return value;
}

}  // namespace

RegFileParse parseRegFile(std::string_view fileBytes) {
    RegFileParse result;
    try {
        bool unicode = false;
        const std::vector<Line> lines = splitLines(fileBytes, &unicode);
        std::size_t i = 0;
        while (i < lines.size() && lines[i].text.empty()) ++i;
        if (i == lines.size() || (lines[i].text != "REGEDIT4" &&
                                  lines[i].text != "Windows Registry Editor Version 5.00")) {
            throw ParseFailure{i < lines.size() ? lines[i].number : 1,
                               "not a registry file: REGEDIT4 or \"Windows Registry Editor "
                               "Version 5.00\" expected"};
        }
        for (++i; i < lines.size(); ++i) {
            std::string text = lines[i].text;
            const std::size_t number = lines[i].number;
            if (text.empty() || text[0] == ';') continue;
            // A line ending in a backslash goes on on the next line.
            while (!text.empty() && text.back() == '\\' && text[0] != '[' && i + 1 < lines.size()) {
                text.pop_back();
                std::string next = lines[++i].text;
                next.erase(0, next.find_first_not_of(" \t"));
                text += next;
            }
            if (text[0] == '[') {
                if (text.back() != ']' || text.size() < 3) {
                    throw ParseFailure{number, "a key line must end with \"]\""};
                }
                RegFileKey key;
                key.path = text.substr(1, text.size() - 2);
                if (!key.path.empty() && key.path[0] == '-') {
                    key.remove = true;
                    key.path.erase(0, 1);
                }
                if (key.path.find('\0') != std::string::npos) {
                    throw ParseFailure{number, "a NUL character in the key path"};
                }
                const std::string root = key.path.substr(0, key.path.find('\\'));
                if (!writableRoot(root)) throw ParseFailure{number, "unknown root key " + root};
                if (key.path.back() == '\\' || key.path.find("\\\\") != std::string::npos) {
                    throw ParseFailure{number, "empty key name in " + key.path};
                }
                result.keys.push_back(std::move(key));
                continue;
            }
            if (result.keys.empty()) throw ParseFailure{number, "a value before any key"};
            if (result.keys.back().remove) {
                throw ParseFailure{number, "a value under a key being removed"};
            }
            result.keys.back().values.push_back(parseValue(text, number, unicode));
        }
    } catch (const ParseFailure& failure) {
        result.keys.clear();
        result.errorLine = failure.line;
        result.error = failure.reason;
    }
    return result;
}

namespace {

// The whole content of a regular file; anything else (a folder, a device, a
// pipe) is refused before a byte is read.
pointilla::Result<std::string, std::string> readRegularFile(const std::filesystem::path& file) {
    const auto reason = [&](const std::string& what) {
        return pointilla::fail("cannot read " + file.string() + ": " + what);
    };
    // Non-blocking, so that opening a pipe with no writer does not wait.
    const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return reason(std::strerror(errno));
    const pointilla::platform::posix::UniqueFd owner(fd);
    struct stat status {};
    if (::fstat(fd, &status) != 0) return reason(std::strerror(errno));
    if (!S_ISREG(status.st_mode)) return reason("not a regular file");
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got == 0) return bytes;
        if (got < 0) {
            if (errno == EINTR) continue;
            return reason(std::strerror(errno));
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
}

// ": " and the store's own reason, when it gave one.
std::string storeReason() {
    const std::string why = pointilla::registry::takeStoreFailure();
    return why.empty() ? std::string() : ": " + why;
}

}  // namespace

pointilla::Status<std::string> importRegFile(const std::filesystem::path& file) {
    const auto bytes = readRegularFile(file);
    if (!bytes) return pointilla::fail(bytes.error());
    const RegFileParse parsed = parseRegFile(*bytes);
    if (!parsed.error.empty()) {
        return pointilla::fail(file.string() + ":" + std::to_string(parsed.errorLine) + ": " +
                               parsed.error);
    }
    pointilla::registry::takeStoreFailure();  // an earlier call's reason is not ours
    pointilla::registry::WriteBatch batch;
    if (!batch.active())
        return pointilla::fail("the registry store is not available" + storeReason());
    for (const auto& key : parsed.keys) {
        const auto cut = key.path.find('\\');
        const std::string rootName = key.path.substr(0, cut);
        const std::string subKey = cut == std::string::npos ? "" : key.path.substr(cut + 1);
        HKEY root = RootFromName(rootName);
        if (key.remove) {
            if (subKey.empty())
                return pointilla::fail("a whole root cannot be removed: " + rootName);
            if (!DeleteKeyTree(root, subKey)) {
                return pointilla::fail("cannot remove " +
                                       pointilla::codepage::cp1252ToUtf8(key.path) + storeReason());
            }
            continue;
        }
        RegistryKey opened;
        if (RegCreateKeyA(root, subKey.c_str(), opened.out()) != ERROR_SUCCESS) {
            return pointilla::fail("cannot create " + pointilla::codepage::cp1252ToUtf8(key.path) +
                                   storeReason());
        }
        for (const auto& value : key.values) {
            LONG status = ERROR_SUCCESS;
            if (value.remove) {
                status = RegDeleteValueA(opened.get(), value.name.c_str());
                if (status == ERROR_FILE_NOT_FOUND) status = ERROR_SUCCESS;
            } else {
                status = RegSetValueExA(opened.get(), value.name.c_str(), 0, value.type,
                                        reinterpret_cast<const BYTE*>(value.data.data()),
                                        static_cast<DWORD>(value.data.size()));
            }
            if (status != ERROR_SUCCESS) {
                return pointilla::fail("cannot write the value \"" +
                                       pointilla::codepage::cp1252ToUtf8(value.name) + "\" under " +
                                       pointilla::codepage::cp1252ToUtf8(key.path) + storeReason());
            }
        }
    }
    if (!batch.commit())
        return pointilla::fail("the registry store refused the import" + storeReason());
    return {};
}

}  // namespace trellis
