#include "trellis/reg_backup.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "codepage/cp1252.h"
#include "trellis/file_io.h"
#include "trellis/file_system.h"
#include "trellis/notifier.h"
#include "trellis/os_version.h"
#include "trellis/registry_access.h"
#include "trellis/registry_view.h"

namespace trellis {
namespace {

std::string trimSpaces(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

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

void writeLine(SHORT fileNumber, const std::string& utf8) {
    // Everything written came from Windows-1252 text, so the conversion holds.
    const auto bytes = pointilla::codepage::utf8ToCp1252(utf8);
    if (!bytes) throw FileError(57);
    PrintLine(fileNumber, *bytes);
}

void ExportKeyTree(const std::string& rootName, HKEY root, const std::string& subKey,
                   SHORT fileNumber) {
    writeLine(fileNumber, KeyHeaderLine(rootName, subKey));
    std::vector<std::string> names;
    LONG count = 0;
    std::string key = subKey;
    HKEY handle = root;
    const SHORT n = RegistryEnumerateValues(handle, key, names, count);
    for (SHORT i = 0; i < n; ++i) {
        std::string name = names[static_cast<std::size_t>(i)];
        RawValue raw;
        const KeyValue value = RegistryGetKeyValue(handle, key, name, &raw);
        const DWORD type = LastValueType();
        if (!raw.found) continue;  // deleted meanwhile
        // One zero byte at the end is the text's terminator, which Windows keeps
        // after nearly every text it stores; it is no reason for the hex form.
        std::string_view text(raw.bytes);
        if (!text.empty() && text.back() == '\0') text.remove_suffix(1);
        if (type == REG_SZ && quotable(text) && std::holds_alternative<std::string>(value)) {
            writeLine(fileNumber, StringValueLine(name, std::get<std::string>(value)));
        } else if (type == REG_DWORD && std::holds_alternative<LONG>(value)) {
            writeLine(fileNumber, DWordValueLine(name, std::get<LONG>(value)));
        } else {
            // Binary data, and every other type or text in the editor's hex(N) form.
            for (const auto& line : HexValueLines(name, type, raw.bytes)) {
                writeLine(fileNumber, line);
            }
        }
    }
    writeLine(fileNumber, "");
    std::vector<std::string> subNames;
    const SHORT m = RegistryEnumerateSubKeys(handle, key, subNames, count);
    for (SHORT j = 0; j < m; ++j) {
        const std::string& child = subNames[static_cast<std::size_t>(j)];
        ExportKeyTree(rootName, root, subKey.empty() ? child : subKey + "\\" + child, fileNumber);
    }
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
    const std::string old = base + ".OLD";
    const std::string reg = base + ".REG";
    const SHORT fileNumber = FreeFile();
    try {
        if (fileNumber == 0) throw FileError(67);
        std::error_code ec;
        if (FileExists(old, kAttrNormal)) {
            std::filesystem::remove(fs::pathFromUtf8(old), ec);
            if (ec) throw FileError(ec == std::errc::permission_denied ? 70 : 75);
        }
        if (FileExists(reg, kAttrNormal)) {
            std::filesystem::rename(fs::pathFromUtf8(reg), fs::pathFromUtf8(old), ec);
            if (ec) throw FileError(ec == std::errc::permission_denied ? 70 : 75);
        }
        OSVERSIONINFOA version{};
        version.dwOSVersionInfoSize = sizeof version;
        if (!GetVersionExA(&version)) return VARIANT_FALSE;
        OpenFileForAppend(reg, fileNumber);
        const bool editor5 =
            version.dwMajorVersion == 5 && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
        writeLine(fileNumber, editor5 ? "Windows Registry Editor Version 5.00" : "REGEDIT4");
        writeLine(fileNumber, "");
        const RegistryView view;  // the tree as one commit left it
        ExportKeyTree(rootName, root, subKey, fileNumber);
        CloseFile(fileNumber);
        return VARIANT_TRUE;
    } catch (const FileError& e) {
        try {
            CloseFile(fileNumber);
        } catch (const FileError&) {
            // The first error is the one the user hears about.
        }
        showMessage(FileErrorText(e.number()), "File I/O Error", MB_OK);
    } catch (const std::bad_alloc&) {
        try {
            CloseFile(fileNumber);
        } catch (const FileError&) {
        }
        showMessage(FileErrorText(31001), "File I/O Error", MB_OK);
    }
    return VARIANT_FALSE;
}

VARIANT_BOOL ExportMember(const std::string& sKeytoBackup, const std::string& sBackupDir,
                          const std::string& sBackupFile, const std::function<void(LONG)>& raise) {
    if (!FileExists(sBackupDir, kAttrDirectory)) raise(76);
    const auto pos = sKeytoBackup.find('\\');
    if (pos == std::string::npos) raise(kBadKeyPath);
    const std::string rootName = sKeytoBackup.substr(0, pos);
    const std::string subKey = sKeytoBackup.substr(pos + 1);
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
