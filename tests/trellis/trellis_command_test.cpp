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
    EXPECT_EQ(missing.err, "RegError 1012 : la valeur ne peut pas être lue\n");
    Outcome number = run({"get-dword", key, "missing"});
    EXPECT_EQ(number.exitCode, 1);
    EXPECT_EQ(number.out, "1012\n");
    Outcome type = run({"exists", key, "x", "2"});
    EXPECT_EQ(type.exitCode, 1);
    EXPECT_EQ(type.out, "False\n");
    EXPECT_EQ(type.err, "RegError 1010 : le chemin de la clé n'est pas acceptable\n");
    Outcome badKey = run({"set", "nobackslash", "a", "b"});
    EXPECT_EQ(badKey.exitCode, 1);
    // the key, then the member
    EXPECT_EQ(badKey.err,
              "RegError 1010 : le chemin de la clé n'est pas acceptable\n"
              "RegError 1010 : le chemin de la clé n'est pas acceptable\n");
}

TEST_F(Command, CreatesAndDeletesSubKeys) {
    EXPECT_EQ(run({"create", key, "A\\B"}).exitCode, 0);
    Outcome parent = run({"delete", key, "A"});
    EXPECT_EQ(parent.exitCode, 1);
    EXPECT_EQ(parent.err, "RegError 1011 : la sous-clé n'a pas pu être créée ou supprimée\n");
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
    EXPECT_NE(blocked.err.find("trellis : « export » a échoué."), std::string::npos) << blocked.err;
    // An unknown root: the warning, then False.
    Outcome unknownRoot = run({"export", "HKEY_FOO\\x", dir.str(), "other"});
    EXPECT_EQ(unknownRoot.exitCode, 1);
    EXPECT_NE(unknownRoot.err.find("trellis : « export » a échoué."), std::string::npos)
        << unknownRoot.err;
}

TEST_F(Command, AMalformedImportIsRefusedWithItsLine) {
    writeFile(dir.str() + "/bad.reg",
              "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Cmd]\r\n\"refused\"=\"x\"\r\n"
              "\"w\"=dword:\r\n");
    Outcome refused = run({"import", dir.str() + "/bad.reg"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find("bad.reg:5 : un dword s'écrit avec 1 à 8 chiffres hexadécimaux"),
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
         "f.reg:1 : un fichier UTF-8 : un fichier .REG est un texte Windows-1252, ou UTF-16LE avec "
         "sa marque d'ordre des octets"},
        {utf16File(head + u"\"s\"=\"日本\"\r\n"),
         "f.reg:4 : le caractère U+65E5 日 ne peut pas être enregistré : le registre ne garde que "
         "du texte Windows-1252"},
        {utf16File(head + u"\"x\"=hex(2):41,00,42\r\n"), "f.reg:4 : un nombre impair d'octets"},
        {"REGEDIT4\r\n[HKEY_CURRENT_USER\\X]\r\n\"d\"=dword:1234\\\r\n5678\r\n",
         "f.reg:3 : une barre oblique inverse en fin de ligne ne continue que des données "
         "hexadécimales"},
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

// Each mistake is named, then where the usage is, as pointilla-play says it.
TEST_F(Command, UsageErrorsExitTwoNamingTheMistake) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{}, "il manque la commande."},
        {{"bogus"}, "commande inconnue « bogus »."},
        {{"get", key}, "mauvais nombre d'arguments pour « get »."},
        {{"set-dword", key, "n", "twelve"}, "« twelve » n'est pas un nombre de 32 bits."},
        {{"set-dword", key, "n", "99999999999"}, "n'est pas un nombre de 32 bits."},
        {{"exists", key, "n", "x"}, "« x » n'est pas un type de valeur."},
        {{"import"}, "mauvais nombre d'arguments pour « import »."},
        {{"register", "a", "b"}, "mauvais nombre d'arguments pour « register »."},
    };
    for (const auto& [args, mistake] : cases) {
        Outcome r = run(args);
        EXPECT_EQ(r.exitCode, 2) << mistake;
        EXPECT_EQ(r.err.rfind("trellis : ", 0), 0U) << r.err;
        EXPECT_NE(r.err.find(mistake + "\nEssayez « trellis --help ».\n"), std::string::npos)
            << r.err;
    }
    Outcome help = run({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.out.rfind("Utilisation :\n  trellis get CLÉ NOM\n", 0), 0U) << help.out;
    EXPECT_NE(help.out.find("Codes de sortie :\n  0  succès\n"), std::string::npos) << help.out;
}

TEST_F(Command, UnregisteredControlCannotBeCreated) {
    ASSERT_EQ(run({"unregister"}).exitCode, 0);
    Outcome r = run({"get", key, "v"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("trellis : la classe «"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("Dovetail.Trellis"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("» n'est pas enregistrée (lancez : trellis register)\n"),
              std::string::npos)
        << r.err;
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
