#include "platform/posix/detached_process.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "platform/posix/xdg_document_opener.h"
#include "support/temp_dir.h"

namespace pointilla::platform::posix {
namespace {

namespace fs = std::filesystem;

using pointilla::testing::TempDir;

void writeScript(const fs::path& path, const std::string& body) {
    std::ofstream(path) << "#!/bin/sh\n" << body;
    fs::permissions(path, fs::perms::owner_all);
}

// Waits for a file the started program writes last; empty text after 10 s.
std::string waitForFile(const fs::path& path) {
    for (int i = 0; i < 1000; ++i) {
        if (fs::exists(path)) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            std::ifstream in(path);
            std::stringstream text;
            text << in.rdbuf();
            return text.str();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return {};
}

// A handler that writes its working directory and each argument on a line,
// into a file it renames into place so the reader never sees half of it.
std::string recorderBody(const fs::path& out) {
    return "{ pwd; for a in \"$@\"; do printf '%s\\n' \"$a\"; done; } > '" + out.string() +
           ".tmp' && mv '" + out.string() + ".tmp' '" + out.string() + "'\n";
}

TEST(DetachedProcess, ArgumentsReachTheProgramUntouchedInItsWorkingDirectory) {
    TempDir dir;
    const fs::path out = dir.path() / "out.txt";
    writeScript(dir.path() / "handler", recorderBody(out));
    fs::create_directory(dir.path() / "work");

    const std::string tricky = "a b; touch '" + (dir.path() / "pwned").string() + "' $(id) `id` *";
    const auto started =
        startDetached(dir.path() / "handler", {tricky, "-x", ""}, dir.path() / "work");
    ASSERT_TRUE(started) << started.error();
    EXPECT_EQ(waitForFile(out), (dir.path() / "work").string() + "\n" + tricky + "\n-x\n\n");
    EXPECT_FALSE(fs::exists(dir.path() / "pwned"));
}

TEST(DetachedProcess, ReturnsWithoutWaitingForTheProgramAndLeavesNoChildBehind) {
    TempDir dir;
    const fs::path fifo = dir.path() / "go";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const fs::path out = dir.path() / "out.txt";
    // The program blocks until the test writes to the fifo, which the test does
    // only once startDetached has returned: were the call waiting, it would hang.
    writeScript(dir.path() / "handler",
                "read line < '" + fifo.string() + "'\n" + recorderBody(out));
    ASSERT_TRUE(startDetached(dir.path() / "handler", {"x"}, dir.path()));
    {
        std::ofstream go(fifo);
        go << "go\n";
    }
    EXPECT_FALSE(waitForFile(out).empty());
    // The program ran as a grandchild: nothing is left for us to reap.
    errno = 0;
    EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
}

TEST(DetachedProcess, AProgramThatCannotRunIsReportedWithTheReason) {
    TempDir dir;
    writeScript(dir.path() / "handler", "exit 0\n");
    std::ofstream(dir.path() / "not-executable") << "#!/bin/sh\n";
    // What cannot run, and the name its reason must hold.
    const std::vector<std::pair<fs::path, fs::path>> cases = {
        {dir.path() / "missing", dir.path()},
        {dir.path() / "handler", dir.path() / "no-such-folder"},
        {dir.path() / "not-executable", dir.path()},
    };
    for (const auto& [program, folder] : cases) {
        const auto started = startDetached(program, {}, folder);
        ASSERT_FALSE(started) << program;
        const std::string named = (folder == dir.path() ? program : folder).filename().string();
        EXPECT_NE(started.error().find(named), std::string::npos) << started.error();
        const auto child = startChild(program, {}, folder);
        ASSERT_FALSE(child) << program;
        EXPECT_EQ(child.error(), started.error());
    }
}

TEST(DetachedProcess, FindInPathFindsOnlyExecutableFiles) {
    TempDir dir;
    writeScript(dir.path() / "tool", "exit 0\n");
    std::ofstream(dir.path() / "plain") << "x";
    fs::create_directory(dir.path() / "folder");
    const char* saved = std::getenv("PATH");
    const std::string savedPath = saved != nullptr ? saved : "";
    ::setenv("PATH", ("/nonexistent:" + dir.path().string()).c_str(), 1);
    EXPECT_EQ(findInPath("tool"), dir.path() / "tool");
    EXPECT_TRUE(findInPath("plain").empty());
    EXPECT_TRUE(findInPath("folder").empty());
    EXPECT_TRUE(findInPath("").empty());
    ::setenv("PATH", savedPath.c_str(), 1);
    EXPECT_EQ(findInPath((dir.path() / "tool").string()), dir.path() / "tool");
}

TEST(XdgDocumentOpener, ATargetIsOneArgumentThatCanNeverBeAnOption) {
    EXPECT_EQ(XdgDocumentOpener::handlerArgument("http://exemple.fr/?a=1&b=2"),
              "http://exemple.fr/?a=1&b=2");
    EXPECT_EQ(XdgDocumentOpener::handlerArgument("--help"), "./--help");
    EXPECT_EQ(XdgDocumentOpener::handlerArgument("-"), "./-");
    EXPECT_EQ(XdgDocumentOpener::handlerArgument("/tmp/-a"), "/tmp/-a");

    TempDir dir;
    const fs::path out = dir.path() / "out.txt";
    writeScript(dir.path() / "xdg-open", recorderBody(out));
    XdgDocumentOpener opener(dir.path() / "xdg-open");
    DocumentOpener& asInterface = opener;
    ASSERT_TRUE(asInterface.open("--version", "/"));
    EXPECT_EQ(waitForFile(out), "/\n./--version\n");
}

TEST(XdgDocumentOpener, AMissingHandlerIsAFailureNotACrash) {
    XdgDocumentOpener opener("/nonexistent/xdg-open");
    EXPECT_FALSE(opener.open("http://exemple.fr", "/"));
}

// Handlers that run until the test lets them end: each waits for a line on
// the FIFO it is asked to open.
class WaitingHandlers {
  public:
    WaitingHandlers() { writeScript(dir_.path() / "xdg-open", "read line < \"$1\"\n"); }
    fs::path handler() const { return dir_.path() / "xdg-open"; }
    std::string fifo(int n) const {
        const fs::path path = dir_.path() / ("tube" + std::to_string(n));
        if (!fs::exists(path)) ::mkfifo(path.c_str(), 0600);
        return path.string();
    }
    // Blocks until that handler reads, so it must still run.
    void end(int n) const { std::ofstream(fifo(n)) << "fin\n"; }

  private:
    TempDir dir_;
};

TEST(XdgDocumentOpener, NoMoreHandlersRunThanAllowedAndAnEndedOneMakesRoom) {
    const WaitingHandlers handlers;
    XdgDocumentOpener opener(handlers.handler(), {2, std::chrono::hours(1)});
    DocumentOpener& asInterface = opener;
    EXPECT_TRUE(asInterface.waitForRoom({}).free);
    ASSERT_TRUE(opener.open(handlers.fifo(0), "/"));
    ASSERT_TRUE(opener.open(handlers.fifo(1), "/"));
    const OpenerRoom full = asInterface.waitForRoom({});
    EXPECT_FALSE(full.free);
    EXPECT_TRUE(full.letGo.empty());

    handlers.end(0);
    EXPECT_TRUE(asInterface.waitForRoom(std::chrono::seconds(30)).free);
    // The handler that ended was reaped: nothing is left for anyone to wait for.
    EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), 0);
    ASSERT_TRUE(opener.open(handlers.fifo(2), "/"));
    EXPECT_FALSE(asInterface.waitForRoom({}).free);
    handlers.end(1);
    handlers.end(2);
}

TEST(XdgDocumentOpener, AHandlerHeldTooLongGivesItsPlaceUpWhenThePlaceIsNeeded) {
    const WaitingHandlers handlers;
    XdgDocumentOpener opener(handlers.handler(), {2, std::chrono::milliseconds(0)});
    ASSERT_TRUE(opener.open(handlers.fifo(0), "/"));
    const OpenerRoom roomLeft = opener.waitForRoom({});
    EXPECT_TRUE(roomLeft.free);
    EXPECT_TRUE(roomLeft.letGo.empty());
    ASSERT_TRUE(opener.open(handlers.fifo(1), "/"));
    const OpenerRoom oldestGone = opener.waitForRoom({});
    EXPECT_TRUE(oldestGone.free);
    EXPECT_EQ(oldestGone.letGo, std::vector<std::string>{handlers.fifo(0)});
    ASSERT_TRUE(opener.open(handlers.fifo(2), "/"));
    EXPECT_EQ(opener.waitForRoom({}).letGo, std::vector<std::string>{handlers.fifo(1)});
    // Let go is not killed: each one still reads its line.
    for (int n = 0; n < 3; ++n) handlers.end(n);
}

TEST(DirectProgramStarter, StartsTheProgramInItsOwnFolder) {
    TempDir dir;
    const fs::path out = dir.path() / "out.txt";
    fs::create_directory(dir.path() / "bin");
    writeScript(dir.path() / "bin" / "tool", recorderBody(out));
    DirectProgramStarter starter;
    ASSERT_TRUE(starter.start(dir.path() / "bin" / "tool"));
    EXPECT_EQ(waitForFile(out), (dir.path() / "bin").string() + "\n");
    EXPECT_FALSE(starter.start(dir.path() / "bin" / "absent"));
}

}  // namespace
}  // namespace pointilla::platform::posix
