// Playback under the person's control in the main window: the stop entries and
// the Escape key, the row marker and the wait left, the tray's tooltip, and
// the number of repetitions kept in the settings.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QMessageBox>
#include <QSpinBox>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QTreeView>

#include "capture/pointer_capture.h"
#include "editing/scenario_model.h"
#include "platform/testing/recording_desktop.h"
#include "playback/playback_engine.h"
#include "settings/memory_registry_control.h"
#include "shell/form1.h"
#include "shell/repeat_dialog.h"
#include "shell/tray/tray_icon.h"
#include "test_support.h"

namespace pointilla::shell {
namespace {

using platform::testing::moveCall;

const std::string kSettingsKey = "HKEY_LOCAL_MACHINE\\software\\Pointilla\\Pointilla";
constexpr int kEscape = 0x1B;

class PlaybackControlsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        form = std::make_unique<Form1>(
            Form1Services{store, desktop, fileDialogs, "/opt/pointilla/bin", "/tmp/aide.html"});
        form->show();
    }
    QAction* action(const char* name) { return form->menuAction(QString::fromLatin1(name)); }
    // The key goes down on the desktop, wherever the focus is; the key-change
    // notifier brings it to the program.
    void pressEscape() {
        desktop.setKeyDown(kEscape, true);
        for (int i = 0; i < 50 && form->playback().playing(); ++i) {
            QApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        desktop.setKeyDown(kEscape, false);
    }

    settings::MemoryRegistryControl store;
    platform::testing::RecordingDesktop desktop;
    testing::ScriptedFileDialog fileDialogs;
    std::unique_ptr<Form1> form;
};

TEST_F(PlaybackControlsTest, EscapeDuringAWaitStopsThePlaybackAndBringsTheWindowBack) {
    store.putValue(kSettingsKey, "redlec", "1");
    form->scenarioModel().replaceAll(
        {{"Position souris", "5 , 5"}, {"D\u00e9lai", "3"}, {"Clic souris", "Clic"}});
    const QModelIndex first = form->scenarioModel().index(0, 0);
    form->LV1->selectionModel()->setCurrentIndex(
        first, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    EXPECT_EQ(action("arret")->text(), QStringLiteral("Arr\u00eater la lecture\t\u00c9chap"));
    EXPECT_EQ(action("arreticone")->text(), QStringLiteral("Arr\u00eater la lecture"));
    EXPECT_FALSE(action("arret")->isEnabled());
    EXPECT_FALSE(action("arreticone")->isEnabled());
    EXPECT_FALSE(form->pointerCapture().stopKeyArmed());

    form->start();
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(action("arret")->isEnabled());
    EXPECT_TRUE(action("arreticone")->isEnabled());
    EXPECT_TRUE(form->pointerCapture().stopKeyArmed());
    // The delay row is marked; the selection stays where the person put it.
    EXPECT_EQ(form->playingRow(), 2);
    EXPECT_EQ(form->LV1->selectionModel()->selectedRows(), QModelIndexList{first});
    EXPECT_EQ(form->waitPanel(), QStringLiteral("encore 3 s"));
    EXPECT_EQ(form->trayIcon().currentToolTip(),
              QStringLiteral("Pointilla \u2013 ligne 2 sur 3, encore 3 s"));
    QMetaObject::invokeMethod(form->Timer4, "timeout");
    EXPECT_EQ(form->waitPanel(), QStringLiteral("encore 2 s"));

    pressEscape();
    EXPECT_FALSE(form->playback().playing());
    EXPECT_FALSE(form->Timer4->isActive());
    EXPECT_EQ(form->playbackPanel(), QString());
    EXPECT_EQ(form->waitPanel(), QString());
    EXPECT_EQ(form->playingRow(), 0);
    EXPECT_EQ(form->trayIcon().currentToolTip(), QStringLiteral("Pointilla"));
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(action("arret")->isEnabled());
    EXPECT_FALSE(form->pointerCapture().stopKeyArmed());
    EXPECT_EQ(desktop.calls(), std::vector{moveCall(5, 5)});  // no click
}

TEST_F(PlaybackControlsTest, TheTrayEntryStopsAndStartPlaysTheStoredNumberOfTimes) {
    form->scenarioModel().replaceAll({{"Clic souris", "Clic"}, {"D\u00e9lai", "1"}});
    store.putValue(kSettingsKey, "repet", "3");
    form->start();
    for (int tick = 0; tick < 2; ++tick) QMetaObject::invokeMethod(form->Timer4, "timeout");
    EXPECT_EQ(desktop.calls().size(), 6U);  // three passes began
    EXPECT_EQ(form->trayIcon().currentToolTip(),
              QStringLiteral("Pointilla \u2013 ligne 2 sur 2, encore 1 s (passage 3 sur 3)"));
    action("arreticone")->trigger();
    EXPECT_FALSE(form->playback().playing());
    EXPECT_TRUE(form->playback().wasStopped());
}

TEST_F(PlaybackControlsTest, ALostDesktopEndsThePlaybackSaysWhereAndBringsTheWindowBack) {
    store.putValue(kSettingsKey, "redlec", "1");
    desktop.setOpenSucceeds(false);
    desktop.loseDesktopAtInjection(2);  // the move after the wait
    form->scenarioModel().replaceAll({{"Position souris", "5 , 5"},
                                      {"URL", "http://exemple.fr"},
                                      {"D\u00e9lai", "1"},
                                      {"Position souris", "6 , 6"},
                                      {"Clic souris", "Clic"}});
    form->start();
    // The page that could not be opened is said; the playback went on to the wait.
    EXPECT_EQ(form->SB1->currentMessage(),
              QStringLiteral("Ligne 2 : impossible de lancer l'ouverture de \u00ab "
                             "http://exemple.fr \u00bb, la lecture continue."));
    EXPECT_TRUE(form->Timer4->isActive());
    EXPECT_FALSE(form->isVisible());

    testing::BoxAnswerer answerer(QMessageBox::Ok);
    QMetaObject::invokeMethod(form->Timer4, "timeout");
    for (int i = 0; i < 100 && answerer.seen().empty(); ++i) {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    ASSERT_EQ(answerer.seen().size(), 1U);
    EXPECT_EQ(answerer.seen()[0].text,
              QStringLiteral("Le bureau ne r\u00e9pond plus : lecture arr\u00eat\u00e9e \u00e0 la "
                             "ligne 4"));
    EXPECT_EQ(answerer.seen()[0].icon, QMessageBox::Warning);
    EXPECT_FALSE(form->playback().playing());
    EXPECT_FALSE(form->Timer4->isActive());
    EXPECT_EQ(form->playbackPanel(), QString());
    EXPECT_EQ(form->playingRow(), 0);
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(action("arret")->isEnabled());
    EXPECT_EQ(desktop.calls().size(), 2U);  // the first move and the page; nothing after
}

TEST_F(PlaybackControlsTest, TheMarkedRowIsKeptInView) {
    std::vector<scenario::Row> rows(60, {"Clic souris", "Clic"});
    rows[54] = {"D\u00e9lai", "2"};
    form->scenarioModel().replaceAll(rows);
    form->start();
    ASSERT_EQ(form->playingRow(), 55);
    const QRect marked = form->LV1->visualRect(form->scenarioModel().index(54, 0));
    EXPECT_TRUE(form->LV1->viewport()->rect().contains(marked)) << marked.y();
    EXPECT_TRUE(form->LV1->selectionModel()->selectedRows().isEmpty());
}

TEST_F(PlaybackControlsTest, RepeatDialogKeepsACountOrALoopInRepet) {
    const auto answer = [](int count, bool loop) {
        QTimer::singleShot(0, [count, loop] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            dialog->findChild<QSpinBox*>(QStringLiteral("repetitionCount"))->setValue(count);
            dialog->findChild<QCheckBox*>(QStringLiteral("repetitionLoop"))->setChecked(loop);
            dialog->accept();
        });
    };
    EXPECT_EQ(action("repeter")->text(), QStringLiteral("R\u00e9p\u00e9ter la lecture..."));
    answer(9999, false);
    action("repeter")->trigger();
    EXPECT_EQ(store.value(kSettingsKey, "repet"), "9999");
    answer(1, true);
    action("repeter")->trigger();
    EXPECT_EQ(store.value(kSettingsKey, "repet"), "boucle");
    // The dialog opens on the stored choice.
    EXPECT_TRUE(RepeatDialog(playback::kLoop).loop()->isChecked());
    EXPECT_EQ(RepeatDialog(42).count()->value(), 42);
}

}  // namespace
}  // namespace pointilla::shell
