#include "platform/wayland/wlroots/sway_config_bindings.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/wayland/wlroots/sway_ipc.h"
#include "support/temp_dir.h"

namespace pointilla::platform::wayland {
namespace {

// A config as people write them: variables, blocks, continued lines, bindings
// that sway keeps apart from run-time ones, and a later binding that wins.
constexpr const char* kConfig = R"(# sway config
set $mod Mod4
set $stop "Escape"
set $mode_resize "resize"
bindsym $mod+Return exec foot
bindsym --no-repeat $stop exec notify-send 'stop'; exec true
bindsym --release Control+Alt+1 exec echo "up"
bindsym --locked Escape exec locked
bindsym --to-code Escape exec by-code
bindcode 9 exec code
bindsym --whole-window Escape exec whole
bindsym Ctrl+Mod1+2 \
    exec continued
mode $mode_resize {
    bindsym Escape mode "default"
    bindsym {
        Left resize shrink width 10px
    }
}
bar {
    bindsym button4 workspace next
}
bindsym Mod1+ctrl+2 exec later
)";

TEST(SwayConfigBindings, TheBindingsARunTimeBindingCanOverwriteAreRead) {
    const std::vector<SwayBinding> bindings = swayKeyBindings(kConfig);
    struct Expected {
        const char* mode;
        const char* keys;
        bool release;
        const char* command;  // nullptr: no such binding
    } const cases[] = {
        {"default", "Escape", false, "exec notify-send 'stop'; exec true"},
        {"default", "escape", true, nullptr},
        {"default", "Mod1+Ctrl+1", true, R"(exec echo "up")"},
        {"default", "Ctrl+Mod1+1", false, nullptr},
        {"default", "Control+Alt+2", false, "exec later"},
        {"default", "Mod4+Return", false, "exec foot"},
        {"resize", "Escape", false, R"(mode "default")"},
        {"resize", "Left", false, "resize shrink width 10px"},
        {"default", "Left", false, nullptr},
        {"default", "button4", false, nullptr},
    };
    for (const Expected& c : cases) {
        const auto found = swayBindingOf(bindings, c.mode, c.keys, c.release);
        SCOPED_TRACE(std::string(c.mode) + " " + c.keys);
        ASSERT_EQ(found.has_value(), c.command != nullptr);
        if (found) {
            EXPECT_EQ(found->command, c.command);
        }
    }
    EXPECT_TRUE(swayBindingOf(bindings, "default", "Escape", false)->noRepeat);
}

TEST(SwayConfigBindings, IncludedFilesAreReadInPlaceWithTheVariablesSoFar) {
    // A file that includes itself stops somewhere; a later line still wins.
    const auto readIncluded = [](const std::string& path) -> std::vector<std::string> {
        if (path == "/home/me/.config/sway/keys") return {"bindsym $stop exec included\n"};
        if (path == "/loop") return {"include /loop\n"};
        return {};
    };
    const std::vector<SwayBinding> bindings = swayKeyBindings(
        "set $stop Escape\ninclude /loop\ninclude \"/home/me/.config/sway/keys\"\n"
        "bindsym --release Escape exec after\n",
        readIncluded);
    ASSERT_EQ(bindings.size(), 2U);
    EXPECT_EQ(swayBindingOf(bindings, "default", "Escape", false)->command, "exec included");

    // On disk: variables and wildcards expand, files come in order, a command is never run.
    const pointilla::testing::TempDir temp("sway-include-");
    const std::filesystem::path& folder = temp.path();
    std::filesystem::create_directories(folder / "config.d");
    std::ofstream(folder / "config.d" / "10-a") << "a";
    std::ofstream(folder / "config.d" / "20-b") << "b";
    ::setenv("SWAY_INCLUDE_TEST", folder.c_str(), 1);
    EXPECT_EQ(readSwayIncludes("$SWAY_INCLUDE_TEST/config.d/*"),
              (std::vector<std::string>{"a", "b"}));
    EXPECT_TRUE(readSwayIncludes("$(touch " + (folder / "ran").string() + ")").empty());
    EXPECT_TRUE(readSwayIncludes("config.d/10-a").empty());  // relative to an unknown place
    EXPECT_FALSE(std::filesystem::exists(folder / "ran"));
}

TEST(SwayConfigBindings, CombinationsCompareAsSwayReadsThem) {
    EXPECT_TRUE(sameSwayCombination("Ctrl+Mod1+1", "Alt+Control+1"));
    EXPECT_TRUE(sameSwayCombination("Shift+Q", "shift+q"));
    EXPECT_TRUE(sameSwayCombination("Ctrl+plus", "ctrl+Plus"));
    EXPECT_FALSE(sameSwayCombination("Ctrl+Mod1+1", "Ctrl+1"));
    EXPECT_FALSE(sameSwayCombination("Mod4+Escape", "Escape"));
    EXPECT_FALSE(sameSwayCombination("", ""));
}

TEST(SwayConfigBindings, ABindingIsMadeAgainWithItsCommandWhole) {
    SwayBinding binding{"default", false, true, "Escape", "exec notify-send 'a b'; exec true"};
    EXPECT_EQ(swayRebindCommand(binding),
              R"(bindsym --no-repeat Escape "exec notify-send 'a b'; exec true")");
    binding = {"default", true, false, "Ctrl+Mod1+1", R"(exec touch "x y", focus left)"};
    EXPECT_EQ(swayRebindCommand(binding),
              R"(bindsym --release Ctrl+Mod1+1 'exec touch "x y", focus left')");
    binding.command = R"(exec echo "it's")";
    EXPECT_EQ(swayRebindCommand(binding), "");
}

TEST(SwayReplies, UnicodeEscapesAreDecoded) {
    EXPECT_EQ(jsonStringField(R"({"config": "caf\u00e9 \ud83d\ude00\r\n\/"})", "config"),
              "caf\xc3\xa9 \xf0\x9f\x98\x80\r\n/");
    EXPECT_EQ(jsonStringField(R"({"config": "\u12"})", "config"), "u12");
}

}  // namespace
}  // namespace pointilla::platform::wayland
