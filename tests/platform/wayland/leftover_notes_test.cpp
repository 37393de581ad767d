#include "platform/wayland/common/leftover_notes.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace pointilla::platform::wayland {
namespace {

TEST(LeftoverNotes, ANoteOutlivesOnlyItsProcessAndStaysPrivate) {
    const pointilla::testing::TempDir temp("notes-test-");
    const std::filesystem::path folder = temp.path() / "notes";
    auto notes = LeftoverNotes::openAt(folder);
    ASSERT_TRUE(notes.has_value());
    EXPECT_EQ(std::filesystem::status(folder).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_all);

    // A child writes a note and ends without erasing it; this process writes one.
    const pid_t child = ::fork();
    if (child == 0) _exit(notes->write("child's") ? 0 : 1);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_EQ(status, 0);
    ASSERT_TRUE(notes->write("mine"));
    std::vector<LeftoverNotes::Note> all = notes->all();
    std::sort(all.begin(), all.end(), [](auto& a, auto& b) { return a.text < b.text; });
    ASSERT_EQ(all.size(), 2U);
    EXPECT_EQ(all[0].text, "child's");
    EXPECT_TRUE(all[0].ended);
    EXPECT_EQ(all[1].pid, ::getpid());

    notes->erase(child);
    notes->eraseOwn();
    EXPECT_TRUE(notes->all().empty());

    // A folder others may enter is not trusted.
    std::filesystem::permissions(
        folder, std::filesystem::perms::group_read | std::filesystem::perms::group_exec,
        std::filesystem::perm_options::add);
    EXPECT_FALSE(LeftoverNotes::openAt(folder).has_value());
}

}  // namespace
}  // namespace pointilla::platform::wayland
