// The export of a key tree to a .REG file, byte for byte.

#include "trellis/reg_files/reg_backup.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>

#include "message_capture.h"
#include "platform/posix/trellis/version_source.h"
#include "support/registry_store.h"
#include "trellis/control/trellis_control.h"
#include "trellis/files/file_io.h"

namespace trellis {
namespace {

using pointilla::testing::TempDir;
using testing::dwordBytes;
using testing::Message;
using testing::MessageCapture;
using testing::putKey;
using testing::putValue;
using testing::readFile;
using testing::writeFile;

std::string bytesOf(std::initializer_list<int> list) {
    std::string out;
    for (int b : list) out.push_back(static_cast<char>(b));
    return out;
}

std::string sequence(int count) {
    std::string out;
    for (int i = 0; i < count; ++i) out.push_back(static_cast<char>(i));
    return out;
}

class Export : public ::testing::Test {
  protected:
    void SetUp() override {
        control.onRegError([this](LONG code) { errors.push_back(code); });
        control.SetCurrentKey("HKEY_CURRENT_USER\\Software");
        setVersionSourceForTesting({});
    }
    void TearDown() override { setVersionSourceForTesting({}); }

    // Exports HKEY_CURRENT_USER\Software\<name> and returns the file.
    std::string exportKey(const std::string& name) {
        EXPECT_EQ(control.BackupKey("HKEY_CURRENT_USER\\Software\\" + name, dir.str(), "out"),
                  VARIANT_TRUE);
        return readFile(dir.str() + "/out.REG");
    }

    Trellis control;
    std::vector<LONG> errors;
    TempDir dir;
    MessageCapture messages;
};

TEST_F(Export, WritesKeysDepthFirstWithEscapedTextsAndDwords) {
    const std::string k = "Software\\Tree";
    putValue(HKEY_CURRENT_USER, k, "path", REG_SZ, "C:\\Temp");
    putValue(HKEY_CURRENT_USER, k, "quote", REG_SZ, "He said \"hi\"");
    putValue(HKEY_CURRENT_USER, k, "a\"b\\c", REG_SZ, "x");
    putValue(HKEY_CURRENT_USER, k, "", REG_SZ, "default");
    putValue(HKEY_CURRENT_USER, k,
             "cl\xE9"
             "1",
             REG_SZ, "\xE9t\xE9");
    putValue(HKEY_CURRENT_USER, k, "ff", REG_DWORD, dwordBytes(255));
    putValue(HKEY_CURRENT_USER, k, "minus", REG_DWORD, dwordBytes(0xFFFFFFFF));
    putValue(HKEY_CURRENT_USER, k, "big", REG_DWORD, dwordBytes(12345678));
    putValue(HKEY_CURRENT_USER, k, "b", REG_BINARY, bytesOf({0x0A, 0xFF, 0x00}));
    putKey(HKEY_CURRENT_USER, k + "\\zeta");
    putValue(HKEY_CURRENT_USER, k + "\\Alpha\\Inner", "v", REG_SZ, "1");

    EXPECT_EQ(exportKey("Tree"),
              "REGEDIT4\r\n"
              "\r\n"
              "[HKEY_CURRENT_USER\\Software\\Tree]\r\n"
              "\"path\"=\"C:\\\\Temp\"\r\n"
              "\"quote\"=\"He said \\\"hi\\\"\"\r\n"
              "\"a\\\"b\\\\c\"=\"x\"\r\n"
              "\"\"=\"default\"\r\n"
              "\"cl\xE9"
              "1\"=\"\xE9t\xE9\"\r\n"
              "\"ff\"=dword:000000ff\r\n"
              "\"minus\"=dword:ffffffff\r\n"
              "\"big\"=dword:00bc614e\r\n"
              "\"b\"=hex:0a,ff,00\r\n"
              "\r\n"
              "[HKEY_CURRENT_USER\\Software\\Tree\\Alpha]\r\n"
              "\r\n"
              "[HKEY_CURRENT_USER\\Software\\Tree\\Alpha\\Inner]\r\n"
              "\"v\"=\"1\"\r\n"
              "\r\n"
              "[HKEY_CURRENT_USER\\Software\\Tree\\zeta]\r\n"
              "\r\n");
    EXPECT_TRUE(errors.empty());
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(Export, WrapsBinaryDataAtTwentyFiveBytesALine) {
    putValue(HKEY_CURRENT_USER, "Software\\Wrap", "b", REG_BINARY, sequence(60));
    EXPECT_EQ(
        exportKey("Wrap"),
        "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wrap]\r\n"
        "\"b\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,16,\\\r\n"
        "  17,18,19,1A,1B,1C,1D,1E,1F,20,21,22,23,24,25,26,27,28,29,2A,2B,2C,2D,2E,2F,\\\r\n"
        "  30,31,32,33,34,35,36,37,38,39,3a,3b\r\n"
        "\r\n");
}

TEST_F(Export, ALastByteOnALineBreakEndsTheValueWithoutAContinuation) {
    putValue(HKEY_CURRENT_USER, "Software\\Edge\\One", "b", REG_BINARY, sequence(23));
    putValue(HKEY_CURRENT_USER, "Software\\Edge\\Two", "b", REG_BINARY, sequence(48));
    putValue(HKEY_CURRENT_USER, "Software\\Edge\\Empty", "b", REG_BINARY, "");
    EXPECT_EQ(
        exportKey("Edge"),
        "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Edge]\r\n\r\n"
        "[HKEY_CURRENT_USER\\Software\\Edge\\Empty]\r\n"
        "\"b\"=hex:\r\n\r\n"
        "[HKEY_CURRENT_USER\\Software\\Edge\\One]\r\n"
        "\"b\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,16\r\n"
        "\r\n"
        "[HKEY_CURRENT_USER\\Software\\Edge\\Two]\r\n"
        "\"b\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,16,\\\r\n"
        "  17,18,19,1a,1b,1c,1d,1e,1f,20,21,22,23,24,25,26,27,28,29,2a,2b,2c,2d,2e,2f\r\n"
        "\r\n");
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(Export, OtherTypesAndTextsTheQuotesCannotCarryUseTheHexForm) {
    const std::string k = "Software\\Kinds";
    putValue(HKEY_CURRENT_USER, k, "e", REG_EXPAND_SZ, "%A%");
    putValue(HKEY_CURRENT_USER, k, "m", REG_MULTI_SZ, std::string("a\0b\0\0", 5));
    putValue(HKEY_CURRENT_USER, k, "t", REG_SZ, "a\r\nb");
    putValue(HKEY_CURRENT_USER, k, "u", REG_SZ, "\x81");
    putValue(HKEY_CURRENT_USER, k, "z", REG_SZ, std::string("ab\0", 3));
    putValue(HKEY_CURRENT_USER, k, "y", REG_SZ, std::string("a\0b\0", 4));
    putValue(HKEY_CURRENT_USER, k, "q", REG_QWORD, sequence(8));
    putValue(HKEY_CURRENT_USER, k, "d", REG_DWORD, "12");  // a DWORD of the wrong size
    putValue(HKEY_CURRENT_USER, k, "none", REG_NONE, "");  // no data, and still a value
    putKey(HKEY_CURRENT_USER, k + "\\Child");
    EXPECT_EQ(exportKey("Kinds"),
              "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Kinds]\r\n"
              "\"e\"=hex(2):25,41,25\r\n"
              "\"m\"=hex(7):61,00,62,00,00\r\n"
              "\"t\"=hex(1):61,0d,0a,62\r\n"
              "\"u\"=hex(1):81\r\n"
              "\"z\"=\"ab\"\r\n"  // the terminator is not part of the text
              "\"y\"=hex(1):61,00,62,00\r\n"
              "\"q\"=hex(b):00,01,02,03,04,05,06,07\r\n"
              "\"d\"=hex(4):31,32\r\n"
              "\"none\"=hex(0):\r\n"
              "\r\n"
              "[HKEY_CURRENT_USER\\Software\\Kinds\\Child]\r\n"
              "\r\n");
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(Export, KeepsThePreviousExportAsOld) {
    putValue(HKEY_CURRENT_USER, "Software\\Rotate", "v", REG_SZ, "new");
    writeFile(dir.str() + "/out.REG", "previous");
    writeFile(dir.str() + "/out.OLD", "older");
    const std::string file = exportKey("Rotate");
    EXPECT_NE(file.find("\"v\"=\"new\""), std::string::npos);
    EXPECT_EQ(readFile(dir.str() + "/out.OLD"), "previous");
    // A directory given with a trailing separator and blanks around the name.
    EXPECT_EQ(control.BackupKey("HKEY_CURRENT_USER\\Software\\Rotate", dir.str() + "/", "out  "),
              VARIANT_TRUE);
    EXPECT_EQ(readFile(dir.str() + "/out.OLD"), file);
}

TEST_F(Export, TheHeaderFollowsTheSystemVersion) {
    putKey(HKEY_CURRENT_USER, "Software\\Header");
    const auto reportVersion = [](DWORD major, DWORD platform) {
        setVersionSourceForTesting([=]() -> std::optional<OSVERSIONINFOA> {
            OSVERSIONINFOA info{};
            info.dwMajorVersion = major;
            info.dwPlatformId = platform;
            return info;
        });
    };
    reportVersion(5, VER_PLATFORM_WIN32_NT);
    EXPECT_EQ(exportKey("Header").substr(0, 40), "Windows Registry Editor Version 5.00\r\n\r\n");
    reportVersion(5, 1);
    EXPECT_EQ(exportKey("Header").substr(0, 12), "REGEDIT4\r\n\r\n");
    reportVersion(10, VER_PLATFORM_WIN32_NT);
    EXPECT_EQ(exportKey("Header").substr(0, 12), "REGEDIT4\r\n\r\n");

    // A failing version query changes nothing: the last export stays in place.
    const std::string last = readFile(dir.str() + "/out.REG");
    setVersionSourceForTesting([] { return std::optional<OSVERSIONINFOA>(); });
    EXPECT_EQ(control.BackupKey("HKEY_CURRENT_USER\\Software\\Header", dir.str(), "out"),
              VARIANT_FALSE);
    EXPECT_EQ(readFile(dir.str() + "/out.REG"), last);
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_TRUE(errors.empty());
}

TEST_F(Export, AMissingDirectoryIs76AndAnEmptyCurrentKeyIs1010First) {
    EXPECT_EQ(control.BackupKey("HKEY_CURRENT_USER\\Software", dir.str() + "/missing", "out"),
              VARIANT_FALSE);
    EXPECT_EQ(errors, std::vector<LONG>{76});
    Trellis fresh;
    std::vector<LONG> freshErrors;
    fresh.onRegError([&](LONG code) { freshErrors.push_back(code); });
    EXPECT_EQ(fresh.BackupKey("HKEY_CURRENT_USER\\Software", dir.str() + "/missing", "out"),
              VARIANT_FALSE);
    EXPECT_EQ(freshErrors, std::vector<LONG>{1010});
    EXPECT_EQ(control.BackupKey("HKEY_CURRENT_USER", dir.str(), "out"), VARIANT_FALSE);
    EXPECT_EQ(errors, (std::vector<LONG>{76, 1010}));
}

TEST_F(Export, AnUnknownRootWarnsOnceAndWritesNothing) {
    writeFile(dir.str() + "/out.REG", "previous");
    EXPECT_EQ(control.BackupKey("HKEY_NOWHERE\\Software", dir.str(), "out"), VARIANT_FALSE);
    EXPECT_EQ(messages.messages,
              (std::vector<Message>{{"Failure to pass a valid root type to the function.  "
                                     "HKEY_LOCAL_MACHINE will be used",
                                     "ERROR", MB_OK | MB_ICONSTOP}}));
    EXPECT_EQ(readFile(dir.str() + "/out.REG"), "previous");
    EXPECT_FALSE(std::filesystem::exists(dir.str() + "/out.OLD"));
}

TEST_F(Export, EveryRootAKeyPathAcceptsCanBeExportedWholeOrInPart) {
    putValue(HKEY_CURRENT_CONFIG, "Cfg", "v", REG_SZ, "c");
    EXPECT_EQ(control.BackupKey("HKEY_CURRENT_CONFIG\\Cfg", dir.str(), "cfg"), VARIANT_TRUE);
    EXPECT_EQ(readFile(dir.str() + "/cfg.REG"),
              "REGEDIT4\r\n\r\n[HKEY_CURRENT_CONFIG\\Cfg]\r\n\"v\"=\"c\"\r\n\r\n");
    putKey(HKEY_USERS, "Only\\Child");
    EXPECT_EQ(control.BackupKey("HKEY_USERS\\", dir.str(), "users"), VARIANT_TRUE);
    EXPECT_EQ(readFile(dir.str() + "/users.REG"),
              "REGEDIT4\r\n\r\n[HKEY_USERS]\r\n\r\n[HKEY_USERS\\Only]\r\n\r\n"
              "[HKEY_USERS\\Only\\Child]\r\n\r\n");
}

TEST_F(Export, AFileErrorIsShownClosesTheFileAndKeepsTheOldExport) {
    putKey(HKEY_CURRENT_USER, "Software\\Blocked");
    // The .REG name is taken by a directory: the export cannot open its file.
    std::filesystem::create_directory(dir.str() + "/out.REG");
    EXPECT_EQ(control.BackupKey("HKEY_CURRENT_USER\\Software\\Blocked", dir.str(), "out"),
              VARIANT_FALSE);
    EXPECT_EQ(messages.messages,
              (std::vector<Message>{{"Path/File access error", "File I/O Error", MB_OK}}));
    EXPECT_TRUE(errors.empty());
    EXPECT_TRUE(FreeFile().has_value());
    std::filesystem::remove(dir.str() + "/out.REG");
    writeFile(dir.str() + "/out.REG", "kept");
    EXPECT_EQ(control.BackupKey("HKEY_CURRENT_USER\\Software\\Blocked", dir.str(), "out"),
              VARIANT_TRUE);
    EXPECT_EQ(readFile(dir.str() + "/out.OLD"), "kept");
}

TEST_F(Export, AFullDiskIsShownAndLeavesThePreviousExportsAsTheyWere) {
    for (int i = 0; i < 500; ++i) {
        putValue(HKEY_CURRENT_USER, "Software\\Full", "value" + std::to_string(i), REG_SZ, "x");
    }
    writeFile(dir.str() + "/full.REG", "previous");
    writeFile(dir.str() + "/full.OLD", "older");
    // No file of this process may grow past 4 KiB: writing the export fails midway.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const auto before = FreeFile();
    const VARIANT_BOOL result =
        control.BackupKey("HKEY_CURRENT_USER\\Software\\Full", dir.str(), "full");
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(result, VARIANT_FALSE);
    EXPECT_EQ(messages.messages, (std::vector<Message>{{"Disk full", "File I/O Error", MB_OK}}));
    EXPECT_EQ(FreeFile(), before);
    EXPECT_EQ(readFile(dir.str() + "/full.REG"), "previous");
    EXPECT_EQ(readFile(dir.str() + "/full.OLD"), "older");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);
}

}  // namespace
}  // namespace trellis
