// The start-up messages are French and name what was tried; the host's own
// (English) reason never reaches them.
#include "messages/startup_messages.h"

#include <gtest/gtest.h>

namespace pointilla::messages {
namespace {

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(StartupMessages, NameTheDisplayOrTheMissingVariable) {
    using Kind = DesktopOpenError::Kind;
    const std::string unnamed = desktopOpenMessage({Kind::NoDisplayNamed, {}});
    EXPECT_TRUE(contains(unnamed, "DISPLAY")) << unnamed;
    const std::string unreachable = desktopOpenMessage({Kind::Unreachable, ":987"});
    EXPECT_TRUE(contains(unreachable, ":987")) << unreachable;
    EXPECT_TRUE(contains(unreachable, "Impossible d'ouvrir")) << unreachable;
    const std::string noXTest = desktopOpenMessage({Kind::NoXTest, ":5"});
    EXPECT_TRUE(contains(noXTest, ":5") && contains(noXTest, "XTEST")) << noXTest;
    const std::string single = desktopOpenMessage({Kind::SingleDesktopNamed, ":1"});
    EXPECT_TRUE(contains(single, ":1") && contains(single, "Windows")) << single;
    const std::string lacks = desktopOpenMessage(
        DesktopOpenError::compositorLacks("wayland-1", "labwc", "zwlr_virtual_pointer_manager_v1"));
    EXPECT_TRUE(contains(lacks, "labwc") && contains(lacks, "zwlr_virtual_pointer_manager_v1"))
        << lacks;
}

TEST(StartupMessages, AnUnknownBackendListsTheChoicesOfThisBuild) {
    EXPECT_EQ(desktopOpenMessage(DesktopOpenError::unknownBackend(
                  "mir", {{"x11", "X.Org"}, {"wlroots", "sway"}, {"kwin", "KDE Plasma"}})),
              "POINTILLA_BACKEND vaut « mir » : choisir x11 (X.Org), "
              "wlroots (sway) ou kwin (KDE Plasma).");
    EXPECT_EQ(desktopOpenMessage(DesktopOpenError::unknownBackend("gnome", {{"x11", "X.Org"}})),
              "POINTILLA_BACKEND vaut « gnome » : choisir x11 (X.Org).");
    const std::string leftOut =
        xwaylandFallbackMessage({DesktopOpenError::Kind::WaylandLeftOut, "wayland-0"});
    EXPECT_TRUE(contains(leftOut, "wayland-0") && contains(leftOut, "XWayland")) << leftOut;
}

TEST(StartupMessages, ControlFailuresKeepTheHostsReasonOut) {
    using Kind = ControlFailure::Kind;
    const std::string registration = controlFailureMessage(
        {Kind::RegistrationFailed,
         "Dovetail.Trellis",
         "/opt/lib/libtrellis.so",
         {HostFailure::Kind::LibraryNotLoaded, "/opt/lib/libtrellis.so", "no such file"}});
    EXPECT_EQ(registration,
              "Le contrôle de registre « Dovetail.Trellis » n'est pas "
              "enregistré et la bibliothèque « /opt/lib/libtrellis.so » n'a "
              "pas pu l'être.");
    const std::string creation = controlFailureMessage(
        {Kind::CreationFailed,
         "Dovetail.Trellis",
         {},
         {HostFailure::Kind::CreationFailed, "Dovetail.Trellis", "0x80004005"}});
    EXPECT_EQ(creation,
              "Le contrôle de registre « Dovetail.Trellis » n'a pas pu être "
              "créé.");
}

}  // namespace
}  // namespace pointilla::messages
