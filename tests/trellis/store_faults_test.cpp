// The trellis command and the registry functions on a store that is busy,
// read-only or damaged: readers get the committed data at once, and every
// failure names the store's own reason instead of a made-up one.

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "reachable_command.h"
#include "support/other_user.h"
#include "support/registry_store.h"

namespace {

using pointilla::testing::TempDir;
using trellis::testing::readFile;

struct Outcome {
    int exitCode;
    std::string out;
    std::string err;
    double seconds;
};

const std::string kKey = "HKEY_CURRENT_USER\\Software\\Faults";

// Runs the command on the given store; as "nobody" when asked (root writes anything).
Outcome run(const std::vector<std::string>& args, const std::filesystem::path& store,
            bool asOtherUser = false) {
    static TempDir dir;
    std::string line = "TRELLIS_REGISTRY='" + store.string() + "' ";
    if (asOtherUser) line += pointilla::testing::asOtherUserPrefix();
    line += "'" + trellis::testing::reachableTrellisCommand().string() + "'";
    for (const auto& a : args) line += " '" + a + "'";
    line += " >" + dir.str() + "/out 2>" + dir.str() + "/err";
    const auto start = std::chrono::steady_clock::now();
    const int status = std::system(line.c_str());
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readFile(dir.str() + "/out"),
            readFile(dir.str() + "/err"), seconds};
}

void prepare(const std::filesystem::path& store) {
    ASSERT_EQ(run({"register"}, store).exitCode, 0);
    ASSERT_EQ(run({"create", "HKEY_CURRENT_USER\\Software", "Faults"}, store).exitCode, 0);
    ASSERT_EQ(run({"set", kKey, "v", "committed"}, store).exitCode, 0);
}

TEST(StoreFaults, AReaderGetsTheCommittedValueAtOnceWhileAWriterHoldsTheStore) {
    TempDir dir;
    const auto store = dir.path() / "registry.db";
    prepare(store);
    sqlite3* writer = nullptr;
    ASSERT_EQ(sqlite3_open(store.c_str(), &writer), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(writer, "BEGIN IMMEDIATE; UPDATE vals SET data='uncommitted';", nullptr,
                           nullptr, nullptr),
              SQLITE_OK);

    const Outcome read = run({"get", kKey, "v"}, store);
    EXPECT_EQ(read.exitCode, 0) << read.err;
    EXPECT_EQ(read.out, "committed\n");
    EXPECT_LT(read.seconds, 3.0);

    const Outcome write = run({"set", kKey, "v", "other"}, store);
    EXPECT_EQ(write.exitCode, 1);
    EXPECT_NE(write.err.find("occupé"), std::string::npos) << write.err;
    EXPECT_EQ(write.err.find("pas enregistrée"), std::string::npos) << write.err;

    sqlite3_exec(writer, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(writer);
    EXPECT_EQ(run({"get", kKey, "v"}, store).out, "committed\n");
}

TEST(StoreFaults, AReadOnlyStoreOrFolderIsReadAndRefusesWritesWithTheReason) {
    for (const bool folderReadOnly : {false, true}) {
        TempDir dir;
        const auto store = dir.path() / "registry.db";
        prepare(store);
        std::filesystem::permissions(store, std::filesystem::perms(0444));
        std::filesystem::permissions(dir.path(),
                                     std::filesystem::perms(folderReadOnly ? 0555 : 0777));
        const Outcome read = run({"get", kKey, "v"}, store, true);
        EXPECT_EQ(read.exitCode, 0) << folderReadOnly << read.err;
        EXPECT_EQ(read.out, "committed\n");
        const Outcome write = run({"set", kKey, "v", "other"}, store, true);
        EXPECT_EQ(write.exitCode, 1);
        EXPECT_NE(write.err.find("lecture seule"), std::string::npos)
            << folderReadOnly << write.err;
        const Outcome registering = run({"register"}, store, true);
        EXPECT_EQ(registering.exitCode, 1);
        EXPECT_NE(registering.err.find("lecture seule"), std::string::npos) << registering.err;
        std::filesystem::permissions(dir.path(), std::filesystem::perms(0700));
        EXPECT_EQ(run({"get", kKey, "v"}, store).out, "committed\n");
    }
}

// Values spread over many pages, then pages in the middle of the file overwritten.
TEST(StoreFaults, ADamagedStoreFailsReadsAndTheExportWithItsReason) {
    TempDir dir;
    const auto store = dir.path() / "registry.db";
    prepare(store);
    pointilla::registry::useStoreAt(store);
    {
        pointilla::registry::WriteBatch batch;
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "Software\\Faults", &key), ERROR_SUCCESS);
        const std::string text(600, 'x');
        for (int i = 0; i < 3000; ++i) {
            const std::string name = "n" + std::to_string(i);
            ASSERT_EQ(RegSetValueExA(key, name.c_str(), 0, REG_SZ,
                                     reinterpret_cast<const BYTE*>(text.data()),
                                     static_cast<DWORD>(text.size())),
                      ERROR_SUCCESS);
        }
        RegCloseKey(key);
        ASSERT_TRUE(batch.commit());
    }
    pointilla::registry::useStoreAt({});  // the last close moves everything into the file
    const auto size = std::filesystem::file_size(store);
    ASSERT_GT(size, 1000000u);
    {
        std::fstream file(store, std::ios::in | std::ios::out | std::ios::binary);
        file.seekp(static_cast<std::streamoff>(size / 2 / 4096 * 4096));
        const std::string garbage(16 * 4096, '\x5A');
        file.write(garbage.data(), static_cast<std::streamsize>(garbage.size()));
    }

    pointilla::registry::useStoreAt(store);
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Faults", 0, KEY_READ, &key),
              ERROR_SUCCESS);
    const auto listed = pointilla::registry::explained([&] {
        LONG status = ERROR_SUCCESS;
        for (DWORD i = 0; status == ERROR_SUCCESS; ++i) {
            char name[64];
            DWORD length = sizeof name;
            status = RegEnumValueA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr);
        }
        return status;
    });
    RegCloseKey(key);
    ASSERT_FALSE(listed);
    EXPECT_NE(listed.error().status, ERROR_NO_MORE_ITEMS)
        << "a damaged list must not read as its end";
    EXPECT_NE(listed.error().words.find("endommagé"), std::string::npos);
    pointilla::registry::useStoreAt({});

    const Outcome exported = run({"export", kKey, dir.str(), "backup"}, store);
    EXPECT_EQ(exported.exitCode, 1);
    EXPECT_NE(exported.err.find("endommagé"), std::string::npos) << exported.err;
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "backup.REG")) << "no partial backup";
    int failedReads = 0;
    for (int i = 1400; i < 1600; i += 25) {
        const Outcome read = run({"get", kKey, "n" + std::to_string(i)}, store);
        if (read.exitCode == 0) continue;  // on a page left whole
        ++failedReads;
        EXPECT_NE(read.err.find("endommagé"), std::string::npos) << read.err;
    }
    EXPECT_GT(failedReads, 0);
}

}  // namespace
