#include "trellis/reg_files/reg_backup.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

#include "codepage/cp1252.h"
#include "common/result.h"
#include "trellis/control/notifier.h"
#include "trellis/files/file_io.h"
#include "trellis/files/file_system.h"
#include "trellis/reg_files/os_version.h"
#include "trellis/store/registry_access.h"
#include "trellis/store/registry_view.h"
#include "trellis/store/text_trim.h"

namespace trellis {
namespace {

using pointilla::fail;

// Why an export stopped: the text its message box shows.
struct ExportFailure {
    std::string text;
};
using ExportStatus = pointilla::Status<ExportFailure>;

// Windows cannot hold keys deeper than this; a .REG file of a deeper tree could
// not be restored, and its key lines would grow without end.
constexpr std::size_t kDeepestKey = 512;

ExportFailure fileFailure(LONG number) { return {FileErrorText(number)}; }

std::string lower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

// A value name between quotes: backslashes and quotes escaped as the editor does.
std::string quotedName(const std::string& name) {
    std::string out = "\"";
    for (char c : name) {
        if (c == '\\' || c == '"') out.push_back('\\');
        out.push_back(c);
    }
    out.push_back('"');
    return out;
}

// A text the quoted form carries unchanged: no line breaks or other control
// characters, and no byte that Windows-1252 leaves undefined.
bool quotable(std::string_view rawBytes) {
    for (unsigned char b : rawBytes) {
        if ((b < 0x20 && b != '\t') || b == 0x7F || b == 0x81 || b == 0x8D || b == 0x8F ||
            b == 0x90 || b == 0x9D) {
            return false;
        }
    }
    return true;
}

// A name with a line break or a zero byte would end its line early or be cut.
bool fileCannotCarry(std::string_view name) {
    return name.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

// A name as a message shows it: its line breaks and zero bytes spelled out.
std::string shown(std::string_view name) {
    std::string out;
    for (char c : name) {
        if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\0') {
            out += "\\0";
        } else {
            out.push_back(c);
        }
    }
    return out;
}

std::string keyPath(const std::string& rootName, const std::string& subKey) {
    return subKey.empty() ? rootName : rootName + "\\" + subKey;
}

ExportFailure readFailure(const std::string& rootName, const std::string& subKey, LONG status) {
    return {"Cannot read " + shown(keyPath(rootName, subKey)) + ": " + RegistryFailureText(status)};
}

ExportStatus writeLine(SHORT fileNumber, const std::string& utf8) {
    // Everything written came from Windows-1252 text, so the conversion holds.
    const auto bytes = pointilla::codepage::utf8ToCp1252(utf8);
    if (!bytes) return fail(fileFailure(57));
    if (auto written = WriteLine(fileNumber, *bytes); !written) {
        return fail(fileFailure(written.error()));
    }
    return {};
}

ExportStatus writeValue(SHORT fileNumber, const std::string& name, const RawValue& raw) {
    // One zero byte at the end is the text's terminator, which Windows keeps
    // after nearly every text it stores; it is no reason for the hex form.
    std::string_view text(raw.bytes);
    if (!text.empty() && text.back() == '\0') text.remove_suffix(1);
    if (raw.type == REG_SZ && quotable(text)) {
        return writeLine(fileNumber,
                         StringValueLine(name, pointilla::codepage::cp1252ToUtf8(text)));
    }
    if (raw.type == REG_DWORD && raw.bytes.size() == 4) {
        LONG number = 0;
        std::memcpy(&number, raw.bytes.data(), 4);
        return writeLine(fileNumber, DWordValueLine(name, number));
    }
    // Binary data, and every other type or text in the editor's hex(N) form.
    for (const auto& line : HexValueLines(name, raw.type, raw.bytes)) {
        if (auto written = writeLine(fileNumber, line); !written) return written;
    }
    return {};
}

// Writes one key's line and values; gives its sub-key names. A key gone
// meanwhile gives no names and, unless it is the key asked for, no lines.
pointilla::Result<std::vector<std::string>, ExportFailure> writeKey(SHORT fileNumber,
                                                                    const std::string& rootName,
                                                                    HKEY root,
                                                                    const std::string& subKey,
                                                                    bool asked) {
    if (fileCannotCarry(subKey)) {
        return fail(ExportFailure{"The key name " + shown(keyPath(rootName, subKey)) +
                                  " holds a line break or a zero byte, which a .REG file "
                                  "cannot carry"});
    }
    // The key and its names; a key that is not (or no longer) there has none.
    RegistryKey key;
    std::vector<std::string> names;
    auto opened = OpenKeyToRead(root, subKey, key);
    if (opened) {
        auto listed = ListValueNames(key.get());
        if (listed) {
            names = std::move(*listed);
        } else {
            opened = fail(listed.error());
        }
    }
    if (!opened) {
        if (!IsAbsence(opened.error())) return fail(readFailure(rootName, subKey, opened.error()));
        if (!asked) return std::vector<std::string>();
    }
    if (auto written = writeLine(fileNumber, KeyHeaderLine(rootName, subKey)); !written) {
        return fail(std::move(written).error());
    }
    for (const std::string& name : names) {
        if (fileCannotCarry(name)) {
            return fail(ExportFailure{"The value name \"" + shown(name) + "\" under " +
                                      shown(keyPath(rootName, subKey)) +
                                      " holds a line break or a zero byte, which a .REG file "
                                      "cannot carry"});
        }
        auto raw = ReadRawValue(key.get(), name);
        if (!raw) {
            if (IsAbsence(raw.error())) continue;  // deleted meanwhile
            return fail(readFailure(rootName, subKey, raw.error()));
        }
        if (auto written = writeValue(fileNumber, name, *raw); !written) {
            return fail(std::move(written).error());
        }
    }
    if (auto written = writeLine(fileNumber, ""); !written) return fail(std::move(written).error());
    if (!opened) return std::vector<std::string>();
    auto children = ListSubKeyNames(key.get());
    if (!children) {
        if (IsAbsence(children.error())) return std::vector<std::string>();
        return fail(readFailure(rootName, subKey, children.error()));
    }
    return std::move(children).value();
}

// The tree in depth-first pre-order, walked with a list of keys still to write
// rather than by recursion, so that no depth can exhaust the stack.
ExportStatus writeTree(SHORT fileNumber, const std::string& rootName, HKEY root,
                       const std::string& subKey) {
    struct Pending {
        std::string subKey;
        std::size_t depth;
    };
    const std::size_t topDepth =
        subKey.empty()
            ? 0
            : 1 + static_cast<std::size_t>(std::count(subKey.begin(), subKey.end(), '\\'));
    std::vector<Pending> pending{{subKey, topDepth}};
    while (!pending.empty()) {
        Pending key = std::move(pending.back());
        pending.pop_back();
        if (key.depth > kDeepestKey) {
            return fail(ExportFailure{"The key " + shown(keyPath(rootName, subKey)) +
                                      " holds keys deeper than " + std::to_string(kDeepestKey) +
                                      " levels, more than a .REG file can restore"});
        }
        auto children = writeKey(fileNumber, rootName, root, key.subKey, key.depth == topDepth);
        if (!children) return fail(std::move(children).error());
        for (auto child = children->rbegin(); child != children->rend(); ++child) {
            pending.push_back(
                {key.subKey.empty() ? *child : key.subKey + "\\" + *child, key.depth + 1});
        }
    }
    return {};
}

// The export's file while it is written: a new file beside the .REG under a
// file number, closed and removed on every way out unless it took its place.
class ExportFile {
  public:
    ExportFile(SHORT number, std::string path) : number_(number), path_(std::move(path)) {}
    ~ExportFile() {
        AbandonFile(number_);
        if (!installed_) (void)fs::removeEntry(fs::pathFromUtf8(path_));
    }
    ExportFile(const ExportFile&) = delete;
    ExportFile& operator=(const ExportFile&) = delete;
    SHORT number() const { return number_; }
    const std::string& path() const { return path_; }
    void installed() { installed_ = true; }

  private:
    SHORT number_;
    std::string path_;
    bool installed_ = false;
};

ExportStatus writeBackup(const std::string& rootName, HKEY root, const std::string& subKey,
                         const std::string& base, const char* header) {
    const auto fileNumber = FreeFile();
    if (!fileNumber) return fail(fileFailure(67));  // too many files
    auto opened = OpenFileBeside(base + ".REG", *fileNumber);
    if (!opened) return fail(fileFailure(opened.error()));
    ExportFile file(*fileNumber, *opened);
    if (auto written = writeLine(file.number(), header); !written) return written;
    if (auto written = writeLine(file.number(), ""); !written) return written;
    {
        const RegistryView view;  // the tree as one commit left it
        if (auto written = writeTree(file.number(), rootName, root, subKey); !written) {
            return written;
        }
    }
    if (auto committed = CommitFile(file.number()); !committed) {
        return fail(fileFailure(committed.error()));
    }
    if (auto rotated = RotateInto(file.path(), base + ".REG", base + ".OLD"); !rotated) {
        return fail(fileFailure(rotated.error()));
    }
    file.installed();
    return {};
}

}  // namespace

std::string KeyHeaderLine(const std::string& rootName, const std::string& subKey) {
    // A whole root is written as the editor writes it, without a trailing backslash.
    return subKey.empty() ? "[" + rootName + "]" : "[" + rootName + "\\" + subKey + "]";
}

std::string StringValueLine(const std::string& name, const std::string& text) {
    std::string escaped;
    escaped.reserve(text.size() + 2);
    for (char c : text) {
        if (c == '\\' || c == '"') escaped.push_back('\\');
        escaped.push_back(c);
    }
    return quotedName(name) + "=\"" + escaped + "\"";
}

std::string DWordValueLine(const std::string& name, LONG number) {
    char digits[9];
    // DWORD is unsigned long on Windows: print it through a plain 32-bit unsigned.
    std::snprintf(digits, sizeof digits, "%08X", static_cast<std::uint32_t>(number));
    return quotedName(name) + "=dword:" + lower(digits);
}

std::vector<std::string> HexValueLines(const std::string& name, DWORD type,
                                       std::string_view bytes) {
    char typeText[16];
    if (type == REG_BINARY) {
        std::snprintf(typeText, sizeof typeText, "hex:");
    } else {
        std::snprintf(typeText, sizeof typeText, "hex(%x):", static_cast<std::uint32_t>(type));
    }
    const std::string lead = quotedName(name) + "=" + typeText;
    // The first line also carries the quotes, the name and "=hex:": 7 characters
    // plus the name for "hex:", more for "hex(N):".
    const auto nameLength = static_cast<long>(lead.size()) - 7;
    std::vector<std::string> lines;
    std::string pending;
    bool firstWritten = false;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        char h[3];
        std::snprintf(h, sizeof h, "%02X", static_cast<unsigned char>(bytes[i]));
        const long limit = firstWritten ? 71 : 65 - nameLength;
        const bool last = i + 1 == bytes.size();
        // The last byte never breaks a line: the value ends on this line.
        if (static_cast<long>(pending.size()) > limit && !last) {
            pending += std::string(h) + ",\\";
            lines.push_back(firstWritten ? "  " + pending : lead + lower(pending));
            firstWritten = true;
            pending.clear();
        } else {
            pending += std::string(h) + ",";
        }
    }
    if (!pending.empty()) pending.pop_back();  // the final comma
    pending = lower(pending);
    lines.push_back(firstWritten ? "  " + pending : lead + pending);
    return lines;
}

VARIANT_BOOL ExportKeyToFile(const std::string& rootName, const std::string& subKey,
                             const std::string& base) {
    HKEY root = RootFromName(rootName);
    if (root == nullptr) {
        std::string name = rootName;
        ExportRootFromName(name);  // shows the warning
        return VARIANT_FALSE;
    }
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExA(&version)) return VARIANT_FALSE;
    const bool editor5 =
        version.dwMajorVersion == 5 && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
    const char* header = editor5 ? "Windows Registry Editor Version 5.00" : "REGEDIT4";
    // Until the new file is complete, base.REG and base.OLD stay as they are.
    ExportStatus written;
    try {
        written = writeBackup(rootName, root, subKey, base, header);
    } catch (const std::bad_alloc&) {
        written = fail(fileFailure(31001));
    } catch (...) {
        written = fail(fileFailure(5));  // invalid procedure call
    }
    if (!written) {
        showMessage(written.error().text, "File I/O Error", MB_OK);
        return VARIANT_FALSE;
    }
    return VARIANT_TRUE;
}

pointilla::Result<VARIANT_BOOL, LONG> ExportMember(const std::string& sKeytoBackup,
                                                   const std::string& sBackupDir,
                                                   const std::string& sBackupFile) {
    if (!FileExists(sBackupDir, kAttrDirectory)) return fail(LONG{76});  // path not found
    const auto pos = sKeytoBackup.find('\\');
    if (pos == std::string::npos) return fail(kBadKeyPath);
    const std::string rootName = sKeytoBackup.substr(0, pos);
    // A trailing backslash names the same key.
    std::string subKey = sKeytoBackup.substr(pos + 1);
    while (!subKey.empty() && subKey.back() == '\\') subKey.pop_back();
    // The file goes in the folder: its name can neither leave it nor be missing.
    const auto last = sBackupFile.find_last_not_of(' ');
    const std::string name = last == std::string::npos ? "" : sBackupFile.substr(0, last + 1);
    if (name.empty() || name.find_first_of(std::string_view("/\\\0", 3)) != std::string::npos ||
        name.find("..") != std::string::npos) {
        showMessage(FileErrorText(52), "File I/O Error", MB_OK);
        return VARIANT_BOOL{VARIANT_FALSE};
    }
    // Directories are joined with the platform's separator; a trailing one (or the
    // Windows backslash) is not doubled.
    std::string base;
    if (!sBackupDir.empty() && (sBackupDir.back() == '\\' || sBackupDir.back() == '/')) {
        base = sBackupDir + sBackupFile;
    } else {
        base = sBackupDir + "/" + sBackupFile;
    }
    return ExportKeyToFile(rootName, subKey, trimSpaces(base));
}

}  // namespace trellis
