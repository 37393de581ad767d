// The export under faults and hostile input: whatever goes wrong, the previous
// backup stays exactly as it was and the failure is said; what succeeds is whole.

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/resource.h>

#include <atomic>
#include <csignal>
#include <filesystem>
#include <thread>

#include "message_capture.h"
#include "platform/registry/registry_store.h"
#include "support/registry_store.h"
#include "trellis/control/trellis_control.h"
#include "trellis/reg_files/reg_backup.h"
#include "trellis/reg_files/reg_file_parse.h"
#include "trellis/reg_files/reg_import.h"
#include "trellis/store/registry_access.h"

namespace trellis {
namespace {

namespace stdfs = std::filesystem;
using pointilla::registry::RegistryStore;
using pointilla::testing::TempDir;
using testing::MessageCapture;
using testing::putKey;
using testing::putValue;
using testing::readFile;
using testing::writeFile;

std::size_t linesStartingWith(const std::string& text, const std::string& prefix) {
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size();) {
        if (text.compare(at, prefix.size(), prefix) == 0) ++count;
        const auto end = text.find('\n', at);
        at = end == std::string::npos ? text.size() : end + 1;
    }
    return count;
}

// A second connection to this process's store, as another process would have.
std::unique_ptr<RegistryStore> peerStore() {
    auto opened = RegistryStore::open(pointilla::registry::defaultStorePath());
    if (!opened) {
        ADD_FAILURE() << opened.error();
        return nullptr;
    }
    return std::move(opened).value();
}

// The id of an existing key, found through a peer connection.
pointilla::registry::KeyId childOf(RegistryStore& store, pointilla::registry::KeyId parent,
                                   const char* name) {
    auto found = store.findChild(parent, name);
    EXPECT_TRUE(found.ok() && found->has_value()) << name;
    return found.ok() && found->has_value() ? **found : 0;
}

class ExportFaults : public ::testing::Test {
  protected:
    void SetUp() override {
        control.onRegError([this](LONG code) { errors.push_back(code); });
        control.SetCurrentKey("HKEY_CURRENT_USER\\Software");
    }
    VARIANT_BOOL backup(const std::string& key, const std::string& file = "out") {
        return control.BackupKey("HKEY_CURRENT_USER\\Software\\" + key, dir.str(), file);
    }
    // Sets up out.REG and out.OLD to check that a failure leaves them alone.
    void previousBackups() {
        writeFile(dir.str() + "/out.REG", "previous");
        writeFile(dir.str() + "/out.OLD", "older");
    }
    void expectPreviousBackupsOnly() {
        EXPECT_EQ(readFile(dir.str() + "/out.REG"), "previous");
        EXPECT_EQ(readFile(dir.str() + "/out.OLD"), "older");
        EXPECT_EQ(std::distance(stdfs::directory_iterator(dir.path()), {}), 2)
            << "no temporary file is left behind";
    }

    Trellis control;
    std::vector<LONG> errors;
    TempDir dir;
    MessageCapture messages;
};

TEST_F(ExportFaults, EveryNameIsWrittenWhateverTheirNumber) {
    // 32,768 is the first count a 16-bit number cannot hold.
    constexpr int kMany = 32768;
    {
        pointilla::registry::WriteBatch batch;
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "Software\\Many", &key), ERROR_SUCCESS);
        for (int i = 0; i < kMany; ++i) {
            const std::string name = "v" + std::to_string(i);
            RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>("x"), 1);
            HKEY child = nullptr;
            RegCreateKeyA(key, ("k" + std::to_string(i)).c_str(), &child);
            RegCloseKey(child);
        }
        RegCloseKey(key);
        ASSERT_TRUE(batch.commit());
    }
    ASSERT_EQ(backup("Many"), VARIANT_TRUE);
    const std::string file = readFile(dir.str() + "/out.REG");
    EXPECT_EQ(linesStartingWith(file, "\"v"), kMany);
    EXPECT_EQ(linesStartingWith(file, "[HKEY_CURRENT_USER\\Software\\Many\\k"), kMany);
}

TEST_F(ExportFaults, AKeyChangedByAnotherWriterNeverGivesAPartOrAnUnreadableFile) {
    for (int i = 0; i < 300; ++i) {
        putValue(HKEY_CURRENT_USER, "Software\\Busy", "v" + std::to_string(i), REG_SZ, "x");
    }
    std::atomic<bool> stop = false;
    std::thread writer([&] {
        auto peer = peerStore();
        const auto software = childOf(*peer, pointilla::registry::rootKeyId(1), "Software");
        const auto busy = childOf(*peer, software, "Busy");
        for (int i = 0; !stop; ++i) {
            const std::string name = "grow" + std::to_string(i % 400) + std::string(i % 7, 'x');
            if (i % 400 < 200) {
                (void)peer->setValue(busy, name, REG_SZ, "y");
            } else {
                (void)peer->deleteValue(busy, name);
            }
        }
    });
    for (int round = 0; round < 40; ++round) {
        if (backup("Busy") != VARIANT_TRUE) continue;
        const std::string file = readFile(dir.str() + "/out.REG");
        ASSERT_TRUE(parseRegFile(file).ok()) << round;
        ASSERT_GE(linesStartingWith(file, "\"v"), 300u) << round;
    }
    stop = true;
    writer.join();
}

TEST_F(ExportFaults, AStoreThatCannotBeReadFailsTheExportAndTheReadingMembers) {
    putValue(HKEY_CURRENT_USER, "Software\\Unread", "v", REG_SZ, "x");
    previousBackups();
    control.SetCurrentKey("HKEY_CURRENT_USER\\Software\\Unread");
    stdfs::create_directory(dir.str() + "/store.db");
    pointilla::registry::useStoreAt(dir.path() / "store.db");  // a folder: no store opens
    EXPECT_EQ(backup("Unread"), VARIANT_FALSE);
    EXPECT_EQ(control.KeyExists("v", 0), VARIANT_FALSE);
    EXPECT_EQ(control.KeyExists("v", 1), VARIANT_FALSE);
    HKEY root = HKEY_CURRENT_USER;
    std::string subKey = "Software\\Unread";
    std::vector<std::string> names;
    LONG count = 0;
    EXPECT_EQ(RegistryEnumerateValues(root, subKey, names, count), 0);
    pointilla::registry::useStoreAt(pointilla::registry::defaultStorePath());
    EXPECT_EQ(errors, (std::vector<LONG>{1012, 1012}));
    ASSERT_EQ(messages.messages.size(), 2u);
    EXPECT_EQ(messages.messages[0].title, "File I/O Error");
    EXPECT_NE(messages.messages[0].text.find("Software\\Unread"), std::string::npos);
    EXPECT_EQ(messages.messages[1].title, "RegistryEnumerateValues");
    stdfs::remove(dir.str() + "/store.db");
    expectPreviousBackupsOnly();
    // A value that is simply missing stays an answer, not a failure.
    EXPECT_EQ(control.KeyExists("missing", 0), VARIANT_FALSE);
    EXPECT_EQ(errors.size(), 2u);
}

TEST_F(ExportFaults, ExistingEntriesAreRotatedAsTheyAreAndLinksNeverWrittenThrough) {
    putValue(HKEY_CURRENT_USER, "Software\\Entries", "v", REG_SZ, "new");
    // A name starting with a dot is a backup like any other.
    writeFile(dir.str() + "/.dot.REG", "previous");
    ASSERT_EQ(backup("Entries", ".dot"), VARIANT_TRUE);
    EXPECT_EQ(readFile(dir.str() + "/.dot.OLD"), "previous");
    EXPECT_EQ(readFile(dir.str() + "/.dot.REG").rfind("REGEDIT4\r\n", 0), 0u);
    EXPECT_EQ(linesStartingWith(readFile(dir.str() + "/.dot.REG"), "REGEDIT4"), 1u);

    // Links at the target, dangling, looping or not, are moved aside, never followed.
    const std::string elsewhere = dir.str() + "/elsewhere";
    writeFile(dir.str() + "/real", "untouched");
    stdfs::create_symlink(elsewhere, dir.str() + "/dangling.REG");
    stdfs::create_symlink(dir.str() + "/loop.REG", dir.str() + "/loop.REG");
    stdfs::create_symlink(dir.str() + "/real", dir.str() + "/linked.REG");
    for (const char* base : {"dangling", "loop", "linked"}) {
        ASSERT_EQ(backup("Entries", base), VARIANT_TRUE) << base;
        EXPECT_TRUE(stdfs::is_regular_file(stdfs::symlink_status(dir.str() + "/" + base + ".REG")));
        EXPECT_TRUE(stdfs::is_symlink(dir.str() + "/" + base + ".OLD")) << base;
    }
    EXPECT_FALSE(stdfs::exists(elsewhere));
    EXPECT_EQ(readFile(dir.str() + "/real"), "untouched");

    // A folder starting with a dot is a folder, with or without a trailing separator.
    stdfs::create_directory(dir.str() + "/.folder");
    for (const std::string& folder : {dir.str() + "/.folder", dir.str() + "/.folder/"}) {
        EXPECT_EQ(control.BackupKey("HKEY_CURRENT_USER\\Software\\Entries", folder, "in"),
                  VARIANT_TRUE)
            << folder;
    }
    EXPECT_TRUE(stdfs::exists(dir.str() + "/.folder/in.OLD"));
    EXPECT_TRUE(errors.empty());
}

TEST_F(ExportFaults, AFileNameThatLeavesTheFolderIsABadFileName) {
    putKey(HKEY_CURRENT_USER, "Software\\Named");
    stdfs::create_directory(dir.str() + "/inner");
    for (const std::string name : {"../escape", "sub/out", "sub\\out", "..", "", "   "}) {
        messages.messages.clear();
        EXPECT_EQ(
            control.BackupKey("HKEY_CURRENT_USER\\Software\\Named", dir.str() + "/inner", name),
            VARIANT_FALSE)
            << name;
        EXPECT_EQ(
            messages.messages,
            (std::vector<testing::Message>{{"Bad file name or number", "File I/O Error", MB_OK}}))
            << name;
    }
    EXPECT_TRUE(stdfs::is_empty(dir.str() + "/inner"));
    EXPECT_EQ(std::distance(stdfs::directory_iterator(dir.path()), {}), 1);
    EXPECT_TRUE(errors.empty());
}

TEST_F(ExportFaults, AKeyPathEndingInABackslashExportsTheSameTree) {
    putValue(HKEY_CURRENT_USER, "Software\\Slash\\Child", "v", REG_SZ, "1");
    ASSERT_EQ(backup("Slash", "plain"), VARIANT_TRUE);
    ASSERT_EQ(backup("Slash\\", "slash"), VARIANT_TRUE);
    EXPECT_EQ(readFile(dir.str() + "/slash.REG"), readFile(dir.str() + "/plain.REG"));
    EXPECT_NE(readFile(dir.str() + "/slash.REG").find("\"v\"=\"1\""), std::string::npos);
}

TEST_F(ExportFaults, NamesAFileCannotCarryFailTheExportNamingThem) {
    const auto refused = [&](const std::string& key, const std::string& named) {
        previousBackups();
        messages.messages.clear();
        EXPECT_EQ(backup(key), VARIANT_FALSE) << key;
        ASSERT_EQ(messages.messages.size(), 1u) << key;
        EXPECT_NE(messages.messages[0].text.find(named), std::string::npos)
            << messages.messages[0].text;
        expectPreviousBackupsOnly();
    };
    // Writing such names stays allowed; only the export refuses them.
    putValue(HKEY_CURRENT_USER, "Software\\Odd1", "line\nbreak", REG_SZ, "x");
    refused("Odd1", "line\\nbreak");
    putKey(HKEY_CURRENT_USER, "Software\\Odd2\\two\r\nlines");
    refused("Odd2", "two\\r\\nlines");
    putKey(HKEY_CURRENT_USER, "Software\\Odd3");
    auto peer = peerStore();
    const auto software = childOf(*peer, pointilla::registry::rootKeyId(1), "Software");
    const auto odd = childOf(*peer, software, "Odd3");
    ASSERT_TRUE(peer->setValue(odd, std::string_view("zero\0byte", 9), REG_SZ, "x").ok());
    refused("Odd3", "zero\\0byte");
    ASSERT_TRUE(peer->createChild(odd, std::string_view("key\0zero", 8), nullptr).ok());
    ASSERT_TRUE(peer->deleteValue(odd, std::string_view("zero\0byte", 9)).ok());
    refused("Odd3", "key\\0zero");
}

TEST_F(ExportFaults, FiftyThousandLevelsNeitherCrashTheExportNorTheDelete) {
    putKey(HKEY_CURRENT_USER, "Software\\Deep");
    {
        // Written straight into the store, as a peer without a depth limit could.
        auto peer = peerStore();
        const auto software = childOf(*peer, pointilla::registry::rootKeyId(1), "Software");
        const auto deep = childOf(*peer, software, "Deep");
        peer.reset();
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(pointilla::registry::defaultStorePath().c_str(), &db), SQLITE_OK);
        const std::string sql =
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 50000) "
            "INSERT INTO keys(id, parent, name, fold) SELECT 10000000 + i, "
            "CASE i WHEN 1 THEN " +
            std::to_string(deep) + " ELSE 10000000 + i - 1 END, 'k', 'K' FROM n";
        EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK)
            << sqlite3_errmsg(db);
        sqlite3_close(db);
    }
    previousBackups();
    EXPECT_EQ(backup("Deep"), VARIANT_FALSE);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_NE(messages.messages[0].text.find("512"), std::string::npos);
    expectPreviousBackupsOnly();

    writeFile(dir.str() + "/remove.reg",
              "REGEDIT4\r\n\r\n[-HKEY_CURRENT_USER\\Software\\Deep]\r\n");
    EXPECT_TRUE(importRegFile(dir.str() + "/remove.reg").ok());
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Deep", 0, KEY_READ, &key),
              ERROR_FILE_NOT_FOUND);
}

}  // namespace
}  // namespace trellis
