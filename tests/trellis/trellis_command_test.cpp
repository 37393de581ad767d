// The trellis command, run as a person runs it, on this test's own store.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "support/registry_store.h"
#include "support/utf16_file.h"

TRELLIS_TEMP_STORE();

namespace {

using pointilla::testing::TempDir;
using trellis::testing::readFile;
using trellis::testing::utf16File;
using trellis::testing::writeFile;

struct Outcome {
    int exitCode;
    std::string out;
    std::string err;
};

std::string quoted(const std::string& arg) {
    std::string out = "'";
    for (char c : arg) {
        if (c == '\'') {
            out += "'\\''";
        } else {
            out.push_back(c);
        }
    }
    return out + "'";
}

class Command : public ::testing::Test {
  protected:
    Outcome run(const std::vector<std::string>& args) {
        std::string line = quoted(TRELLIS_COMMAND_PATH);
        for (const auto& a : args) line += " " + quoted(a);
        line += " >" + quoted(dir.str() + "/out") + " 2>" + quoted(dir.str() + "/err");
        const int status = std::system(line.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readFile(dir.str() + "/out"),
                readFile(dir.str() + "/err")};
    }
    void SetUp() override {
        // The command finds the library beside itself, as an installed copy would.
        ASSERT_EQ(run({"register"}).exitCode, 0);
        ASSERT_EQ(run({"create", "HKEY_CURRENT_USER\\Software", "Cmd"}).exitCode, 0);
    }
    TempDir dir;
    const std::string key = "HKEY_CURRENT_USER\\Software\\Cmd";
};

TEST_F(Command, SetsAndGetsTextsAndNumbers) {
    EXPECT_EQ(run({"set", key, "clé1", "Réduire  "}).exitCode, 0);
    Outcome got = run({"get", key, "CLÉ1"});
    EXPECT_EQ(got.exitCode, 0);
    EXPECT_EQ(got.out, "Réduire  \n");
    EXPECT_EQ(got.err, "");
    EXPECT_EQ(run({"set-dword", key, "n", "-42"}).exitCode, 0);
    EXPECT_EQ(run({"get-dword", key, "n"}).out, "-42\n");
    EXPECT_EQ(run({"set-dword", key, "n", "0x7fffffff"}).exitCode, 0);
    EXPECT_EQ(run({"get-dword", key, "n"}).out, "2147483647\n");
    EXPECT_EQ(run({"exists", key, "clé1"}).out, "True\n");
    EXPECT_EQ(run({"exists", key, "n", "1"}).out, "True\n");
    EXPECT_EQ(run({"exists", key, "nothing"}).out, "False\n");
}

TEST_F(Command, AFailedMemberPrintsItsResultAndRegErrorAndExitsOne) {
    Outcome missing = run({"get", key, "missing"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.out, "\n");
    EXPECT_EQ(missing.err, "RegError 1012: the value cannot be read\n");
    Outcome number = run({"get-dword", key, "missing"});
    EXPECT_EQ(number.exitCode, 1);
    EXPECT_EQ(number.out, "1012\n");
    Outcome type = run({"exists", key, "x", "2"});
    EXPECT_EQ(type.exitCode, 1);
    EXPECT_EQ(type.out, "False\n");
    EXPECT_EQ(type.err, "RegError 1010: the key path is not acceptable\n");
    Outcome badKey = run({"set", "nobackslash", "a", "b"});
    EXPECT_EQ(badKey.exitCode, 1);
    // the key, then the member
    EXPECT_EQ(badKey.err,
              "RegError 1010: the key path is not acceptable\n"
              "RegError 1010: the key path is not acceptable\n");
}

TEST_F(Command, CreatesAndDeletesSubKeys) {
    EXPECT_EQ(run({"create", key, "A\\B"}).exitCode, 0);
    Outcome parent = run({"delete", key, "A"});
    EXPECT_EQ(parent.exitCode, 1);
    EXPECT_EQ(parent.err, "RegError 1011: creating or deleting the sub-key failed\n");
    EXPECT_EQ(run({"delete", key, "A\\B"}).exitCode, 0);
    EXPECT_EQ(run({"delete", key, "A"}).exitCode, 0);
}

TEST_F(Command, ExportsAndImportsBackWhatWasThere) {
    ASSERT_EQ(run({"set", key, "v", "line \"one\""}).exitCode, 0);
    ASSERT_EQ(run({"create", key, "Sub"}).exitCode, 0);
    ASSERT_EQ(run({"set-dword", key + "\\Sub", "d", "7"}).exitCode, 0);
    Outcome exported = run({"export", key, dir.str(), "cmd"});
    EXPECT_EQ(exported.exitCode, 0) << exported.err;
    EXPECT_EQ(exported.out, "");
    const std::string file = readFile(dir.str() + "/cmd.REG");
    ASSERT_NE(file.find("\"v\"=\"line \\\"one\\\"\""), std::string::npos);

    ASSERT_EQ(run({"delete", key, "Sub"}).exitCode, 0);
    ASSERT_EQ(run({"set", key, "v", "changed"}).exitCode, 0);
    Outcome imported = run({"import", dir.str() + "/cmd.REG"});
    EXPECT_EQ(imported.exitCode, 0) << imported.err;
    EXPECT_EQ(run({"get", key, "v"}).out, "line \"one\"\n");
    EXPECT_EQ(run({"get-dword", key + "\\Sub", "d"}).out, "7\n");
}

TEST_F(Command, AnExportThatFailsWithoutRegErrorStillExitsOne) {
    // A folder where the file should go: the export shows its file error and answers False.
    std::filesystem::create_directories(dir.str() + "/taken.REG/inside");
    Outcome blocked = run({"export", key, dir.str(), "taken"});
    EXPECT_EQ(blocked.exitCode, 1);
    EXPECT_NE(blocked.err.find("export failed"), std::string::npos) << blocked.err;
    // An unknown root: the warning, then False.
    Outcome unknownRoot = run({"export", "HKEY_FOO\\x", dir.str(), "other"});
    EXPECT_EQ(unknownRoot.exitCode, 1);
    EXPECT_NE(unknownRoot.err.find("export failed"), std::string::npos) << unknownRoot.err;
}

TEST_F(Command, AMalformedImportIsRefusedWithItsLine) {
    writeFile(dir.str() + "/bad.reg",
              "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Cmd]\r\n\"refused\"=\"x\"\r\n"
              "\"w\"=dword:\r\n");
    Outcome refused = run({"import", dir.str() + "/bad.reg"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find("bad.reg:5: a dword is 1 to 8 hexadecimal digits"),
              std::string::npos)
        << refused.err;
    EXPECT_EQ(run({"exists", key, "refused"}).out, "False\n");
}

// The words say what is wrong and how a .REG file may be written.
TEST_F(Command, ARefusedImportSaysWhatIsWrong) {
    const std::u16string head =
        u"Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\X]\r\n";
    const std::pair<std::string, std::string> cases[] = {
        {"\xEF\xBB\xBFREGEDIT4\r\n",
         "f.reg:1: a UTF-8 file: a .REG file is Windows-1252 text, or UTF-16LE with a byte-order "
         "mark"},
        {utf16File(head + u"\"s\"=\"日本\"\r\n"),
         "f.reg:4: the character U+65E5 日 cannot be stored: the registry store holds Windows-1252 "
         "text"},
        {utf16File(head + u"\"x\"=hex(2):41,00,42\r\n"), "f.reg:4: an odd number of bytes"},
        {"REGEDIT4\r\n[HKEY_CURRENT_USER\\X]\r\n\"d\"=dword:1234\\\r\n5678\r\n",
         "f.reg:3: a backslash at the end of a line continues hex data only"},
    };
    for (const auto& [file, words] : cases) {
        writeFile(dir.str() + "/f.reg", file);
        Outcome refused = run({"import", dir.str() + "/f.reg"});
        EXPECT_EQ(refused.exitCode, 1);
        EXPECT_NE(refused.err.find(words), std::string::npos) << refused.err;
    }
}

// A settings file that also points the control's class at another library: the
// import refuses it whole, naming the key, and the next command loads nothing
// of it; --allow-classes is the way to mean it.
TEST_F(Command, AnImportCannotMakeTheNextCommandLoadALibrary) {
    const std::string marker = dir.str() + "/loaded";
    ::setenv("TRELLIS_TEST_MARKER", marker.c_str(), 1);
    std::string clsid = run({"get", "HKEY_CLASSES_ROOT\\Dovetail.Trellis\\CLSID", ""}).out;
    ASSERT_EQ(clsid.size(), 39u) << clsid;  // {…} and its line end
    clsid.pop_back();
    const std::string server = "HKEY_CLASSES_ROOT\\CLSID\\" + clsid + "\\InprocServer32";
    writeFile(dir.str() + "/settings.reg", "REGEDIT4\r\n\r\n[" + key +
                                               "]\r\n\"theme\"=\"dark\"\r\n\r\n[" + server +
                                               "]\r\n@=\"" + MARKER_LIBRARY_PATH + "\"\r\n");

    Outcome refused = run({"import", dir.str() + "/settings.reg"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find(server), std::string::npos) << refused.err;
    EXPECT_NE(refused.err.find("--allow-classes"), std::string::npos) << refused.err;
    EXPECT_EQ(run({"exists", key, "theme"}).out, "False\n");
    EXPECT_FALSE(std::filesystem::exists(marker));

    Outcome allowed = run({"import", "--allow-classes", dir.str() + "/settings.reg"});
    EXPECT_EQ(allowed.exitCode, 0) << allowed.err;
    EXPECT_EQ(run({"get", key, "theme"}).exitCode, 1);  // the class is that library now
    EXPECT_TRUE(std::filesystem::exists(marker));
    ::unsetenv("TRELLIS_TEST_MARKER");
}

TEST_F(Command, UsageErrorsExitTwoWithTheUsage) {
    for (const auto& args :
         std::vector<std::vector<std::string>>{{},
                                               {"bogus"},
                                               {"get", key},
                                               {"set-dword", key, "n", "twelve"},
                                               {"set-dword", key, "n", "99999999999"},
                                               {"import"},
                                               {"register", "a", "b"}}) {
        Outcome r = run(args);
        EXPECT_EQ(r.exitCode, 2) << (args.empty() ? "" : args[0]);
        EXPECT_NE(r.err.find("usage: trellis"), std::string::npos);
    }
}

TEST_F(Command, UnregisteredControlCannotBeCreated) {
    ASSERT_EQ(run({"unregister"}).exitCode, 0);
    Outcome r = run({"get", key, "v"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("not registered"), std::string::npos);
}

TEST(CommandStore, AnUnusableStoreIsNamedInsteadOfGuessed) {
    TempDir dir;
    const std::string store = dir.str() + "/garbage.db";
    writeFile(store, std::string(4096, 'x'));
    const std::string line = "TRELLIS_REGISTRY=" + quoted(store) + " " +
                             quoted(TRELLIS_COMMAND_PATH) + " get 'HKEY_CURRENT_USER\\x' v 2>" +
                             quoted(dir.str() + "/err") + " >/dev/null";
    const int status = std::system(line.c_str());
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_NE(readFile(dir.str() + "/err").find("garbage.db"), std::string::npos);
    EXPECT_EQ(readFile(store), std::string(4096, 'x')) << "the file is left as it was";
}

}  // namespace
