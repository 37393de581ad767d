// Click capture in the main window: its entries, the rows it adds, the count
// and the tooltip, the keys that end it, its exclusion with playback, and the
// desktops where it is missing or limited.
#include "capture/click_capture.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMessageBox>

#include "capture/pointer_capture.h"
#include "editing/scenario_model.h"
#include "platform/desktop/virtual_keys.h"
#include "platform/testing/recording_desktop.h"
#include "playback/playback_engine.h"
#include "settings/memory_registry_control.h"
#include "shell/form1.h"
#include "shell/tray/tray_icon.h"
#include "support/qt_checks.h"
#include "test_support.h"

namespace pointilla::shell {
namespace {

using std::chrono::milliseconds;

class ClickCaptureTest : public ::testing::Test {
  protected:
    void open() {
        form = std::make_unique<Form1>(
            Form1Services{store, desktop, fileDialogs, "/opt/pointilla/bin", "/tmp/aide.html"});
        form->show();
    }
    QAction* entry() const { return form->menuAction(QStringLiteral("capturerclics")); }
    std::vector<std::string> rows() const {
        std::vector<std::string> out;
        for (const auto& row : form->scenarioModel().scenario().rows()) {
            out.push_back(row.action + "|" + row.detail);
        }
        return out;
    }
    // A key pressed and released on the desktop, wherever the focus is.
    void tap(int virtualKey) {
        desktop.setKeyDown(virtualKey, true);
        QApplication::processEvents();
        form->pointerCapture().pollNow();
        desktop.setKeyDown(virtualKey, false);
        form->pointerCapture().pollNow();
    }

    settings::MemoryRegistryControl store;
    platform::testing::RecordingDesktop desktop;
    testing::ScriptedFileDialog fileDialogs;
    std::unique_ptr<Form1> form;
};

TEST_F(ClickCaptureTest, ClicksInOtherProgramsBecomeRowsUntilF9OrEscape) {
    open();
    ASSERT_NE(entry(), nullptr);
    EXPECT_EQ(entry()->text(), QStringLiteral("Capturer les clics"));
    EXPECT_EQ(entry()->shortcut(), QKeySequence(Qt::Key_F9));
    EXPECT_TRUE(form->options->actions().contains(entry()));
    EXPECT_TRUE(form->trayMenu()->actions().contains(entry()));
    EXPECT_TRUE(entry()->isCheckable());

    const int f9 = platform::vk::functionKey(9);
    // F9 last: a start right after F9 ended a capture is taken for the same press.
    for (const int stopKey : {platform::vk::kEscape, f9}) {
        form->scenarioModel().clear();
        // F9 held as the entry's shortcut fires: it must not end the capture at once.
        desktop.setKeyDown(f9, true);
        entry()->trigger();
        form->pointerCapture().pollNow();
        desktop.setKeyDown(f9, false);
        form->pointerCapture().pollNow();
        ASSERT_TRUE(form->clickCapture().active());
        EXPECT_TRUE(entry()->isChecked());
        EXPECT_FALSE(form->toolbarButton(QStringLiteral("start"))->isEnabled());
        EXPECT_EQ(form->playbackPanel(), QStringLiteral("Capture des clics : 0 clic"));
        EXPECT_EQ(form->trayIcon().currentToolTip(),
                  QStringLiteral("Pointilla : capture des clics en cours"));

        desktop.pressLeftButton({5, 6}, milliseconds(10'000));
        // Hidden into the tray, the window still counts the clicks.
        form->hide();
        desktop.pressLeftButton({-7, 8}, milliseconds(11'200));
        ASSERT_EVENTUALLY_EQ(form->clickCapture().clicks(), 2, 2000);
        EXPECT_EQ(form->playbackPanel(), QStringLiteral("Capture des clics : 2 clics"));
        EXPECT_TRUE(form->isModified());

        tap(stopKey);
        EXPECT_FALSE(form->clickCapture().active());
        EXPECT_FALSE(entry()->isChecked());
        EXPECT_FALSE(desktop.listening());
        EXPECT_TRUE(form->toolbarButton(QStringLiteral("start"))->isEnabled());
        EXPECT_EQ(form->playbackPanel(), QString());
        EXPECT_EQ(form->trayIcon().currentToolTip(), QStringLiteral("Pointilla"));
        EXPECT_EQ(rows(), (std::vector<std::string>{"Position souris| 5 ,  6", "Clic souris|Clic",
                                                    "Délai|1", "Position souris|-7 ,  8",
                                                    "Clic souris|Clic"}));
        // The capture's rows are one step of the history.
        form->scenarioModel().history().undo();
        EXPECT_TRUE(rows().empty());
        form->scenarioModel().history().redo();
        EXPECT_EQ(rows().size(), 5U);
        form->show();
    }
}

TEST_F(ClickCaptureTest, PlayingAndCapturingExcludeEachOther) {
    open();
    form->scenarioModel().replaceAll({{"Délai", "2"}});
    form->start();
    ASSERT_TRUE(form->playback().playing());
    EXPECT_FALSE(entry()->isEnabled());
    form->capturerClics_Click();
    EXPECT_FALSE(form->clickCapture().active());
    form->arreter();
    EXPECT_TRUE(entry()->isEnabled());

    entry()->trigger();
    ASSERT_TRUE(form->clickCapture().active());
    form->start();
    EXPECT_FALSE(form->playback().playing());
    entry()->trigger();  // the entry again ends it
    EXPECT_FALSE(form->clickCapture().active());
}

// What the entry says on each kind of desktop, and a desktop that refuses.
TEST_F(ClickCaptureTest, EntryTellsWhereCaptureIsMissingOrLimited) {
    struct Case {
        bool available;
        platform::ClickReach reach;
        bool enabled;
        const char* saying;
    };
    const Case cases[] = {
        {true, platform::ClickReach::EveryProgram, true, "F9 ou Échap arrête la capture"},
        {true, platform::ClickReach::X11ProgramsOnly, true,
         "Sous XWayland, seuls les clics faits dans les programmes X11 sont vus"},
        {false, platform::ClickReach::EveryProgram, false, "Indisponible sous Wayland"},
    };
    for (const Case& c : cases) {
        desktop.setClicksAvailable(c.available);
        desktop.setClickReach(c.reach);
        open();
        EXPECT_EQ(entry()->isEnabled(), c.enabled) << c.saying;
        EXPECT_TRUE(entry()->toolTip().contains(QString::fromUtf8(c.saying)))
            << entry()->toolTip().toStdString();
        form.reset();
    }

    desktop.setClicksAvailable(true);
    desktop.setListenRefused(true);
    open();
    testing::BoxAnswerer answerer(QMessageBox::Ok);
    entry()->trigger();
    EXPECT_FALSE(form->clickCapture().active());
    EXPECT_FALSE(entry()->isChecked());
    ASSERT_EQ(answerer.seen().size(), 1U);
    EXPECT_TRUE(answerer.seen()[0].text.contains(QStringLiteral("écouter les clics")));
}

}  // namespace
}  // namespace pointilla::shell
