// Restoring .REG files: what the export writes comes back exactly; files of the
// registry editor are read; a malformed file writes nothing.

#include "trellis/reg_files/reg_import.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/registry_store.h"
#include "support/utf16_file.h"
#include "trellis/com/oleaut.h"
#include "trellis/reg_files/reg_backup.h"
#include "trellis/store/registry_access.h"

namespace trellis {
namespace {

using pointilla::testing::TempDir;
using testing::dwordBytes;
using testing::putKey;
using testing::putValue;
using testing::readFile;
using testing::utf16File;
using testing::writeFile;

RawValue raw(HKEY root, const std::string& subKey, const std::string& name) {
    auto value = RegistryGetRawValue(root, subKey, name);
    return value ? *value : RawValue{0xFFFF, {}};
}

// "" when the file was imported, else what stopped it: the kind of failure,
// and for a malformed file the kind of fault and its line ("Malformed 12:5").
std::string failureOf(const std::string& file, ImportOptions options = {}) {
    const auto imported = importRegFile(file, options);
    if (imported) return {};
    const ImportFailure& f = imported.error();
    if (f.kind != ImportFailure::Kind::Malformed) {
        return "Failure " + std::to_string(static_cast<int>(f.kind)) + " " + f.key;
    }
    return "Malformed " + std::to_string(static_cast<int>(f.malformed.kind)) + ":" +
           std::to_string(f.malformed.line);
}

bool keyExists(HKEY root, const std::string& subKey) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, subKey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

TEST(Import, RestoresAnExportExactly) {
    const std::string k = "Software\\RoundTrip";
    std::string binary;
    for (int i = 0; i < 100; ++i) binary.push_back(static_cast<char>(i * 7));
    putValue(HKEY_CURRENT_USER, k, "path", REG_SZ, "C:\\Temp \"quoted\"");
    putValue(HKEY_CURRENT_USER, k, "", REG_SZ, "default");
    putValue(HKEY_CURRENT_USER, k, "a\"b\\c", REG_SZ, "name escapes");
    putValue(HKEY_CURRENT_USER, k,
             "cl\xE9"
             "1",
             REG_SZ, "\x80 \xE9 \x81");
    putValue(HKEY_CURRENT_USER, k, "lines", REG_SZ, "one\r\ntwo\n");
    putValue(HKEY_CURRENT_USER, k, "spaces", REG_SZ, "  both  ");
    putValue(HKEY_CURRENT_USER, k, "n", REG_DWORD, dwordBytes(0x80000001));
    putValue(HKEY_CURRENT_USER, k, "bin", REG_BINARY, binary);
    putValue(HKEY_CURRENT_USER, k, "nothing", REG_BINARY, "");
    putValue(HKEY_CURRENT_USER, k, "exp", REG_EXPAND_SZ, "%HOME%\\x");
    putValue(HKEY_CURRENT_USER, k, "multi", REG_MULTI_SZ, std::string("a\0b\0\0", 5));
    putValue(HKEY_CURRENT_USER, k, "none", REG_NONE, "");
    putKey(HKEY_CURRENT_USER, k + "\\Empty\\Deeper");
    putValue(HKEY_CURRENT_USER, k + "\\Sub", "s", REG_SZ, "t");

    TempDir dir;
    const std::string file = dir.str() + "/tree.REG";
    ASSERT_TRUE(ExportKeyToFile("HKEY_CURRENT_USER", k, dir.str() + "/tree"));
    const std::string exported = readFile(file);

    // Restore into a tree emptied by a removal line.
    writeFile(dir.str() + "/remove.reg", "REGEDIT4\r\n\r\n[-HKEY_CURRENT_USER\\" + k + "]\r\n");
    ASSERT_EQ(failureOf(dir.str() + "/remove.reg"), "");
    ASSERT_FALSE(keyExists(HKEY_CURRENT_USER, k));
    ASSERT_EQ(failureOf(file), "");

    // Names here are UTF-8; the store holds them in Windows-1252.
    for (const char* name : {"path", "", "a\"b\\c", "clé1", "lines", "spaces", "n", "bin",
                             "nothing", "exp", "multi", "none"}) {
        SCOPED_TRACE(name);
        const RawValue value = raw(HKEY_CURRENT_USER, k, name);
        EXPECT_NE(value.type, 0xFFFFu);
    }
    EXPECT_EQ(raw(HKEY_CURRENT_USER, k, "path").bytes, "C:\\Temp \"quoted\"");
    EXPECT_EQ(raw(HKEY_CURRENT_USER, k, "lines").bytes, "one\r\ntwo\n");
    EXPECT_EQ(raw(HKEY_CURRENT_USER, k, "lines").type, REG_SZ);
    EXPECT_EQ(raw(HKEY_CURRENT_USER, k, "clÉ1").bytes, "\x80 \xE9 \x81");
    EXPECT_EQ(raw(HKEY_CURRENT_USER, k, "bin").bytes, binary);
    EXPECT_EQ(raw(HKEY_CURRENT_USER, k, "nothing").type, REG_BINARY);
    EXPECT_EQ(raw(HKEY_CURRENT_USER, k, "exp").type, REG_EXPAND_SZ);
    EXPECT_EQ(raw(HKEY_CURRENT_USER, k, "none").type, REG_NONE);
    EXPECT_EQ(raw(HKEY_CURRENT_USER, k, "multi").bytes, std::string("a\0b\0\0", 5));
    EXPECT_EQ(raw(HKEY_CURRENT_USER, k, "n").bytes, dwordBytes(0x80000001));
    EXPECT_TRUE(keyExists(HKEY_CURRENT_USER, k + "\\Empty\\Deeper"));

    ASSERT_TRUE(ExportKeyToFile("HKEY_CURRENT_USER", k, dir.str() + "/again"));
    EXPECT_EQ(readFile(dir.str() + "/again.REG"), exported);
}

TEST(Import, ReadsTheRegistryEditorsUnicodeFiles) {
    TempDir dir;
    const std::string file = dir.str() + "/unicode.reg";
    writeFile(file, utf16File(u"Windows Registry Editor Version 5.00\r\n"
                              u"\r\n"
                              u"; a comment\r\n"
                              u"[HKEY_LOCAL_MACHINE\\Software\\Unicode]\r\n"
                              u"\"s\"=\"é€\"\r\n"
                              u"@=\"default\"\r\n"
                              u"\"d\"=dword:0000002a\r\n"
                              u"\"x\"=hex(2):25,00,41,00,25,00,00,00\r\n"
                              u"\"b\"=hex:01,02,\\\r\n"
                              u"  03\r\n"));
    ASSERT_EQ(failureOf(file), "");
    const std::string k = "Software\\Unicode";
    EXPECT_EQ(raw(HKEY_LOCAL_MACHINE, k, "s").bytes, "\xE9\x80");
    EXPECT_EQ(raw(HKEY_LOCAL_MACHINE, k, "").bytes, "default");
    EXPECT_EQ(raw(HKEY_LOCAL_MACHINE, k, "d").bytes, dwordBytes(42));
    EXPECT_EQ(raw(HKEY_LOCAL_MACHINE, k, "d").type, REG_DWORD);
    EXPECT_EQ(raw(HKEY_LOCAL_MACHINE, k, "x").bytes, std::string("%A%\0", 4));
    EXPECT_EQ(raw(HKEY_LOCAL_MACHINE, k, "x").type, REG_EXPAND_SZ);
    EXPECT_EQ(raw(HKEY_LOCAL_MACHINE, k, "b").bytes, "\x01\x02\x03");
}

// The reading itself is tried case by case in reg_file_parse_test.cpp; here,
// that a refusal writes nothing, not even the keys before the fault.
TEST(Import, AMalformedFileIsRefusedWithItsLineAndWritesNothing) {
    TempDir dir;
    const std::string file = dir.str() + "/bad.reg";
    writeFile(file,
              "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Refused]\r\n\"ok\"=\"1\"\r\n"
              "\"bad\"=dword:xyz\r\n");
    const auto imported = importRegFile(file);
    ASSERT_FALSE(imported);
    EXPECT_EQ(imported.error().kind, ImportFailure::Kind::Malformed);
    EXPECT_EQ(imported.error().malformed.line, 5u);
    EXPECT_FALSE(keyExists(HKEY_CURRENT_USER, "Software\\Refused"));
    const auto missing = importRegFile(dir.str() + "/missing.reg");
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().kind, ImportFailure::Kind::Unreadable);
    EXPECT_EQ(missing.error().file.systemError, ENOENT);
}

// A NUL would cut the name the registry functions see: "Keep<NUL>-other" is Keep.
TEST(Import, ANulInAKeyPathOrValueNameIsRefusedWithItsLineAndWritesNothing) {
    putValue(HKEY_CURRENT_USER, "Software\\Nul\\Keep", "precious", REG_SZ, "kept");
    TempDir dir;
    const auto refused = [&](const std::string& bytes) {
        writeFile(dir.str() + "/nul.reg", bytes);
        return failureOf(dir.str() + "/nul.reg");
    };
    const std::string head = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Nul\\New]\r\n";
    const std::string nul(1, '\0');
    const auto malformed = [](RegFileError::Kind kind) {
        return "Malformed " + std::to_string(static_cast<int>(kind)) + ":4";
    };
    EXPECT_EQ(refused(head + "[-HKEY_CURRENT_USER\\Software\\Nul\\Keep" + nul + "-other]\r\n"),
              malformed(RegFileError::Kind::NulInKey));
    EXPECT_EQ(refused("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Nul\\Keep]\r\n\"precious" +
                      nul + "x\"=\"lost\"\r\n"),
              malformed(RegFileError::Kind::NulInName));
    EXPECT_EQ(raw(HKEY_CURRENT_USER, "Software\\Nul\\Keep", "precious").bytes, "kept");
    EXPECT_FALSE(keyExists(HKEY_CURRENT_USER, "Software\\Nul\\New"));
}

TEST(Import, AnythingButARegularFileIsRefusedWithoutReadingIt) {
    TempDir dir;
    const std::string fifo = dir.str() + "/pipe.reg";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    using FileKind = pointilla::platform::files::FileError::Kind;
    for (const auto& [path, kind] : {std::pair{dir.str(), FileKind::System},
                                     std::pair{std::string("/dev/zero"), FileKind::NotRegularFile},
                                     std::pair{fifo, FileKind::NotRegularFile}}) {
        const auto imported = importRegFile(path);
        ASSERT_FALSE(imported) << path;
        EXPECT_EQ(imported.error().file.kind, kind) << path;
    }
}

// A settings file cannot make the tools load or start a program of its choosing:
// a class's server or the About box's tool is refused, the whole file with it,
// unless the import is told to allow them.
TEST(Import, AValueNamingAProgramTheToolsRunIsRefusedUnlessAllowed) {
    TempDir dir;
    const std::string settings =
        "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Settings]\r\n\"a\"=\"1\"\r\n\r\n";
    writeFile(dir.str() + "/undo.reg", "REGEDIT4\r\n[-HKEY_CURRENT_USER\\Software\\Settings]\r\n");
    struct Row {
        std::string key, value, named;  // named: the key as the refusal names it
    };
    for (const Row& row : std::vector<Row>{
             {"HKEY_CLASSES_ROOT\\CLSID\\{1}\\InprocServer32", "@", ""},
             {"hkey_classes_root\\clsid\\{1}\\localserver32", "@",
              "HKEY_CLASSES_ROOT\\clsid\\{1}\\localserver32"},
             {"HKEY_CURRENT_USER\\Software\\Classes\\CLSID\\{1}\\InprocServer32", "\"x\"", ""},
             {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "\"Path\"", ""},
             {"HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Shared Tools Location", "\"MSINFO\"",
              ""}}) {
        SCOPED_TRACE(row.key);
        const std::string file = dir.str() + "/classes.reg";
        writeFile(file, settings + "[" + row.key + "]\r\n" + row.value + "=\"/tmp/evil\"\r\n");
        const auto refused = importRegFile(file);
        ASSERT_FALSE(refused);
        EXPECT_EQ(refused.error().kind, ImportFailure::Kind::LoadsProgram);
        EXPECT_EQ(refused.error().key, row.named.empty() ? row.key : row.named);
        EXPECT_FALSE(keyExists(HKEY_CURRENT_USER, "Software\\Settings"));
        EXPECT_EQ(failureOf(file, {true}), "");
        ASSERT_EQ(failureOf(dir.str() + "/undo.reg"), "");
    }
    // What only looks alike, and removals, stay allowed.
    writeFile(
        dir.str() + "/alike.reg",
        settings +
            "[HKEY_CLASSES_ROOT\\CLSID\\{1}\\InprocServer32]\r\n\"ThreadingModel\"=-\r\n"
            "[HKEY_CLASSES_ROOT\\CLSID\\{1}\\ProgID]\r\n@=\"x\"\r\n"
            "[HKEY_CURRENT_USER\\Software\\InprocServer32]\r\n@=\"x\"\r\n"
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]\r\n\"x\"=\"y\"\r\n"
            "[-HKEY_CLASSES_ROOT\\CLSID\\{2}]\r\n");
    EXPECT_EQ(failureOf(dir.str() + "/alike.reg"), "");
}

}  // namespace
}  // namespace trellis
