// The trellis command keeps the settings store to its user.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "support/registry_store.h"

namespace {

namespace fs = std::filesystem;
using trellis::testing::readFile;
using trellis::testing::ScratchDir;

struct Outcome {
    int exitCode;  // -1 for a program the shell saw die of a signal
    std::string out;
    std::string err;
};

// Runs `prefix trellis args...` (the prefix may change the user) on the store.
Outcome run(const std::vector<std::string>& args, const fs::path& store,
            const std::string& prefix = {}) {
    static ScratchDir dir;
    std::string line =
        "TRELLIS_REGISTRY='" + store.string() + "' " + prefix + " '" + TRELLIS_COMMAND_PATH + "'";
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
    ScratchDir dir;
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
    ScratchDir dir;
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

}  // namespace
