// The main window on the offscreen platform: start-up against the settings
// store, the hot-key lists and their poll, the toolbar and menus, open and save.

#include "shell/form1.h"

#include <unistd.h>

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>
#include <fstream>
#include <sstream>

#include "capture/pointer_capture.h"
#include "editing/creation_panel.h"
#include "editing/dialogs/list_commands.h"
#include "editing/scenario_model.h"
#include "platform/desktop/virtual_keys.h"
#include "platform/testing/recording_desktop.h"
#include "playback/playback_engine.h"
#include "shell/about/frm_about.h"
#include "shell/memory_registry_control.h"
#include "shell/tray/tray_icon.h"
#include "test_support.h"

using pointilla::editing::ScenarioModel;
using pointilla::platform::testing::RecordingDesktop;
using pointilla::scenario::Row;
using pointilla::shell::Form1;
using pointilla::shell::MemoryRegistryControl;
using pointilla::shell::testing::BoxAnswerer;
using pointilla::shell::testing::ScriptedFileDialog;

namespace {

const std::string kKey = "HKEY_LOCAL_MACHINE\\software\\Pointilla\\Pointilla";
const std::string kCle1 = "cl\u00e91";
const std::string kCle2 = "cl\u00e92";
const std::string kCle3 = "cl\u00e93";

using namespace pointilla::platform::vk;
constexpr int kDigit1 = topRowDigit(1);
constexpr int kKeypad1 = keypadDigit(1);
constexpr int kLetterA = letter('A');

struct Harness {
    MemoryRegistryControl store;
    RecordingDesktop desktop;
    ScriptedFileDialog dialogs;
    std::unique_ptr<Form1> form;

    void load() {
        form = std::make_unique<Form1>(pointilla::shell::Form1Services{
            store, desktop, dialogs, "/opt/pointilla/bin", "/opt/pointilla/share/aide.html"});
    }
    std::vector<Row> rows() const { return form->scenarioModel().scenario().rows(); }
    std::optional<std::string> stored(const std::string& name) const {
        return store.value(kKey, name);
    }
};

// One timeout of a timer, as if its interval had passed.
void tick(QTimer* timer) { QMetaObject::invokeMethod(timer, "timeout"); }

std::string fileBytes(const QString& path) {
    std::ifstream in(path.toStdString(), std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void writeBytes(const QString& path, const std::string& bytes) {
    std::ofstream out(path.toStdString(), std::ios::binary);
    out << bytes;
}

}  // namespace

class Form1Test : public QObject {
    Q_OBJECT

  private slots:
    void windowHasItsCaptionFixedSizeAndControls() {
        Harness h;
        h.load();
        QCOMPARE(h.form->windowTitle(), QStringLiteral("Pointilla"));
        QCOMPARE(h.form->centralWidget()->size(), QSize(513, 481));
        QVERIFY(!(h.form->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(!(h.form->windowFlags() & Qt::WindowMinimizeButtonHint));
        QCOMPARE(h.form->Frame2->geometry(), QRect(248, 48, 257, 401));
        QCOMPARE(h.form->LV1->geometry(), QRect(8, 24, 241, 369));
        QCOMPARE(h.form->Frame1->title(), QStringLiteral("Cr\u00e9ation du Sc\u00e9nario"));
        QCOMPARE(h.form->Frame3->title(), QStringLiteral("Position de la souris"));
        // The hand-over slot and the title label lie outside the client area.
        QVERIFY(h.form->Label12->x() >= h.form->centralWidget()->width());
        QVERIFY(h.form->replogiciel->x() >= h.form->centralWidget()->width());
        QCOMPARE(h.form->replogiciel->text(), QStringLiteral("Pointilla"));
        QVERIFY(h.form->Label3->font().bold());
        QCOMPARE(h.form->Label3->font().pointSizeF(), 13.5);
        QCOMPARE(h.form->Timer1->interval(), 100);
        QCOMPARE(h.form->Timer3->interval(), 200);
        QCOMPARE(h.form->Timer4->interval(), 1000);
        QVERIFY(h.form->Timer1->isActive());
        QVERIFY(h.form->Timer3->isActive());
        QVERIFY(!h.form->Timer4->isActive());
        QCOMPARE(h.form->filePanel(), QString());
        QCOMPARE(h.form->playbackPanel(), QString());

        // Fixed in size, centred on the screen when it first appears.
        h.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(h.form.get()));
        QCOMPARE(h.form->minimumSize(), h.form->maximumSize());
        const QPoint offCentre =
            h.form->frameGeometry().center() - h.form->screen()->availableGeometry().center();
        QVERIFY2(offCentre.manhattanLength() <= 2,
                 qPrintable(QStringLiteral("%1,%2").arg(offCentre.x()).arg(offCentre.y())));
    }

    void menusAndToolbarCarryTheirNamesAndCaptions() {
        Harness h;
        h.load();
        const std::pair<const char*, QString> entries[] = {
            {"ouv", QStringLiteral("Ouvrir un sc\u00e9nario")},
            {"enr", QStringLiteral("Enregistrer un sc\u00e9nario")},
            {"quit", QStringLiteral("Quitter")},
            {"redlecture", QStringLiteral("R\u00e9duire la fen\u00eatre lors d'une lecture")},
            {"aid", QStringLiteral("Aide")},
            {"apropos", QStringLiteral("A propos")},
            {"pos", QStringLiteral("Position souris")},
            {"clic", QStringLiteral("Clic souris")},
            {"dela", QStringLiteral("D\u00e9lai")},
            {"url", QStringLiteral("URL")},
            {"modi", QStringLiteral("Modifier")},
            {"supp", QStringLiteral("Supprimer")},
            {"vide", QStringLiteral("Vider le sc\u00e9nario")},
            {"aff", QStringLiteral("Afficher Pointilla")},
            {"qu", QStringLiteral("Quitter")},
        };
        for (const auto& [name, caption] : entries) {
            QAction* action = h.form->menuAction(QString::fromLatin1(name));
            QVERIFY2(action != nullptr, name);
            QCOMPARE(action->text(), caption);
        }
        for (const char* separator : {"sep1", "sep2", "sep3", "sep4"}) {
            QAction* action = h.form->menuAction(QString::fromLatin1(separator));
            QVERIFY2(action != nullptr && action->isSeparator(), separator);
        }
        // Three menus in the bar; the two pop-ups stay out of it.
        QStringList bar;
        for (QAction* action : h.form->menuBar()->actions()) bar << action->text();
        QCOMPARE(bar, (QStringList{"Fichier", "Options", "?"}));
        QCOMPARE(h.form->popupMenu()->objectName(), QStringLiteral("mnuflottant"));
        QCOMPARE(h.form->trayMenu()->objectName(), QStringLiteral("mnuIcone"));

        QStringList keys;
        for (QAction* action : h.form->TB1->actions())
            keys << (action->isSeparator() ? QStringLiteral("|") : action->data().toString());
        QCOMPARE(keys,
                 (QStringList{"start", "ouvrir", "enre", "|", "tray", "|", "aide", "quitter"}));
        QCOMPARE(h.form->toolbarButton("start")->toolTip(),
                 QStringLiteral("D\u00e9marrer la lecture du sc\u00e9nario"));
        QCOMPARE(h.form->toolbarButton("tray")->toolTip(),
                 QStringLiteral("R\u00e9duire la fen\u00eatre"));
        for (QAction* action : h.form->TB1->actions())
            QVERIFY(action->isSeparator() || !action->icon().isNull());
    }

    void firstStartWritesTheDefaultsAndShowsCtrlAlt1() {
        Harness h;
        h.load();
        QCOMPARE(h.stored(kCle1), std::optional<std::string>("1"));
        QCOMPARE(h.stored(kCle2), std::optional<std::string>("1"));
        QCOMPARE(h.stored(kCle3), std::optional<std::string>("0"));
        QCOMPARE(h.stored("Visible"), std::optional<std::string>("1"));
        QCOMPARE(h.stored("redlec"), std::optional<std::string>("0"));
        QCOMPARE(h.form->Combo1->currentText(), QStringLiteral("CTRL"));
        QCOMPARE(h.form->Combo2->currentText(), QStringLiteral("ALT"));
        QCOMPARE(h.form->Combo3->currentText(), QStringLiteral("1"));
        QCOMPARE(h.form->Combo4->currentText(), QStringLiteral("1"));
        QCOMPARE(h.form->Combo4->count(), 60);
        QVERIFY(!h.form->menuAction("redlecture")->isChecked());
    }

    void storedValuesSelectTheirEntries() {
        Harness h;
        h.store.putValue(kKey, kCle1, "0");
        h.store.putValue(kKey, kCle2, "2");
        h.store.putValue(kKey, kCle3, "5");
        h.store.putValue(kKey, "redlec", "1");
        h.load();
        QCOMPARE(h.form->Combo1->currentText(), QString());
        QCOMPARE(h.form->Combo2->currentText(), QStringLiteral("SHIFT"));
        QCOMPARE(h.form->Combo3->currentText(), QStringLiteral("6"));
        QVERIFY(h.form->menuAction("redlecture")->isChecked());
        // Start-up leaves present values alone.
        QCOMPARE(h.stored(kCle3), std::optional<std::string>("5"));
    }

    void unusableStoredIndicesFallBackToTheDefaults() {
        Harness h;
        h.store.putValue(kKey, kCle1, "abc");
        h.store.putValue(kKey, kCle2, "7");
        h.store.putValue(kKey, kCle3, "-1");
        h.load();
        QCOMPARE(h.form->Combo1->currentText(), QStringLiteral("CTRL"));
        QCOMPARE(h.form->Combo2->currentText(), QStringLiteral("ALT"));
        QCOMPARE(h.form->Combo3->currentText(), QStringLiteral("1"));
    }

    void aStoreThatCannotBeWrittenStillGivesTheDefaultHotKey() {
        Harness h;
        h.store.setReadOnly(true);
        h.load();
        QCOMPARE(h.form->Combo1->currentText(), QStringLiteral("CTRL"));
        QCOMPARE(h.form->Combo2->currentText(), QStringLiteral("ALT"));
        QCOMPARE(h.form->Combo3->currentText(), QStringLiteral("1"));
        QVERIFY(h.form->menuAction("redlecture")->isChecked());  // "" is not "0"
    }

    void pickingF5StoresItsIndex() {
        Harness h;
        h.load();
        h.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(h.form.get()));
        h.form->Combo3->setFocus();
        for (int i = 0; i < 13; ++i) QTest::keyClick(h.form->Combo3, Qt::Key_Down);
        QCOMPARE(h.form->Combo3->currentText(), QStringLiteral("F5"));
        QCOMPARE(h.stored(kCle3), std::optional<std::string>("13"));

        // The next start shows the stored choice.
        Harness next;
        next.store.putValue(kKey, kCle3, *h.stored(kCle3));
        next.load();
        QCOMPARE(next.form->Combo3->currentText(), QStringLiteral("F5"));
    }

    void redlectureToggleFollowsTheStoredValue() {
        for (const auto& [initial, afterOne, afterTwo] :
             std::vector<std::tuple<std::string, std::string, std::string>>{
                 {"0", "1", "0"}, {"1", "0", "1"}, {"oui", "oui", "oui"}}) {
            Harness h;
            h.store.putValue(kKey, "redlec", initial);
            h.load();
            QAction* option = h.form->menuAction("redlecture");
            QCOMPARE(option->isChecked(), initial != "0");
            option->trigger();
            QCOMPARE(*h.stored("redlec"), afterOne);
            QCOMPARE(option->isChecked(), afterOne != "0");
            option->trigger();
            QCOMPARE(*h.stored("redlec"), afterTwo);
            QCOMPARE(option->isChecked(), afterTwo != "0");
        }
    }

    void hotKeyPollDecidesFromTheScanTable() {
        struct Case {
            const char* name;
            int combo1;
            int combo2;
            std::vector<int> held;
            bool captures;
        };
        const Case cases[] = {
            {"stock CTRL+ALT+1", 1, 1, {kCtrl, kAlt, kDigit1}, true},
            {"stock with SHIFT too", 1, 1, {kCtrl, kAlt, kShift, kDigit1}, false},
            {"keypad 1", 1, 1, {kCtrl, kAlt, kKeypad1}, true},
            {"letter A after 1 in the scan", 1, 1, {kCtrl, kAlt, kDigit1, kLetterA}, false},
            {"nothing held", 1, 1, {}, false},
            {"ALT+1 with an empty first list", 0, 1, {kAlt, kDigit1}, true},
            {"CTRL+ALT+1 with an empty first list", 0, 1, {kCtrl, kAlt, kDigit1}, false},
            {"SHIFT choice with ALT down too", 1, 2, {kCtrl, kAlt, kShift, kDigit1}, true},
        };
        for (const Case& c : cases) {
            Harness h;
            h.load();
            h.form->Combo1->setCurrentIndex(c.combo1);
            h.form->Combo2->setCurrentIndex(c.combo2);
            h.desktop.setPointerPosition(pointilla::platform::ScreenPoint{512, 384});
            for (int key : c.held) h.desktop.setKeyDown(key, true);
            h.form->pointerCapture().refreshPointerDisplay();
            h.form->pointerCapture().pollNow();
            QCOMPARE(h.form->Label3->text(), QStringLiteral(" 512"));
            QCOMPARE(h.form->Label12->text(),
                     c.captures ? QStringLiteral(" 512 ,  384") : QString());
            // The capture timer turns a held combination into one row per tick.
            tick(h.form->Timer3);
            const std::vector<Row> expected =
                c.captures ? std::vector<Row>{{"Position souris", " 512 ,  384"}}
                           : std::vector<Row>{};
            QVERIFY2(h.rows() == expected, c.name);
            // Released: the slot empties and no more rows come.
            h.desktop.releaseAllKeys();
            h.form->pointerCapture().pollNow();
            QCOMPARE(h.form->Label12->text(), QString());
            tick(h.form->Timer3);
            QVERIFY2(h.rows() == expected, c.name);
        }
    }

    void negativeCoordinatesAreCapturedAsShown() {
        Harness h;
        h.load();
        h.desktop.setPointerPosition(pointilla::platform::ScreenPoint{-1200, 384});
        for (int key : {kCtrl, kAlt, kDigit1}) h.desktop.setKeyDown(key, true);
        h.form->pointerCapture().refreshPointerDisplay();
        QCOMPARE(h.form->Label3->text(), QStringLiteral("-1200"));
        tick(h.form->Timer3);
        QVERIFY(h.rows() == (std::vector<Row>{{"Position souris", "-1200 ,  384"}}));
    }

    void rightClickOnAListWithRowsPopsUpTheListMenu() {
        Harness h;
        h.load();
        h.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(h.form.get()));
        QWidget* area = h.form->LV1->viewport();
        QTest::mousePress(area, Qt::RightButton, {}, QPoint(5, 5));
        QVERIFY(!h.form->popupMenu()->isVisible());  // empty list: no menu
        QTest::mouseRelease(area, Qt::RightButton, {}, QPoint(5, 5));
        h.form->Command3->click();
        QTest::mousePress(area, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(area, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::keyClick(h.form->LV1, Qt::Key_Menu);
        QVERIFY(!h.form->popupMenu()->isVisible());  // left button or menu key: no menu
        QTest::mousePress(area, Qt::RightButton, {}, QPoint(5, 5));
        QTRY_VERIFY(h.form->popupMenu()->isVisible());
        h.form->popupMenu()->hide();
    }

    // Ctrl+O, Ctrl+S, F1 and Ctrl+Q show in their menus (the list's keys are
    // driven end to end).
    void menuEntriesCarryTheirShortcuts() {
        Harness h;
        h.load();
        const std::pair<const char*, QKeySequence> shortcuts[] = {
            {"ouv", QKeySequence(Qt::CTRL | Qt::Key_O)},
            {"enr", QKeySequence(Qt::CTRL | Qt::Key_S)},
            {"aid", QKeySequence(Qt::Key_F1)},
            {"quit", QKeySequence(Qt::CTRL | Qt::Key_Q)},
        };
        for (const auto& [name, keys] : shortcuts) {
            QCOMPARE(h.form->menuAction(name)->shortcut(), keys);
        }
    }

    // Both dialogs start in the folder last used, kept as "dossier"; the save
    // dialog shows the current file's name and adds ".sce" to a bare name.
    void fileDialogsKeepTheFolderAndTheName() {
        QTemporaryDir dir;
        Harness h;
        h.load();
        h.form->scenarioModel().append({"Clic souris", "Clic"});
        h.dialogs.answerSave(dir.filePath("nom"));
        h.form->enregistre();
        const QString saved = dir.filePath("nom.sce");
        QVERIFY(QFile::exists(saved));
        QCOMPARE(h.stored("dossier"), std::optional<std::string>(dir.path().toStdString()));
        h.form->menuAction("ouv")->trigger();
        QCOMPARE(h.dialogs.lastFolder(), dir.path());
        h.form->menuAction("enr")->trigger();
        QCOMPARE(h.dialogs.lastSaveName(), QStringLiteral("nom.sce"));
    }

    // The main window's 8-point font, for the dialogs and the About box too.
    void everyWindowUsesTheEightPointFont() {
        Harness h;
        h.load();
        h.form->apropos_Click();
        QCOMPARE(h.form->aboutBox()->font().pointSizeF(), 8.0);
        h.form->scenarioModel().append({"URL", "http://a"});
        h.form->LV1->setCurrentIndex(h.form->scenarioModel().index(0, 0));
        h.form->listCommands().modi_Click();
        QCOMPARE(h.form->listCommands().form2()->font().pointSizeF(), 8.0);
        QCOMPARE(QMessageBox(QMessageBox::Warning, "t", "x").font().pointSizeF(), 8.0);
    }

    void trayButtonHidesTheWindow() {
        Harness h;
        h.load();
        h.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(h.form.get()));
        h.form->toolbarButton("tray")->trigger();
        // Without a tray to come back from, the window is only minimised.
        if (h.form->trayIcon().canHideIntoTray()) {
            QVERIFY(!h.form->isVisible());
        } else {
            QVERIFY(h.form->isVisible());
            QVERIFY(h.form->isMinimized());
        }
        QVERIFY(!h.form->quitting());
    }

    void helpOpensThePageThroughTheDesktop() {
        Harness h;
        h.load();
        h.form->toolbarButton("aide")->trigger();
        h.form->menuAction("aid")->trigger();
        using pointilla::platform::testing::openCall;
        const auto expected = openCall("/opt/pointilla/share/aide.html", "/opt/pointilla/bin");
        QCOMPARE(h.desktop.calls().size(), std::size_t{2});
        QVERIFY(h.desktop.calls()[0] == expected);
        QVERIFY(h.desktop.calls()[1] == expected);
    }

    void startPlaysFromTheFirstRowAndHidesWhenAsked() {
        Harness h;
        h.store.putValue(kKey, "redlec", "1");
        h.load();
        h.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(h.form.get()));
        h.form->scenarioModel().append({"Position souris", " 200 ,  300"});
        h.form->scenarioModel().append({"D\u00e9lai", "1"});
        h.form->toolbarButton("start")->trigger();
        QVERIFY(!h.form->isVisible());
        QCOMPARE(h.form->playbackPanel(), QStringLiteral("Lecture en cours..."));
        QVERIFY(h.form->Timer4->isActive());
        QCOMPARE(h.form->playback().numligne(), 2);
        QVERIFY(h.desktop.calls() == std::vector{pointilla::platform::testing::moveCall(200, 300)});
        QTRY_COMPARE_WITH_TIMEOUT(h.form->playbackPanel(), QString(), 3000);
        QVERIFY(!h.form->Timer4->isActive());
    }

    void startWithAnEmptyListChangesNothing() {
        Harness h;
        h.store.putValue(kKey, "redlec", "1");
        h.load();
        h.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(h.form.get()));
        h.form->start();
        QVERIFY(h.form->isVisible());
        QCOMPARE(h.form->playbackPanel(), QString());
    }

    void openReplacesTheRowsOnlyOnceAFileWasRead() {
        QTemporaryDir dir;
        const QString good = dir.filePath("deux.sce");
        writeBytes(good,
                   "Clic souris\xa4"
                   "Clic\xa4\r\nD\xe9lai\xa4"
                   "5\xa4"
                   "anything\r\n");
        const QString before = dir.filePath("avant.sce");
        writeBytes(before, "URL\xa4http://avant\xa4\r\n");
        Harness h;
        h.load();
        h.form->openFile(before);

        // Cancelled: nothing changes.
        h.dialogs.answerOpen(std::nullopt);
        h.form->menuAction("ouv")->trigger();
        QVERIFY(h.rows() == (std::vector<Row>{{"URL", "http://avant"}}));
        QCOMPARE(h.form->filePanel(), QStringLiteral("avant.sce"));

        // A file that cannot be read: a message, nothing changes.
        {
            BoxAnswerer answerer(QMessageBox::Ok);
            h.dialogs.answerOpen(dir.filePath("absent.sce"));
            h.form->toolbarButton("ouvrir")->trigger();
            QCOMPARE(answerer.seen().size(), std::size_t{1});
            QVERIFY(answerer.seen()[0].text.contains(QStringLiteral("absent.sce")));
        }
        QVERIFY(h.rows() == (std::vector<Row>{{"URL", "http://avant"}}));
        QCOMPARE(h.form->filePanel(), QStringLiteral("avant.sce"));

        // Read: replaced, never merged, and panel 1 names the file.
        h.dialogs.answerOpen(good);
        h.form->menuAction("ouv")->trigger();
        QVERIFY(h.rows() == (std::vector<Row>{{"Clic souris", "Clic"}, {"D\u00e9lai", "5"}}));
        QCOMPARE(h.form->filePanel(), QStringLiteral("deux.sce"));
    }

    void openKeepsTheRowsBeforeABadLineAndAppliesHeaderCaptions() {
        QTemporaryDir dir;
        const QString file = dir.filePath("coupe.sce");
        writeBytes(file,
                   "[Page :\xa4"
                   "Clic :X\xa4\r\nClic souris\xa4"
                   "Clic\xa4\r\n\r\nURL\xa4http://perdu\xa4\r\n");
        Harness h;
        h.load();
        BoxAnswerer answerer(QMessageBox::Ok);
        h.dialogs.answerOpen(file);
        h.form->ouvrir();
        QVERIFY(h.rows() == (std::vector<Row>{{"Clic souris", "Clic"}}));
        QCOMPARE(h.form->filePanel(), QStringLiteral("coupe.sce"));
        QCOMPARE(h.form->Label8->text(), QStringLiteral("Page :"));
        QCOMPARE(h.form->Label9->text(), QStringLiteral("Clic :"));
        QCOMPARE(h.form->Label1->text(), QStringLiteral("Clic :"));
        QCOMPARE(answerer.seen().size(), std::size_t{1});
        QVERIFY(answerer.seen()[0].text.contains(QStringLiteral("ligne 3")));
    }

    void saveWritesTheRowsAndNothingForAnEmptyScenario() {
        QTemporaryDir dir;
        Harness h;
        h.load();
        h.form->menuAction("enr")->trigger();  // empty: no dialog at all
        QCOMPARE(h.dialogs.saveAsked(), 0);

        h.form->scenarioModel().append({"Position souris", " 512 ,  384"});
        h.form->Command1->click();
        h.dialogs.answerSave(std::nullopt);  // cancelled: nothing written
        h.form->toolbarButton("enre")->trigger();
        QCOMPARE(h.dialogs.saveAsked(), 1);

        const QString target = dir.filePath("deux.sce");
        h.dialogs.answerSave(target);
        h.form->toolbarButton("enre")->trigger();
        QCOMPARE(fileBytes(target), std::string("Position souris\xa4 512 ,  384\xa4\r\n"
                                                "D\xe9"
                                                "lai\xa4"
                                                "1\xa4\r\n"));
        QCOMPARE(h.form->filePanel(), QString());  // saving leaves panel 1 alone
    }

    void aSaveThatCannotReplaceTheTargetSaysWhy() {
        QTemporaryDir dir;
        const QString target = dir.filePath("dossier.sce");
        QVERIFY(QDir().mkdir(target));
        QVERIFY(QDir().mkdir(target + "/dedans"));  // a folder in the way of the rename
        Harness h;
        h.load();
        h.form->Command3->click();
        BoxAnswerer answerer(QMessageBox::Ok);
        h.dialogs.answerSave(target);
        h.form->enregistre();
        QCOMPARE(answerer.seen().size(), std::size_t{1});
        QVERIFY(answerer.seen()[0].text.startsWith(QStringLiteral("Impossible d'enregistrer")));
        QVERIFY(QFileInfo(target + "/dedans").isDir());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    void aFailedSaveSaysWhyAndLeavesTheOldFile() {
        QTemporaryDir dir;
        const QString target = dir.filePath("ancien.sce");
        writeBytes(target, "ancien contenu");
        QFile::setPermissions(target, QFileDevice::ReadOwner);  // read-only, even for root

        Harness h;
        h.load();
        h.form->Command3->click();
        BoxAnswerer answerer(QMessageBox::Ok);
        h.dialogs.answerSave(target);
        h.form->enregistre();
        QCOMPARE(answerer.seen().size(), std::size_t{1});
        QVERIFY(answerer.seen()[0].text.startsWith(QStringLiteral("Impossible d'enregistrer")));
        QVERIFY(answerer.seen()[0].text.contains(QStringLiteral("ancien.sce")));
        QVERIFY(answerer.seen()[0].text.contains(QStringLiteral("permission refus\u00e9e")));
        QCOMPARE(answerer.seen()[0].icon, QMessageBox::Warning);
        QCOMPARE(fileBytes(target), std::string("ancien contenu"));
    }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
