// The tray icon's reactions, with the desktop's tray simulated present or absent.
#include "shell/tray/tray_icon.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCloseEvent>
#include <QMenu>
#include <QWidget>

#include "shell/tray/app_icon.h"

namespace pointilla::shell {
namespace {

// A main window that refuses to close, as the real one does until the user
// confirms, and counts the requests.
class Window final : public QWidget {
  public:
    int closeRequests = 0;

  protected:
    void closeEvent(QCloseEvent* event) override {
        ++closeRequests;
        event->ignore();
    }
};

class TrayIconTest : public ::testing::Test {
  protected:
    TrayIconTest() {
        aff = mnuIcone.addAction(QStringLiteral("Afficher Pointilla"));
        aff->setObjectName(QStringLiteral("aff"));
        mnuIcone.addSeparator()->setObjectName(QStringLiteral("sep4"));
        qu = mnuIcone.addAction(QStringLiteral("Quitter"));
        qu->setObjectName(QStringLiteral("qu"));
        window.setWindowIcon(applicationIcon());
    }
    ~TrayIconTest() override { mnuIcone.hide(); }

    static void settle() {
        for (int i = 0; i < 3; ++i) QApplication::processEvents();
    }

    Window window;
    QMenu mnuIcone;
    QAction* aff = nullptr;
    QAction* qu = nullptr;
    bool trayPresent = true;
    TrayIcon tray{window, mnuIcone, nullptr, [this] { return trayPresent; }};
};

TEST(ApplicationIcon, CarriesTheSmallAndLargeSizes) {
    const QIcon icon = applicationIcon();
    ASSERT_FALSE(icon.isNull());
    for (const int size : {16, 32, 48}) {
        EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size))) << size;
        EXPECT_EQ(icon.pixmap(size, size).size(), QSize(size, size));
    }
}

TEST_F(TrayIconTest, AddedIconShowsTheWindowsIconAndTooltipUntilRemoved) {
    EXPECT_FALSE(tray.isAdded());
    tray.add();
    EXPECT_TRUE(tray.isAdded());
    EXPECT_EQ(tray.systemTrayIcon().toolTip(), QStringLiteral("Pointilla"));
    EXPECT_EQ(tray.systemTrayIcon().icon().cacheKey(), window.windowIcon().cacheKey());
    tray.remove();
    EXPECT_FALSE(tray.isAdded());
    tray.remove();
    EXPECT_FALSE(tray.isAdded());
}

TEST_F(TrayIconTest, LeftClickOpensTheMenuAndNothingElseDoes) {
    tray.add();
    window.show();
    for (const auto reason : {QSystemTrayIcon::Context, QSystemTrayIcon::DoubleClick,
                              QSystemTrayIcon::MiddleClick, QSystemTrayIcon::Unknown}) {
        tray.onActivated(reason);
        settle();
        EXPECT_FALSE(mnuIcone.isVisible()) << reason;
    }
    tray.onActivated(QSystemTrayIcon::Trigger);
    settle();
    EXPECT_TRUE(mnuIcone.isVisible());
}

TEST_F(TrayIconTest, LeftClickAloneDoesNotShowAHiddenWindow) {
    tray.add();
    window.show();
    tray.hideWindow();
    tray.onActivated(QSystemTrayIcon::Trigger);
    settle();
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(mnuIcone.isVisible());
}

TEST_F(TrayIconTest, MinimisingHidesIntoTheTrayAndAfficherBringsItBackNormal) {
    tray.add();
    window.show();
    window.showMinimized();
    settle();
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(tray.isAdded());

    aff->trigger();
    settle();
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.isMinimized());
}

TEST_F(TrayIconTest, TrayButtonHidesWithoutMinimising) {
    tray.add();
    window.show();
    tray.hideWindow();
    settle();
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(window.isMinimized());
    aff->trigger();
    EXPECT_TRUE(window.isVisible());
}

TEST_F(TrayIconTest, WithoutATrayNothingHidesTheWindow) {
    trayPresent = false;
    tray.add();
    window.show();
    window.showMinimized();
    settle();
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.isMinimized());

    window.showNormal();
    tray.hideWindow();
    settle();
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.isMinimized());
}

TEST_F(TrayIconTest, AnIconTakenOutOfTheTrayNoLongerHidesTheWindow) {
    tray.add();
    tray.remove();
    window.show();
    tray.hideWindow();
    settle();
    EXPECT_TRUE(window.isVisible());
}

TEST_F(TrayIconTest, QuitterIsLeftToTheWindowsOwnQuitCommand) {
    // The window wires "qu" to its close request; answering it here too
    // would ask the quit question twice.
    tray.add();
    window.show();
    qu->trigger();
    EXPECT_EQ(window.closeRequests, 0);
    EXPECT_TRUE(tray.isAdded());
}

}  // namespace
}  // namespace pointilla::shell
