// The arithmetic of the Windows backend, checked on every build: where
// SendInput's normalised coordinates land, and how a program path is quoted.

#include <gtest/gtest.h>

#include <cstdint>

#include "platform/windows/command_line.h"
#include "platform/windows/screen_mapping.h"

namespace pointilla::platform::windows {
namespace {

// The pixel Windows moves to for a normalised coordinate.
int landsOn(int normalised, int origin, int extent) {
    return origin + static_cast<int>(static_cast<std::int64_t>(normalised) * extent / 65536);
}

TEST(WindowsScreenMapping, EveryPixelOfTheVirtualScreenIsReachedExactly) {
    // One monitor, an odd width, and three monitors with one left of the primary.
    const ScreenRect screens[] = {{0, 0, 1280, 1024}, {0, 0, 1366, 768}, {-1920, -200, 5760, 1280}};
    for (const ScreenRect& screen : screens) {
        SCOPED_TRACE(screen.width);
        for (int x = screen.left; x < screen.left + screen.width; ++x) {
            const int y = screen.top + (x - screen.left) % screen.height;
            const AbsoluteInput input = toAbsoluteInput({x, y}, screen);
            ASSERT_LE(input.dx, 65535);
            ASSERT_EQ(landsOn(input.dx, screen.left, screen.width), x);
            ASSERT_EQ(landsOn(input.dy, screen.top, screen.height), y);
        }
        // Off the virtual screen: held at its edges.
        EXPECT_EQ(toAbsoluteInput({screen.left - 5, screen.top - 5}, screen),
                  (AbsoluteInput{0, 0}));
        const AbsoluteInput far =
            toAbsoluteInput({screen.left + screen.width + 9, screen.top + screen.height}, screen);
        EXPECT_EQ(landsOn(far.dx, screen.left, screen.width), screen.left + screen.width - 1);
        EXPECT_EQ(landsOn(far.dy, screen.top, screen.height), screen.top + screen.height - 1);
    }
}

TEST(WindowsScreenMapping, PositionsAreRelativeToThePrimaryMonitor) {
    const ScreenPoint origin{-1920, 0};
    EXPECT_EQ(toVirtualScreen({-10, 20}, origin), (ScreenPoint{-1930, 20}));
    EXPECT_EQ(fromVirtualScreen(toVirtualScreen({-10, 20}, origin), origin),
              (ScreenPoint{-10, 20}));
}

TEST(WindowsCommandLine, AProgramPathComesBackAsOneArgument) {
    EXPECT_EQ(quoteArgument(L"C:\\Program Files\\Outil\\outil.exe"),
              L"\"C:\\Program Files\\Outil\\outil.exe\"");
    // A trailing backslash would otherwise escape the closing quote.
    EXPECT_EQ(quoteArgument(L"C:\\dossier\\"), L"\"C:\\dossier\\\\\"");
    // Quotes are escaped, and the backslashes before them doubled.
    EXPECT_EQ(quoteArgument(L"a\\\"b"), L"\"a\\\\\\\"b\"");
    EXPECT_EQ(quoteArgument(L"a\\b"), L"\"a\\b\"");
}

}  // namespace
}  // namespace pointilla::platform::windows
