// The list commands, the tray icon and the About box as the main window wires
// them: through its own menus, at start-up and at a confirmed quit.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTreeView>

#include "editing/dialogs/list_commands.h"
#include "editing/scenario_model.h"
#include "platform/testing/recording_desktop.h"
#include "settings/memory_registry_control.h"
#include "shell/about/frm_about.h"
#include "shell/form1.h"
#include "shell/tray/tray_icon.h"
#include "test_support.h"

namespace pointilla::shell {
namespace {

const std::string kSettingsKey = "HKEY_LOCAL_MACHINE\\software\\Pointilla\\Pointilla";

// Counts the times a window is hidden.
class HideCounter final : public QObject {
  public:
    explicit HideCounter(QWidget& window) { window.installEventFilter(this); }
    int count = 0;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Hide) ++count;
        return QObject::eventFilter(watched, event);
    }
};

class Form1WiringTest : public ::testing::Test {
  protected:
    void SetUp() override { load(); }

    void load() {
        form = std::make_unique<Form1>(
            Form1Services{store, desktop, fileDialogs, "/opt/pointilla/bin", "/tmp/aide.html"});
        form->show();
    }
    void select(int n) {
        form->LV1->selectionModel()->setCurrentIndex(
            form->scenarioModel().index(n - 1, 0),
            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    void trigger(const char* name) {
        QAction* action = form->menuAction(QString::fromLatin1(name));
        ASSERT_NE(action, nullptr) << name;
        action->trigger();
    }
    std::vector<scenario::Row> rows() const { return form->scenarioModel().scenario().rows(); }

    settings::MemoryRegistryControl store;
    platform::testing::RecordingDesktop desktop;
    testing::ScriptedFileDialog fileDialogs;
    std::unique_ptr<Form1> form;
};

TEST_F(Form1WiringTest, PopUpEntriesActOnTheListAndViderBlanksTheFileName) {
    form->scenarioModel().replaceAll({{"URL", "http://a.example/"}, {"URL", "http://b.example/"}});
    form->setFilePanel(QStringLiteral("essai.sce"));
    select(2);
    trigger("clic");
    ASSERT_EQ(rows().size(), 3U);
    EXPECT_EQ(rows()[1], scenario::clickRow());

    trigger("supp");  // the selection stayed on the second address
    ASSERT_EQ(rows().size(), 2U);
    EXPECT_EQ(rows()[1], scenario::clickRow());

    {
        // The rows were never saved: "Non" to the question empties them all the same.
        testing::BoxAnswerer answerer(QMessageBox::No);
        trigger("vide");
        EXPECT_EQ(answerer.seen().size(), 1U);
    }
    EXPECT_TRUE(rows().empty());
    EXPECT_EQ(form->filePanel(), QString());
}

TEST_F(Form1WiringTest, DialogsOpenOverTheMainWindow) {
    form->scenarioModel().replaceAll({{"URL", "http://a.example/"}});
    select(1);
    trigger("modi");
    ASSERT_NE(form->listCommands().form2(), nullptr);
    EXPECT_EQ(form->listCommands().form2()->parentWidget(), form.get());
    EXPECT_EQ(form->listCommands().form2()->Text1->text(), QStringLiteral("http://a.example/"));
    trigger("pos");
    ASSERT_NE(form->listCommands().form3(), nullptr);
    EXPECT_EQ(form->listCommands().form3()->shownFrame(),
              editing::dialogs::ItemDialog::Frame::Position);
}

TEST_F(Form1WiringTest, AProposShowsOneModelessAboutBoxTitledFromTheTitleLabel) {
    trigger("apropos");
    frmAbout* about = form->aboutBox();
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isVisible());
    EXPECT_FALSE(about->isModal());
    EXPECT_EQ(about->lblTitle->text(), form->replogiciel->text());
    trigger("apropos");
    EXPECT_EQ(form->aboutBox(), about);

    about->cmdOK->click();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(form->aboutBox(), nullptr);
    trigger("apropos");
    EXPECT_NE(form->aboutBox(), nullptr);
}

TEST_F(Form1WiringTest, StartUpAddsTheTrayIconWithTheWindowsIcon) {
    const TrayIcon& tray = form->trayIcon();
    EXPECT_TRUE(tray.isAdded());
    EXPECT_EQ(tray.systemTrayIcon().toolTip(), QStringLiteral("Pointilla"));
    for (const int size : {16, 32, 48}) {
        EXPECT_TRUE(form->windowIcon().availableSizes().contains(QSize(size, size))) << size;
    }
    EXPECT_EQ(tray.systemTrayIcon().icon().cacheKey(), form->windowIcon().cacheKey());
    EXPECT_EQ(&tray.menu(), form->trayMenu());
}

TEST_F(Form1WiringTest, ConfirmedQuitRemovesTheIconThenClosesTheOtherWindows) {
    form->scenarioModel().replaceAll({{"URL", "http://a.example/"}});
    select(1);
    trigger("modi");
    trigger("url");
    trigger("apropos");
    emit form->quitConfirmed();
    QApplication::processEvents();
    EXPECT_FALSE(form->trayIcon().isAdded());
    EXPECT_EQ(form->listCommands().form2(), nullptr);
    EXPECT_EQ(form->listCommands().form3(), nullptr);
    EXPECT_TRUE(form->aboutBox() == nullptr || !form->aboutBox()->isVisible());
    EXPECT_EQ(rows(), (std::vector<scenario::Row>{{"URL", "http://a.example/"}}));
}

TEST_F(Form1WiringTest, WithoutATrayAPlaybackThatHidTheWindowShowsItAgain) {
    ASSERT_FALSE(form->trayIcon().canHideIntoTray()) << "the offscreen platform has no tray";
    store.putValue(kSettingsKey, "redlec", "1");
    form->scenarioModel().replaceAll({scenario::clickRow()});
    HideCounter hides(*form);
    desktop.clearCalls();
    form->start();
    EXPECT_EQ(hides.count, 1);  // it was hidden while the click was played...
    EXPECT_EQ(desktop.calls().size(), 2U);
    EXPECT_TRUE(form->isVisible());  // ...and is back now
    EXPECT_FALSE(form->isMinimized());
}

TEST_F(Form1WiringTest, APlaybackThatKeepsTheWindowDoesNotTouchIt) {
    store.putValue(kSettingsKey, "redlec", "0");
    form->scenarioModel().replaceAll({scenario::clickRow()});
    HideCounter hides(*form);
    form->start();
    EXPECT_EQ(hides.count, 0);
    EXPECT_TRUE(form->isVisible());
}

}  // namespace
}  // namespace pointilla::shell
