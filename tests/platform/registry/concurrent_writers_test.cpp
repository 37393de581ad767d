// Two processes writing the store at once, and a writer killed mid-transaction.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/registry/advapi32.h"
#include "support/registry_store.h"

extern char** environ;

namespace {

pid_t startWriter(const std::vector<std::string>& args, const std::string& output = "") {
    std::vector<char*> argv;
    std::string program = REGISTRY_WRITER_PATH;
    argv.push_back(program.data());
    std::vector<std::string> copies = args;
    for (auto& a : copies) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!output.empty()) {
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, output.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0600);
    }
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return spawned == 0 ? pid : -1;
}

int waitFor(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<std::string> valueNamesOf(const char* path) {
    std::vector<std::string> names;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return names;
    char buffer[64];
    for (DWORD i = 0;; ++i) {
        DWORD length = sizeof buffer;
        if (RegEnumValueA(key, i, buffer, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            break;
        }
        names.emplace_back(buffer);
    }
    RegCloseKey(key);
    return names;
}

std::string textOf(const char* path, const std::string& name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return {};
    char buffer[2048];
    DWORD size = sizeof buffer;
    DWORD type = 0;
    std::string text;
    if (RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer),
                         &size) == ERROR_SUCCESS) {
        text.assign(buffer, size);
    }
    RegCloseKey(key);
    return text;
}

void expectIntegrityOk() {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(pointilla::registry::defaultStorePath().c_str(), &db), SQLITE_OK);
    sqlite3_stmt* check = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &check, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_step(check), SQLITE_ROW);
    EXPECT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(check, 0)), "ok");
    sqlite3_finalize(check);
    sqlite3_close(db);
}

std::vector<std::string> linesOf(const std::string& file) {
    std::vector<std::string> lines;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

TEST(ConcurrentWriters, TwoProcessesWritingTheSameKeyLoseNoWrite) {
    const int count = 400;
    const pid_t first = startWriter({"Shared\\Key", "a", std::to_string(count), "1"});
    const pid_t second = startWriter({"Shared\\Key", "b", std::to_string(count), "1"});
    ASSERT_GT(first, 0);
    ASSERT_GT(second, 0);
    EXPECT_EQ(waitFor(first), 0);
    EXPECT_EQ(waitFor(second), 0);
    const auto names = valueNamesOf("Shared\\Key");
    EXPECT_EQ(names.size(), 2u * count);
    for (int i = 0; i < count; i += 37) {
        for (const char* prefix : {"a", "b"}) {
            const std::string name = prefix + std::to_string(i);
            EXPECT_EQ(textOf("Shared\\Key", name), name + std::string(512, '.') + name);
        }
    }
}

TEST(ConcurrentWriters, AWriterKilledMidTransactionLeavesTheStoreWhole) {
    const int batch = 50;
    const pid_t writer = startWriter({"Killed\\Key", "k", "1000000", std::to_string(batch)});
    ASSERT_GT(writer, 0);
    // Let it commit some batches, then kill it inside one.
    for (int i = 0; i < 200 && valueNamesOf("Killed\\Key").size() < 3 * batch; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    kill(writer, SIGKILL);
    waitpid(writer, nullptr, 0);

    // Reopen as a newcomer would and check the file itself.
    pointilla::registry::useStoreAt(pointilla::registry::defaultStorePath());
    const auto names = valueNamesOf("Killed\\Key");
    ASSERT_GE(names.size(), static_cast<std::size_t>(batch));
    EXPECT_EQ(names.size() % batch, 0u) << "a transaction landed in part";
    for (std::size_t i = 0; i < names.size(); ++i) {
        ASSERT_EQ(names[i], "k" + std::to_string(i));
    }
    EXPECT_EQ(textOf("Killed\\Key", names.back()),
              names.back() + std::string(512, '.') + names.back());

    expectIntegrityOk();

    // And the store still takes writes.
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "Killed\\Key", &key), ERROR_SUCCESS);
    const BYTE data[] = {'o', 'k'};
    EXPECT_EQ(RegSetValueExA(key, "after", 0, REG_SZ, data, 2), ERROR_SUCCESS);
    RegCloseKey(key);
}

// POSIX record locks belong to the process: closing any descriptor of a file drops
// them all. A process that opens and closes the store's files elsewhere must keep
// its hold on the store, or the next process to leave takes the WAL with it.
TEST(ConcurrentWriters, LocksSurviveTheProcessClosingTheStoreFilesElsewhere) {
    pointilla::registry::useStoreAt(pointilla::registry::defaultStorePath());  // not open here
    const std::string acks = (trellis::testing::TempStoreEnvironment::dir() / "acks").string();
    const pid_t dropper = startWriter({"Dropped\\Key", "d", "1000000", "1", "drop-locks"}, acks);
    ASSERT_GT(dropper, 0);
    const auto waitForAcks = [&](std::size_t count) {
        for (int i = 0; i < 500 && linesOf(acks).size() < count; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    };
    waitForAcks(20);
    for (int round = 0; round < 3; ++round) {  // each one's last close may checkpoint
        const pid_t other = startWriter({"Other\\Key", "o" + std::to_string(round), "20", "1"});
        ASSERT_GT(other, 0);
        EXPECT_EQ(waitFor(other), 0);
    }
    waitForAcks(linesOf(acks).size() + 20);
    kill(dropper, SIGKILL);
    waitpid(dropper, nullptr, 0);

    pointilla::registry::useStoreAt(pointilla::registry::defaultStorePath());
    auto acknowledged = linesOf(acks);
    ASSERT_GE(acknowledged.size(), 40u);
    acknowledged.pop_back();  // perhaps cut short by the kill
    for (const auto& name : acknowledged) {
        ASSERT_EQ(textOf("Dropped\\Key", name), name + std::string(512, '.') + name) << name;
    }
    EXPECT_EQ(valueNamesOf("Other\\Key").size(), 60u);
    expectIntegrityOk();
}

}  // namespace
