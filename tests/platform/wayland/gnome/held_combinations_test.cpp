// Which bound combinations the GNOME helper keyboard reports held, from bursts
// of Pressed and Released signals and the poll's queries between them.

#include "platform/wayland/gnome/held_combinations.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/desktop/virtual_keys.h"

namespace pointilla::platform::wayland::gnome {
namespace {

using namespace vk;

const KeyCombination kHotKey{kCtrl, kAlt, topRowDigit(1)};
const KeyCombination kStop{kEscape};

// Steps: "p0"/"r0" press or release combination 0, "?1" a query of the hot
// key's digit (Escape's for "?e") whose answer is appended to the result as
// '1' or '0', "t" takeChanged() appended as 'c' or '-', "!e" takePress() of
// Escape appended as 'y' or 'n'.
std::string run(const std::vector<std::string>& steps) {
    HeldCombinations held;
    held.reset({kHotKey, kStop});
    std::string seen;
    for (const std::string& step : steps) {
        if (step[0] == 'p') held.pressed(static_cast<std::size_t>(step[1] - '0'));
        if (step[0] == 'r') held.released(static_cast<std::size_t>(step[1] - '0'));
        if (step[0] == '?') {
            const int key = step[1] == 'e' ? kEscape : topRowDigit(1);
            bool down = false;
            held.query(std::span<const int>(&key, 1), std::span<bool>(&down, 1));
            seen += down ? '1' : '0';
        }
        if (step[0] == 't') seen += held.takeChanged() ? 'c' : '-';
        if (step[0] == '!') seen += held.takePress(kEscape) ? 'y' : 'n';
    }
    return seen;
}

TEST(GnomeHeldCombinations, FollowPressesAndReleasesAsThePollSeesThem) {
    struct Case {
        const char* what;
        std::vector<std::string> steps;
        std::string seen;
    };
    const std::vector<Case> cases{
        {"nothing pressed", {"t", "?1", "?e"}, "-00"},
        {"a hold, then its release", {"p0", "t", "?1", "?1", "r0", "t", "?1", "t"}, "c11c0-"},
        {"a tap within one burst is seen once", {"p0", "r0", "t", "?1", "t", "?1", "t"}, "c1c0-"},
        {"a tap's release waits for its own key's query", {"p0", "r0", "?e", "?1", "?1"}, "010"},
        {"Escape apart from the hot key", {"p1", "?1", "?e", "r1", "?e"}, "010"},
        {"a release of nothing held", {"r0", "t", "?1"}, "-0"},
        {"an index out of range", {"p7", "r7", "t", "?1"}, "-0"},
        {"a tap between two takes is taken once", {"p1", "r1", "!e", "!e"}, "yn"},
        {"a hold is taken while held", {"p1", "!e", "!e", "r1", "!e"}, "yyn"},
        {"a tap a query reported still counts for the take",
         {"p1", "r1", "?e", "?e", "!e", "!e"},
         "10yn"},
        {"the hot key's tap is not Escape's", {"p0", "r0", "!e", "?1"}, "n1"},
    };
    for (const Case& c : cases) EXPECT_EQ(run(c.steps), c.seen) << c.what;
}

TEST(GnomeHeldCombinations, ResetLetsGoOfWhatWasHeld) {
    HeldCombinations held;
    held.reset({kHotKey});
    held.pressed(0);
    ASSERT_TRUE(held.takeChanged());
    held.reset({kStop});
    EXPECT_TRUE(held.takeChanged());
    const int key = topRowDigit(1);
    bool down = true;
    held.query(std::span<const int>(&key, 1), std::span<bool>(&down, 1));
    EXPECT_FALSE(down);
    EXPECT_EQ(held.combinations(), std::vector<KeyCombination>{kStop});
}

}  // namespace
}  // namespace pointilla::platform::wayland::gnome
