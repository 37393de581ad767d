#include "scenario/sce_file.h"

#include <algorithm>

#include "codepage/cp1252.h"

namespace pointilla::scenario {
namespace {

constexpr char kSeparator = '\xA4';  // "¤" in Windows-1252

// One line of a file, as bytes, without its terminator.
void parseLine(std::string_view line, int lineNumber, SceContent& out) {
    const auto p = line.find(kSeparator);
    if (p == std::string_view::npos) {
        out.stop = ReadStop{
            lineNumber, line.empty() ? ReadStop::Reason::EmptyLine : ReadStop::Reason::NoSeparator};
        return;
    }
    const auto q = line.find(kSeparator, p + 1);
    if (q == std::string_view::npos) {
        out.stop = ReadStop{lineNumber, ReadStop::Reason::NoSecondSeparator};
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

bool appendEncoded(std::string& out, std::string_view text, int rowNumber, EncodeError& error) {
    codepage::EncodeError where;
    const auto bytes = codepage::utf8ToCp1252(text, &where);
    if (!bytes) {
        error = EncodeError{rowNumber, where.codePoint};
        return false;
    }
    out += *bytes;
    return true;
}

}  // namespace

SceContent parseSce(std::string_view bytes) {
    SceContent out;
    // One row a line at most: room made once, rather than doubled as the rows
    // come, keeps a long file's peak near what its rows take.
    out.rows.reserve(static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\r')) + 1);
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

Result<std::string, EncodeError> encodeSce(const std::vector<Row>& rows) {
    std::string out;
    std::size_t size = 0;
    for (const Row& row : rows) size += row.action.size() + row.detail.size() + 4;
    out.reserve(size);
    EncodeError error;
    int rowNumber = 0;
    for (const Row& row : rows) {
        ++rowNumber;
        if (!appendEncoded(out, row.action, rowNumber, error)) return fail(error);
        out.push_back(kSeparator);
        if (!appendEncoded(out, row.detail, rowNumber, error)) return fail(error);
        out.push_back(kSeparator);
        out.append("\r\n");
    }
    return out;
}

}  // namespace pointilla::scenario
