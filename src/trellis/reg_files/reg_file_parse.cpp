#include "trellis/reg_files/reg_file_parse.h"

#include <array>
#include <optional>

#include "trellis/reg_files/reg_file_text.h"

namespace trellis {
namespace {

using pointilla::fail;
using Kind = RegFileError::Kind;
using Failure = pointilla::Failure<RegFileError>;

// The roots a file may write under, as the store names them.
constexpr std::array<std::string_view, 5> kRoots = {"HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER",
                                                    "HKEY_LOCAL_MACHINE", "HKEY_USERS",
                                                    "HKEY_CURRENT_CONFIG"};

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimLeft(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    return text;
}
std::string_view trim(std::string_view text) {
    text = trimLeft(text);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}
// Nothing but blanks, and then perhaps a comment.
bool endsHere(std::string_view rest) {
    rest = trimLeft(rest);
    return rest.empty() || rest.front() == ';';
}

std::optional<int> hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return std::nullopt;
}

bool sameLetters(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; };
        if (upper(a[i]) != upper(b[i])) return false;
    }
    return true;
}

Failure failure(Kind kind, std::size_t line, std::string subject = {}) {
    return fail(RegFileError{kind, line, std::move(subject)});
}

// A quoted text from just after its opening quote; rest ends after the closing
// quote. Only \\ and \" are escapes, as in what the registry editor writes.
pointilla::Result<std::string, RegFileError> unquote(std::string_view& rest, Kind unclosed,
                                                     std::size_t line) {
    std::string out;
    for (std::size_t i = 0; i < rest.size(); ++i) {
        const char c = rest[i];
        if (c == '"') {
            rest.remove_prefix(i + 1);
            return out;
        }
        if (c == '\\') {
            if (++i == rest.size()) break;
            if (rest[i] != '\\' && rest[i] != '"') {
                return failure(Kind::UnknownEscape, line, std::string(1, rest[i]));
            }
        }
        out.push_back(rest[i]);
    }
    return failure(unclosed, line);
}

// Appends the bytes of a list such as "0a,ff, 1": up to ff each,
// blanks around commas, a trailing comma, then a comment or ",\" to go on.
pointilla::Status<RegFileError> appendHexBytes(std::string_view list, std::string& bytes,
                                               bool& continues, std::size_t line) {
    continues = false;
    for (std::string_view rest = trimLeft(list);; rest = trimLeft(rest)) {
        if (rest.empty() || rest.front() == ';') return {};
        if (rest.front() == '\\') {
            if (!endsHere(rest.substr(1))) break;
            continues = true;
            return {};
        }
        // Leading zeros are allowed, as the editor allows them: 001 is 01.
        int value = 0;
        std::size_t digits = 0;
        for (; digits < rest.size() && value <= 0xFF; ++digits) {
            const auto d = hexDigit(rest[digits]);
            if (!d) break;
            value = value * 16 + *d;
        }
        if (digits == 0 || value > 0xFF) break;
        bytes.push_back(static_cast<char>(value));
        rest = trimLeft(rest.substr(digits));
        if (rest.empty() || rest.front() == ';') return {};
        if (rest.front() != ',') break;
        rest.remove_prefix(1);
    }
    return failure(Kind::BadHexBytes, line);
}

std::optional<DWORD> hexNumber(std::string_view digits, std::size_t most) {
    if (digits.empty() || digits.size() > most) return std::nullopt;
    DWORD n = 0;
    for (char c : digits) {
        const auto d = hexDigit(c);
        if (!d) return std::nullopt;
        n = n * 16 + static_cast<DWORD>(*d);
    }
    return n;
}

class Parser {
  public:
    explicit Parser(bool unicode) : unicode_(unicode) {}

    pointilla::Status<RegFileError> line(std::string_view text, std::size_t number) {
        if (pending_) return continuation(text, number);
        const std::string_view content = trimLeft(text);
        if (content.empty() || content.front() == ';') return {};
        auto parsed =
            content.front() == '[' ? key(content.substr(1), number) : value(content, number);
        // A backslash continues nothing but hex data: say so rather than what broke.
        if (!parsed && trim(content).back() == '\\' &&
            (parsed.error().kind == Kind::KeyLineUnclosed ||
             parsed.error().kind == Kind::TextUnclosed ||
             parsed.error().kind == Kind::NameUnclosed || parsed.error().kind == Kind::BadDword)) {
            return failure(Kind::ContinuationOutsideHex, number);
        }
        return parsed;
    }

    // The end of the file ends a hex value still waiting for its next line.
    pointilla::Result<std::vector<RegFileKey>, RegFileError> finish() && {
        if (pending_) {
            if (auto done = finishHex(); !done) return fail(std::move(done).error());
        }
        return std::move(keys_);
    }

  private:
    pointilla::Status<RegFileError> key(std::string_view body, std::size_t number) {
        const std::size_t close = body.rfind(']');
        if (close == std::string_view::npos) return failure(Kind::KeyLineUnclosed, number);
        if (!endsHere(body.substr(close + 1))) {
            return failure(Kind::TextAfterKey, number, std::string(trim(body.substr(close + 1))));
        }
        RegFileKey key;
        std::string_view path = body.substr(0, close);
        if (!path.empty() && path.front() == '-') {
            key.remove = true;
            path.remove_prefix(1);
        }
        if (path.find('\0') != std::string_view::npos) return failure(Kind::NulInKey, number);
        // "[HKEY_CURRENT_USER\Software\]" names Software, as the editor reads it.
        if (!path.empty() && path.back() == '\\') path.remove_suffix(1);
        const std::size_t cut = path.find('\\');
        const std::string_view rootName = path.substr(0, cut);
        std::string_view root;
        for (std::string_view known : kRoots) {
            if (sameLetters(rootName, known)) root = known;
        }
        if (root.empty()) return failure(Kind::UnknownRoot, number, std::string(rootName));
        const std::string_view subKey =
            cut == std::string_view::npos ? std::string_view() : path.substr(cut + 1);
        if ((cut != std::string_view::npos && subKey.empty()) || path.back() == '\\' ||
            subKey.find("\\\\") != std::string_view::npos) {
            return failure(Kind::EmptyKeyName, number, std::string(path));
        }
        if (key.remove && subKey.empty())
            return failure(Kind::RootRemoval, number, std::string(root));
        key.path = std::string(root) + (subKey.empty() ? "" : "\\" + std::string(subKey));
        keys_.push_back(std::move(key));
        return {};
    }

    pointilla::Status<RegFileError> value(std::string_view text, std::size_t number) {
        if (text.front() != '@' && text.front() != '"') {
            return failure(Kind::LineNotUnderstood, number);
        }
        if (keys_.empty()) return failure(Kind::ValueBeforeKey, number);
        if (keys_.back().remove) return failure(Kind::ValueUnderRemovedKey, number);
        RegFileValue value;
        std::string_view rest = text.substr(1);
        if (text.front() == '"') {
            auto name = unquote(rest, Kind::NameUnclosed, number);
            if (!name) return fail(std::move(name).error());
            // The registry functions take names up to their first NUL: another name's.
            if (name->find('\0') != std::string::npos) return failure(Kind::NulInName, number);
            if (name->size() > kLongestValueName) {
                return failure(Kind::NameTooLong, number, std::to_string(name->size()));
            }
            value.name = std::move(*name);
        }
        rest = trimLeft(rest);
        if (rest.empty() || rest.front() != '=') return failure(Kind::EqualsExpected, number);
        const std::string_view data = trim(rest.substr(1));
        if (!data.empty() && data.front() == '-') {
            if (!endsHere(data.substr(1))) return failure(Kind::TextAfterData, number);
            value.remove = true;
        } else if (!data.empty() && data.front() == '"') {
            std::string_view after = data.substr(1);
            auto quotedText = unquote(after, Kind::TextUnclosed, number);
            if (!quotedText) return fail(std::move(quotedText).error());
            if (!endsHere(after)) return failure(Kind::TextAfterData, number);
            value.data = std::move(*quotedText);
        } else if (data.substr(0, 6) == "dword:") {
            std::string_view digits = trimLeft(data.substr(6));
            const std::size_t end = std::min(digits.find_first_of(" \t;"), digits.size());
            const auto n = hexNumber(digits.substr(0, end), 8);
            if (!n || !endsHere(digits.substr(end))) return failure(Kind::BadDword, number);
            value.type = REG_DWORD;
            value.data.assign(reinterpret_cast<const char*>(&*n), 4);
        } else if (data.substr(0, 3) == "hex") {
            return hex(std::move(value), data.substr(3), number);
        } else {
            return failure(Kind::UnknownData, number);
        }
        keys_.back().values.push_back(std::move(value));
        return {};
    }

    // After "hex": ":bytes" or "(type):bytes".
    pointilla::Status<RegFileError> hex(RegFileValue value, std::string_view data,
                                        std::size_t number) {
        value.type = REG_BINARY;
        if (!data.empty() && data.front() == '(') {
            const std::size_t close = data.find(')');
            const auto type = close == std::string_view::npos
                                  ? std::nullopt
                                  : hexNumber(data.substr(1, close - 1), 8);
            if (!type) return failure(Kind::BadHexType, number);
            value.type = *type;
            data.remove_prefix(close + 1);
        }
        if (data.empty() || data.front() != ':') return failure(Kind::BadHexType, number);
        bool continues = false;
        if (auto added = appendHexBytes(data.substr(1), value.data, continues, number); !added) {
            return added;
        }
        pending_ = std::move(value);
        pendingLine_ = number;
        return continues ? pointilla::Status<RegFileError>() : finishHex();
    }

    // A line after ",\": blank lines and comments wait; anything but hex bytes is refused.
    pointilla::Status<RegFileError> continuation(std::string_view text, std::size_t number) {
        const std::string_view content = trimLeft(text);
        if (content.empty() || content.front() == ';') return {};
        if (!hexDigit(content.front())) return failure(Kind::ContinuationNotHex, number);
        bool continues = false;
        if (auto added = appendHexBytes(content, pending_->data, continues, number); !added) {
            return added;
        }
        return continues ? pointilla::Status<RegFileError>() : finishHex();
    }

    // In a UTF-16 file the texts of hex(1), hex(2) and hex(7) are UTF-16LE bytes.
    pointilla::Status<RegFileError> finishHex() {
        RegFileValue value = std::move(*pending_);
        pending_.reset();
        if (unicode_ &&
            (value.type == REG_SZ || value.type == REG_EXPAND_SZ || value.type == REG_MULTI_SZ)) {
            auto text = cp1252FromUtf16Bytes(value.data);
            if (!text) {
                RegFileError error = std::move(text).error();
                error.line = pendingLine_;
                return fail(std::move(error));
            }
            value.data = std::move(*text);
        }
        keys_.back().values.push_back(std::move(value));
        return {};
    }

    bool unicode_;
    std::vector<RegFileKey> keys_;
    std::optional<RegFileValue> pending_;  // hex data continued on the next line
    std::size_t pendingLine_ = 0;
};

bool isHeader(std::string_view line) {
    line = trim(line);
    return line == "REGEDIT4" || line == "Windows Registry Editor Version 5.00";
}

}  // namespace

pointilla::Result<std::vector<RegFileKey>, RegFileError> parseRegFile(std::string_view fileBytes) {
    auto text = decodeRegFile(fileBytes);
    if (!text) return fail(std::move(text).error());
    const std::vector<RegFileLine>& lines = text->lines;
    // The editor reads the header from the first line only.
    if (!isHeader(lines.front().text)) return failure(Kind::NotRegistryFile, 1);
    Parser parser(text->unicode);
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (auto read = parser.line(lines[i].text, lines[i].number); !read) {
            return fail(std::move(read).error());
        }
    }
    return std::move(parser).finish();
}

}  // namespace trellis
