// The trellis command keeps the settings store to its user, and a file-size
// limit (ulimit -f) ends an import or an export with a message, never a signal.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "reachable_command.h"
#include "support/registry_store.h"

namespace {

namespace fs = std::filesystem;
using pointilla::testing::TempDir;
using trellis::testing::readFile;
using trellis::testing::writeFile;

struct Outcome {
    int exitCode;  // -1 for a program the shell saw die of a signal
    std::string out;
    std::string err;
};

// Runs `prefix trellis args...` (the prefix may limit or change the user) on the store.
Outcome run(const std::vector<std::string>& args, const fs::path& store,
            const std::string& prefix = {}) {
    static TempDir dir;
    std::string line = "TRELLIS_REGISTRY='" + store.string() + "' " + prefix + " '" +
                       trellis::testing::reachableTrellisCommand().string() + "'";
    for (const auto& a : args) line += " '" + a + "'";
    line += " >" + dir.str() + "/out 2>" + dir.str() + "/err";
    const int status = std::system(line.c_str());
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return {code > 128 ? -1 : code, readFile(dir.str() + "/out"), readFile(dir.str() + "/err")};
}

unsigned modeOf(const fs::path& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 0777U : 0xFFFFU;
}

std::size_t count(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

const std::string kKey = "HKEY_CURRENT_USER\\Software\\Kept";
const std::string kOtherUser = "setpriv --reuid=65534 --regid=65534 --clear-groups";

void prepare(const fs::path& store) {
    ASSERT_EQ(run({"register"}, store).exitCode, 0);
    ASSERT_EQ(run({"create", "HKEY_CURRENT_USER\\Software", "Kept"}, store).exitCode, 0);
    ASSERT_EQ(run({"set", kKey, "v", "secret"}, store).exitCode, 0);
}

// Whether another user can read the store's bytes; only root can act as one.
bool otherUserReads(const fs::path& store) {
    const std::string line = kOtherUser + " cat '" + store.string() + "' >/dev/null 2>&1";
    return std::system(line.c_str()) == 0;
}

class UmaskScope {
  public:
    explicit UmaskScope(mode_t mask) : saved_(::umask(mask)) {}
    ~UmaskScope() { ::umask(saved_); }
    UmaskScope(const UmaskScope&) = delete;
    UmaskScope& operator=(const UmaskScope&) = delete;

  private:
    mode_t saved_;
};

TEST(StorePrivacy, ANewStoreAndTheFoldersMadeForItAreTheUsersAlone) {
    const UmaskScope umask(022);
    TempDir dir;
    fs::permissions(dir.path(), fs::perms(0755));  // as a home folder may be
    const fs::path store = dir.path() / "data" / "trellis" / "registry.db";
    prepare(store);
    EXPECT_EQ(modeOf(store), 0600U);
    EXPECT_EQ(modeOf(store.parent_path()), 0700U);
    EXPECT_EQ(modeOf(store.parent_path().parent_path()), 0700U);
    if (::geteuid() != 0) GTEST_SKIP() << "acting as another user needs root";
    EXPECT_FALSE(otherUserReads(store));
    const Outcome peek = run({"get", kKey, "v"}, store, kOtherUser);
    EXPECT_EQ(peek.out.find("secret"), std::string::npos) << peek.out;
}

TEST(StorePrivacy, AStoreOthersCouldReadIsTightenedOnceWhenOpenedForWriting) {
    TempDir dir;
    fs::permissions(dir.path(), fs::perms(0755));
    const fs::path store = dir.path() / "registry.db";
    prepare(store);
    fs::permissions(store, fs::perms(0644));
    const bool root = ::geteuid() == 0;
    if (root) {
        // Opened for reading only by another user, it is not theirs to change.
        EXPECT_TRUE(otherUserReads(store));
        EXPECT_EQ(run({"get", kKey, "v"}, store, kOtherUser).out, "secret\n");
        EXPECT_EQ(modeOf(store), 0644U);
    }
    const Outcome first = run({"get", kKey, "v"}, store);
    EXPECT_EQ(first.out, "secret\n");
    EXPECT_EQ(count(first.err, store.string()), 1U) << first.err;
    EXPECT_NE(first.err.find("644"), std::string::npos) << first.err;
    EXPECT_EQ(modeOf(store), 0600U);
    const Outcome second = run({"set", kKey, "v", "secret"}, store);
    EXPECT_EQ(second.exitCode, 0);
    EXPECT_EQ(second.err, "");
    if (root) {
        EXPECT_FALSE(otherUserReads(store));
    }
}

// A file far larger than the limit, whether it goes into the store or out of it.
TEST(FileSizeLimit, ImportAndExportSayTheyFailedAndLoseNothing) {
    TempDir dir;
    const fs::path store = dir.path() / "registry.db";
    prepare(store);
    std::string reg = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Kept\\Big]\r\n";
    for (int i = 0; i < 2000; ++i) {
        reg += "\"n" + std::to_string(i) + "\"=\"" + std::string(500, 'x') + "\"\r\n";
    }
    const fs::path regFile = dir.path() / "big.reg";
    writeFile(regFile, reg);
    const std::string limited = "prlimit --fsize=262144:262144";

    const Outcome refused = run({"import", regFile.string()}, store, limited);
    EXPECT_EQ(refused.exitCode, 1) << refused.err;
    EXPECT_NE(refused.err.find("fichier du registre"), std::string::npos) << refused.err;
    EXPECT_EQ(run({"get", kKey, "v"}, store).out, "secret\n");
    EXPECT_NE(run({"get", kKey + "\\Big", "n0"}, store).exitCode, 0);  // all or nothing

    ASSERT_EQ(run({"import", regFile.string()}, store).exitCode, 0);
    const fs::path exports = dir.path() / "exports";
    fs::create_directory(exports);
    const Outcome exported = run({"export", kKey, exports.string(), "big.reg"}, store, limited);
    EXPECT_EQ(exported.exitCode, 1) << exported.err;
    EXPECT_NE(exported.err.find("Disk full"), std::string::npos) << exported.err;
    for (const auto& left : fs::directory_iterator(exports)) ADD_FAILURE() << left.path();
}

}  // namespace
