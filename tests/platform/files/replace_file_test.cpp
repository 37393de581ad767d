#include "platform/files/replace_file.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "support/temp_dir.h"

namespace pointilla::platform::files {
namespace {

namespace fs = std::filesystem;

constexpr uid_t kNobody = 65534;

std::string readBytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

struct stat statOf(const fs::path& p) {
    struct stat st {};
    EXPECT_EQ(::stat(p.c_str(), &st), 0) << p;
    return st;
}

// Runs `body` in a child as the unprivileged user "nobody": root passes every
// permission check, a person does not. The child's exit code is body's result.
int asNobody(const std::function<int()>& body) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) {
            ::_exit(100);
        }
        ::_exit(body());
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

class ReplaceFileContent : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::permissions(dir_, fs::perms(0755));
    }  // others may look in, not write
    // A test may leave the folder read-only; the fixture must still empty it.
    void TearDown() override { fs::permissions(dir_, fs::perms(0755)); }
    fs::path file(const std::string& name, const std::string& bytes, unsigned mode = 0644) const {
        fs::path path = dir_ / name;
        std::ofstream(path, std::ios::binary) << bytes;
        fs::permissions(path, fs::perms(mode));
        return path;
    }
    // Every name in the folder: a temporary file left behind shows here.
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir_)) names.push_back(e.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }
    const pointilla::testing::TempDir temp_{"pointilla-save-"};
    const fs::path dir_ = temp_.path();
};

TEST_F(ReplaceFileContent, ReplacesKeepingModeOwnerAndGroup) {
    const fs::path target = file("s.sce", "old content that is longer than the new one", 0640);
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(target.c_str(), kNobody, kNobody), 0);
    }
    const struct stat before = statOf(target);
    ASSERT_TRUE(replaceFileContent(target, "new"));
    EXPECT_EQ(readBytes(target), "new");
    const struct stat after = statOf(target);
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(after.st_gid, before.st_gid);
    EXPECT_NE(after.st_ino, before.st_ino) << "replaced by a rename, not rewritten";
    EXPECT_EQ(entries(), std::vector<std::string>{"s.sce"});

    // Someone else's file that the user may write: a temporary file could not
    // be given that owner, so the file is rewritten in place and stays theirs.
    if (::geteuid() == 0) {
        const fs::path shared = file("shared.sce", "old", 0666);  // root's
        fs::permissions(dir_, fs::perms(0777));
        EXPECT_EQ(asNobody([&] { return replaceFileContent(shared, "by nobody") ? 0 : 1; }), 0);
        EXPECT_EQ(readBytes(shared), "by nobody");
        EXPECT_EQ(statOf(shared).st_uid, 0u);
    }
}

TEST_F(ReplaceFileContent, NamesUpToTheFileSystemsLimitWork) {
    const std::string longest = std::string(251, 'n') + ".sce";  // 255 bytes
    ASSERT_TRUE(replaceFileContent(dir_ / longest, "a"));
    ASSERT_TRUE(replaceFileContent(dir_ / longest, "b"));
    EXPECT_EQ(readBytes(dir_ / longest), "b");
    EXPECT_EQ(entries(), std::vector<std::string>{longest});
}

TEST_F(ReplaceFileContent, SymbolicLinksAreFollowedAndKept) {
    const fs::path real = file("real.sce", "old");
    fs::create_symlink("real.sce", dir_ / "link.sce");
    ASSERT_TRUE(replaceFileContent(dir_ / "link.sce", "new"));
    EXPECT_TRUE(fs::is_symlink(dir_ / "link.sce"));
    EXPECT_EQ(readBytes(real), "new");

    // A link to a file not there yet creates that file.
    fs::create_directory(dir_ / "sub");
    fs::create_symlink("sub/later.sce", dir_ / "dangling.sce");
    ASSERT_TRUE(replaceFileContent(dir_ / "dangling.sce", "made"));
    EXPECT_TRUE(fs::is_symlink(dir_ / "dangling.sce"));
    EXPECT_EQ(readBytes(dir_ / "sub" / "later.sce"), "made");

    fs::create_symlink("loop.sce", dir_ / "loop.sce");
    EXPECT_EQ(replaceFileContent(dir_ / "loop.sce", "x").error().systemError, ELOOP);
}

// A read-only file is refused even for root, as careful editors do; nothing
// that is no regular file is ever replaced, and a refusal leaves no trace.
TEST_F(ReplaceFileContent, RefusesWhatItMustNotReplaceAndLeavesItAsItWas) {
    const fs::path readOnly = file("ro.sce", "keep", 0444);
    const auto refused = replaceFileContent(readOnly, "new");
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().systemError, EACCES);
    EXPECT_EQ(readBytes(readOnly), "keep");

    fs::create_directories(dir_ / "folder.sce" / "inside");
    EXPECT_EQ(replaceFileContent(dir_ / "folder.sce", "x").error().systemError, EISDIR);
    EXPECT_TRUE(fs::is_directory(dir_ / "folder.sce" / "inside"));

    ASSERT_EQ(::mkfifo((dir_ / "tube.sce").c_str(), 0666), 0);
    EXPECT_EQ(replaceFileContent(dir_ / "tube.sce", "x").error().kind,
              FileError::Kind::NotRegularFile);
    EXPECT_TRUE(fs::is_fifo(dir_ / "tube.sce"));

    EXPECT_EQ(replaceFileContent(dir_ / "absent" / "s.sce", "x").error().systemError, ENOENT);
    EXPECT_EQ(entries(), (std::vector<std::string>{"folder.sce", "ro.sce", "tube.sce"}));
}

// No temporary file can be made in a folder the user may not write: a writable
// file there is rewritten in place, its space reserved first, so a limit or a
// full disk fails before a byte changes.
TEST_F(ReplaceFileContent, AWritableFileInALockedFolderIsRewrittenInPlaceSafely) {
    const fs::path target = file("s.sce", "precious content", 0666);
    const struct stat before = statOf(target);
    fs::permissions(dir_, fs::perms(0555));

    const int overLimit = asNobody([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit size{20, 20};  // bytes a file may reach
        ::setrlimit(RLIMIT_FSIZE, &size);
        const auto saved = replaceFileContent(target, std::string(100, 'x'));
        return !saved && saved.error().systemError == EFBIG ? 0 : 1;
    });
    EXPECT_EQ(overLimit, 0);
    EXPECT_EQ(readBytes(target), "precious content");

    const int shorter = asNobody([&] { return replaceFileContent(target, "new") ? 0 : 1; });
    EXPECT_EQ(shorter, 0);
    EXPECT_EQ(readBytes(target), "new");
    const struct stat after = statOf(target);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_mode & 07777, 0666u);
    EXPECT_EQ(entries(), std::vector<std::string>{"s.sce"});

    // A new file cannot be made there at all.
    EXPECT_EQ(asNobody([&] {
                  const auto saved = replaceFileContent(dir_ / "new.sce", "x");
                  return !saved && saved.error().systemError == EACCES ? 0 : 1;
              }),
              0);
}

}  // namespace
}  // namespace pointilla::platform::files
