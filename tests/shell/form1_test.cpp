// The main window on the offscreen platform: start-up against the settings
// store, the hot-key lists and their poll, the toolbar and menus, open and save.

#include "shell/form1.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

#include "capture/pointer_capture.h"
#include "editing/creation_panel.h"
#include "editing/dialogs/list_commands.h"
#include "editing/scenario_model.h"
#include "platform/desktop/virtual_keys.h"
#include "platform/testing/recording_desktop.h"
#include "playback/playback_engine.h"
#include "settings/memory_registry_control.h"
#include "shell/about/frm_about.h"
#include "shell/help_page.h"
#include "shell/tray/tray_icon.h"
#include "support/qt_checks.h"
#include "support/temp_dir.h"
#include "test_support.h"

using pointilla::platform::testing::RecordingDesktop;
using pointilla::scenario::Row;
using pointilla::settings::MemoryRegistryControl;
using pointilla::shell::Form1;
using pointilla::shell::testing::BoxAnswerer;
using pointilla::shell::testing::qtPath;
using pointilla::shell::testing::ScriptedFileDialog;
using pointilla::testing::TempDir;

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
    TempDir share;
    std::filesystem::path helpPage = share.file("aide pointilla.html", "<html></html>");
    MemoryRegistryControl store;
    RecordingDesktop desktop;
    ScriptedFileDialog dialogs;
    std::unique_ptr<Form1> form;

    void load() {
        form = std::make_unique<Form1>(pointilla::shell::Form1Services{
            store, desktop, dialogs, "/opt/pointilla/bin", helpPage});
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

TEST(Form1, WindowHasItsCaptionFixedSizeAndControls) {
    Harness h;
    h.load();
    ASSERT_EQ(h.form->windowTitle(), QStringLiteral("Pointilla"));
    ASSERT_EQ(h.form->centralWidget()->size(), QSize(513, 481));
    ASSERT_TRUE(!(h.form->windowFlags() & Qt::WindowMaximizeButtonHint));
    ASSERT_TRUE(!(h.form->windowFlags() & Qt::WindowMinimizeButtonHint));
    ASSERT_EQ(h.form->Frame2->geometry(), QRect(248, 48, 257, 401));
    ASSERT_EQ(h.form->LV1->geometry(), QRect(8, 24, 241, 369));
    ASSERT_EQ(h.form->Frame1->title(), QStringLiteral("Cr\u00e9ation du Sc\u00e9nario"));
    ASSERT_EQ(h.form->Frame3->title(), QStringLiteral("Position de la souris"));
    // The hand-over slot and the title label lie outside the client area.
    ASSERT_TRUE(h.form->Label12->x() >= h.form->centralWidget()->width());
    ASSERT_TRUE(h.form->replogiciel->x() >= h.form->centralWidget()->width());
    ASSERT_EQ(h.form->replogiciel->text(), QStringLiteral("Pointilla"));
    ASSERT_TRUE(h.form->Label3->font().bold());
    ASSERT_EQ(h.form->Label3->font().pointSizeF(), 13.5);
    ASSERT_EQ(h.form->Timer1->interval(), 100);
    ASSERT_EQ(h.form->Timer3->interval(), 200);
    ASSERT_EQ(h.form->Timer4->interval(), 1000);
    ASSERT_TRUE(h.form->Timer1->isActive());
    ASSERT_TRUE(h.form->Timer3->isActive());
    ASSERT_FALSE(h.form->Timer4->isActive());
    ASSERT_EQ(h.form->filePanel(), QString());
    ASSERT_EQ(h.form->playbackPanel(), QString());

    // Fixed in size, centred on the screen when it first appears.
    h.form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(h.form.get()));
    ASSERT_EQ(h.form->minimumSize(), h.form->maximumSize());
    const QPoint offCentre =
        h.form->frameGeometry().center() - h.form->screen()->availableGeometry().center();
    ASSERT_TRUE(offCentre.manhattanLength() <= 2)
        << qPrintable(QStringLiteral("%1,%2").arg(offCentre.x()).arg(offCentre.y()));
}

TEST(Form1, MenusAndToolbarCarryTheirNamesAndCaptions) {
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
        ASSERT_TRUE(action != nullptr) << name;
        ASSERT_EQ(action->text(), caption);
    }
    for (const char* separator : {"sep1", "sep2", "sep3", "sep4"}) {
        QAction* action = h.form->menuAction(QString::fromLatin1(separator));
        ASSERT_TRUE(action != nullptr && action->isSeparator()) << separator;
    }
    // Three menus in the bar; the two pop-ups stay out of it.
    QStringList bar;
    for (QAction* action : h.form->menuBar()->actions()) bar << action->text();
    ASSERT_EQ(bar, (QStringList{"&Fichier", "&Options", "&?"}));  // Alt+F, Alt+O, Alt+?
    ASSERT_EQ(h.form->popupMenu()->objectName(), QStringLiteral("mnuflottant"));
    ASSERT_EQ(h.form->trayMenu()->objectName(), QStringLiteral("mnuIcone"));

    QStringList keys;
    for (QAction* action : h.form->TB1->actions())
        keys << (action->isSeparator() ? QStringLiteral("|") : action->data().toString());
    ASSERT_EQ(keys, (QStringList{"start", "ouvrir", "enre", "|", "tray", "|", "aide", "quitter"}));
    ASSERT_EQ(h.form->toolbarButton("start")->toolTip(),
              QStringLiteral("D\u00e9marrer la lecture du sc\u00e9nario"));
    ASSERT_EQ(h.form->toolbarButton("tray")->toolTip(),
              QStringLiteral("R\u00e9duire la fen\u00eatre"));
    for (QAction* action : h.form->TB1->actions())
        ASSERT_TRUE(action->isSeparator() || !action->icon().isNull());
}

TEST(Form1, FirstStartWritesTheDefaultsAndShowsCtrlAlt1) {
    Harness h;
    h.load();
    ASSERT_EQ(h.stored(kCle1), std::optional<std::string>("1"));
    ASSERT_EQ(h.stored(kCle2), std::optional<std::string>("1"));
    ASSERT_EQ(h.stored(kCle3), std::optional<std::string>("0"));
    ASSERT_EQ(h.stored("Visible"), std::optional<std::string>("1"));
    ASSERT_EQ(h.stored("redlec"), std::optional<std::string>("0"));
    ASSERT_EQ(h.form->Combo1->currentText(), QStringLiteral("CTRL"));
    ASSERT_EQ(h.form->Combo2->currentText(), QStringLiteral("ALT"));
    ASSERT_EQ(h.form->Combo3->currentText(), QStringLiteral("1"));
    ASSERT_EQ(h.form->Combo4->currentText(), QStringLiteral("1"));
    ASSERT_EQ(h.form->Combo4->count(), 60);
    ASSERT_TRUE(!h.form->menuAction("redlecture")->isChecked());
}

TEST(Form1, StoredValuesSelectTheirEntries) {
    Harness h;
    h.store.putValue(kKey, kCle1, "0");
    h.store.putValue(kKey, kCle2, "2");
    h.store.putValue(kKey, kCle3, "5");
    h.store.putValue(kKey, "redlec", "1");
    h.load();
    ASSERT_EQ(h.form->Combo1->currentText(), QString());
    ASSERT_EQ(h.form->Combo2->currentText(), QStringLiteral("SHIFT"));
    ASSERT_EQ(h.form->Combo3->currentText(), QStringLiteral("6"));
    ASSERT_TRUE(h.form->menuAction("redlecture")->isChecked());
    // Start-up leaves present values alone.
    ASSERT_EQ(h.stored(kCle3), std::optional<std::string>("5"));
}

TEST(Form1, UnusableStoredIndicesFallBackToTheDefaults) {
    Harness h;
    h.store.putValue(kKey, kCle1, "abc");
    h.store.putValue(kKey, kCle2, "7");
    h.store.putValue(kKey, kCle3, "-1");
    h.load();
    ASSERT_EQ(h.form->Combo1->currentText(), QStringLiteral("CTRL"));
    ASSERT_EQ(h.form->Combo2->currentText(), QStringLiteral("ALT"));
    ASSERT_EQ(h.form->Combo3->currentText(), QStringLiteral("1"));
}

TEST(Form1, AStoreThatCannotBeWrittenStillGivesTheDefaultHotKey) {
    Harness h;
    h.store.setReadOnly(true);
    h.load();
    ASSERT_EQ(h.form->Combo1->currentText(), QStringLiteral("CTRL"));
    ASSERT_EQ(h.form->Combo2->currentText(), QStringLiteral("ALT"));
    ASSERT_EQ(h.form->Combo3->currentText(), QStringLiteral("1"));
    ASSERT_TRUE(h.form->menuAction("redlecture")->isChecked());  // "" is not "0"
}

TEST(Form1, PickingF5StoresItsIndex) {
    Harness h;
    h.load();
    h.form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(h.form.get()));
    h.form->Combo3->setFocus();
    for (int i = 0; i < 13; ++i) QTest::keyClick(h.form->Combo3, Qt::Key_Down);
    ASSERT_EQ(h.form->Combo3->currentText(), QStringLiteral("F5"));
    ASSERT_EQ(h.stored(kCle3), std::optional<std::string>("13"));

    // The next start shows the stored choice.
    Harness next;
    next.store.putValue(kKey, kCle3, *h.stored(kCle3));
    next.load();
    ASSERT_EQ(next.form->Combo3->currentText(), QStringLiteral("F5"));
}

TEST(Form1, RedlectureToggleFollowsTheStoredValue) {
    for (const auto& [initial, afterOne, afterTwo] :
         std::vector<std::tuple<std::string, std::string, std::string>>{
             {"0", "1", "0"}, {"1", "0", "1"}, {"oui", "oui", "oui"}}) {
        Harness h;
        h.store.putValue(kKey, "redlec", initial);
        h.load();
        QAction* option = h.form->menuAction("redlecture");
        ASSERT_EQ(option->isChecked(), initial != "0");
        option->trigger();
        ASSERT_EQ(*h.stored("redlec"), afterOne);
        ASSERT_EQ(option->isChecked(), afterOne != "0");
        option->trigger();
        ASSERT_EQ(*h.stored("redlec"), afterTwo);
        ASSERT_EQ(option->isChecked(), afterTwo != "0");
    }
}

TEST(Form1, HotKeyPollDecidesFromTheScanTable) {
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
        ASSERT_EQ(h.form->Label3->text(), QStringLiteral(" 512"));
        ASSERT_EQ(h.form->Label12->text(), c.captures ? QStringLiteral(" 512 ,  384") : QString());
        // The capture timer turns a held combination into one row per tick.
        tick(h.form->Timer3);
        const std::vector<Row> expected =
            c.captures ? std::vector<Row>{{"Position souris", " 512 ,  384"}} : std::vector<Row>{};
        ASSERT_TRUE(h.rows() == expected) << c.name;
        // Released: the slot empties and no more rows come.
        h.desktop.releaseAllKeys();
        h.form->pointerCapture().pollNow();
        ASSERT_EQ(h.form->Label12->text(), QString());
        tick(h.form->Timer3);
        ASSERT_TRUE(h.rows() == expected) << c.name;
    }
}

TEST(Form1, NegativeCoordinatesAreCapturedAsShown) {
    Harness h;
    h.load();
    h.desktop.setPointerPosition(pointilla::platform::ScreenPoint{-1200, 384});
    for (int key : {kCtrl, kAlt, kDigit1}) h.desktop.setKeyDown(key, true);
    h.form->pointerCapture().refreshPointerDisplay();
    ASSERT_EQ(h.form->Label3->text(), QStringLiteral("-1200"));
    tick(h.form->Timer3);
    ASSERT_TRUE(h.rows() == (std::vector<Row>{{"Position souris", "-1200 ,  384"}}));
}

TEST(Form1, RightClickOnAListWithRowsPopsUpTheListMenu) {
    Harness h;
    h.load();
    h.form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(h.form.get()));
    QWidget* area = h.form->LV1->viewport();
    QTest::mousePress(area, Qt::RightButton, {}, QPoint(5, 5));
    ASSERT_FALSE(h.form->popupMenu()->isVisible());  // empty list: no menu
    QTest::mouseRelease(area, Qt::RightButton, {}, QPoint(5, 5));
    h.form->Command3->click();
    QTest::mousePress(area, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(area, Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_FALSE(h.form->popupMenu()->isVisible());  // left button: no menu
    QTest::mousePress(area, Qt::RightButton, {}, QPoint(5, 5));
    ASSERT_EVENTUALLY(h.form->popupMenu()->isVisible(), 5000);
    h.form->popupMenu()->hide();
}

// The menu key and Shift+F10 open the list's menu at the selected row, over a
// list that holds rows.
TEST(Form1, MenuKeyAndShiftF10PopUpTheListMenuAtTheSelectedRow) {
    const std::pair<Qt::Key, Qt::KeyboardModifiers> keys[] = {{Qt::Key_Menu, Qt::NoModifier},
                                                              {Qt::Key_F10, Qt::ShiftModifier}};
    for (const auto& [key, modifiers] : keys) {
        Harness h;
        h.load();
        h.form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(h.form.get()));
        QTest::keyClick(h.form->LV1, key, modifiers);
        ASSERT_FALSE(h.form->popupMenu()->isVisible()) << key;  // empty list
        for (int i = 0; i < 3; ++i) h.form->Command3->click();
        h.form->LV1->setCurrentIndex(h.form->scenarioModel().index(2, 0));
        QTest::keyClick(h.form->LV1, key, modifiers);
        ASSERT_EVENTUALLY(h.form->popupMenu()->isVisible(), 5000);
        const QRect row = h.form->LV1->visualRect(h.form->LV1->currentIndex());
        const QPoint rowBottom = h.form->LV1->viewport()->mapToGlobal(row.bottomLeft());
        ASSERT_LE(std::abs(h.form->popupMenu()->pos().y() - rowBottom.y()), 2) << key;
        h.form->popupMenu()->hide();
    }
}

// Ctrl+O, Ctrl+S, F1 and Ctrl+Q show in their menus (the list's keys are
// driven end to end).
TEST(Form1, MenuEntriesCarryTheirShortcuts) {
    Harness h;
    h.load();
    const std::pair<const char*, QKeySequence> shortcuts[] = {
        {"ouv", QKeySequence(Qt::CTRL | Qt::Key_O)},
        {"enr", QKeySequence(Qt::CTRL | Qt::Key_S)},
        {"aid", QKeySequence(Qt::Key_F1)},
        {"quit", QKeySequence(Qt::CTRL | Qt::Key_Q)},
        {"demarrer", QKeySequence(Qt::Key_F5)},
        {"annuler", QKeySequence(Qt::CTRL | Qt::Key_Z)},
        {"retablir", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
    };
    for (const auto& [name, keys] : shortcuts) {
        ASSERT_EQ(h.form->menuAction(name)->shortcut(), keys);
    }
    ASSERT_TRUE(
        h.form->menuAction("retablir")->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_Y)));
}

// Alt and the underlined letter open their menu; F10 the first one.
TEST(Form1, AltLetterAndF10OpenTheMenus) {
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* menu;
    };
    const Case cases[] = {{Qt::Key_F, Qt::AltModifier, "fichi"},
                          {Qt::Key_O, Qt::AltModifier, "options"},
                          {Qt::Key_F10, Qt::NoModifier, "fichi"}};
    for (const Case& c : cases) {
        Harness h;
        h.load();
        h.form->show();
        QApplication::setActiveWindow(h.form.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(h.form.get()));
        h.form->LV1->setFocus();
        QTest::keyClick(h.form->LV1, c.key, c.modifiers);
        auto* menu = h.form->findChild<QMenu*>(QString::fromLatin1(c.menu));
        ASSERT_EVENTUALLY(menu->isVisible(), 5000);
        menu->hide();
    }
}

// Each language gets its own help page where the build lays it out, and every
// shortcut a menu shows is explained there, so the page and the menus cannot
// drift apart.
TEST(Form1, HelpPageOfEachLanguageNamesEveryShortcutTheMenusShow) {
    using pointilla::language::Language;
    struct Case {
        Language language;
        const char* htmlTag;
        std::map<QString, QString> keyWords;  // the window's word for a key -> the page's
    };
    const Case cases[] = {
        {Language::French, "<html lang=\"fr\">", {}},
        {Language::English,
         "<html lang=\"en\">",
         {{QStringLiteral("\u00c9chap"), QStringLiteral("Esc")}}},
    };
    Harness h;
    h.load();
    QStringList shown;
    for (QMenu* menu : {h.form->fichi, h.form->options, h.form->ap, h.form->popupMenu()}) {
        for (QAction* action : menu->actions()) {
            for (const QKeySequence& keys : action->shortcuts()) {
                shown << keys.toString(QKeySequence::NativeText);
            }
            // A key watched elsewhere is shown after a tab ("\u00c9chap").
            const QString text = action->text();
            if (text.contains(QLatin1Char('\t'))) shown << text.section(QLatin1Char('\t'), 1);
        }
    }
    ASSERT_GE(shown.size(), 9);
    for (const Case& c : cases) {
        const std::filesystem::path path =
            pointilla::shell::helpPage(POINTILLA_BIN_DIR, c.language);
        QFile file(qtPath(path));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path;
        const QString page = QString::fromUtf8(file.readAll());
        EXPECT_TRUE(page.contains(QLatin1String(c.htmlTag))) << path;
        for (const QString& keys : shown) {
            const auto word = c.keyWords.find(keys);
            const QString pageKeys = word == c.keyWords.end() ? keys : word->second;
            EXPECT_TRUE(page.contains(QStringLiteral("<kbd>%1</kbd>").arg(pageKeys)))
                << path << ": " << pageKeys.toStdString();
        }
    }
}

// F5 plays from the first row, as the toolbar's start does.
TEST(Form1, F5StartsThePlayback) {
    Harness h;
    h.load();
    h.form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(h.form.get()));
    h.form->scenarioModel().append({"Position souris", "7 ,  8"});
    h.form->LV1->setFocus();
    QTest::keyClick(h.form->LV1, Qt::Key_F5);
    using pointilla::platform::testing::moveCall;
    ASSERT_EQ(h.desktop.calls().size(), std::size_t{1});
    ASSERT_TRUE(h.desktop.calls()[0] == moveCall(7, 8));
}

// Ctrl+Z, Ctrl+Shift+Z and Ctrl+Y take back and make again a change, from the
// list and from the window's other controls; the entries follow what can be done.
TEST(Form1, UndoAndRedoKeysFollowTheHistory) {
    Harness h;
    h.load();
    h.form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(h.form.get()));
    QAction* undo = h.form->menuAction("annuler");
    QAction* redo = h.form->menuAction("retablir");
    ASSERT_FALSE(undo->isEnabled());
    ASSERT_TRUE(h.form->popupMenu()->actions().contains(undo));
    ASSERT_TRUE(h.form->popupMenu()->actions().contains(redo));
    h.form->Command3->click();
    h.form->Command1->click();
    ASSERT_TRUE(undo->isEnabled());
    const std::pair<QWidget*, QKeySequence> presses[] = {
        {h.form->LV1, QKeySequence(Qt::CTRL | Qt::Key_Z)},
        {h.form->Combo4, QKeySequence(Qt::CTRL | Qt::Key_Z)},
        {h.form->LV1, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
        {h.form->Combo4, QKeySequence(Qt::CTRL | Qt::Key_Y)},
    };
    const std::size_t expected[] = {1, 0, 1, 2};
    for (std::size_t i = 0; i < std::size(presses); ++i) {
        presses[i].first->setFocus();
        QTest::keySequence(presses[i].first, presses[i].second);
        ASSERT_EQ(h.rows().size(), expected[i]) << presses[i].second.toString().toStdString();
    }
    ASSERT_FALSE(redo->isEnabled());
    // A text box keeps its own Ctrl+Z.
    h.form->Text1->setFocus();
    QTest::keyClicks(h.form->Text1, "x");
    QTest::keySequence(h.form->Text1, QKeySequence(Qt::CTRL | Qt::Key_Z));
    ASSERT_EQ(h.rows().size(), std::size_t{2});
    ASSERT_EQ(h.form->Text1->text(), QStringLiteral("http://"));
}

// Both dialogs start in the folder last used, kept as "dossier"; the save
// dialog shows the current file's name and adds ".sce" to a bare name.
TEST(Form1, FileDialogsKeepTheFolderAndTheName) {
    const TempDir dir;
    Harness h;
    h.load();
    h.form->scenarioModel().append({"Clic souris", "Clic"});
    h.dialogs.answerSave(qtPath(dir.path() / "nom"));
    h.form->enregistre();
    const QString saved = qtPath(dir.path() / "nom.sce");
    ASSERT_TRUE(QFile::exists(saved));
    ASSERT_EQ(h.stored("dossier"), std::optional<std::string>(dir.str()));
    h.form->menuAction("ouv")->trigger();
    ASSERT_EQ(h.dialogs.lastFolder(), qtPath(dir.path()));
    h.form->menuAction("enr")->trigger();
    ASSERT_EQ(h.dialogs.lastSaveName(), QStringLiteral("nom.sce"));
}

// The main window's 8-point font, for the dialogs and the About box too.
TEST(Form1, EveryWindowUsesTheEightPointFont) {
    Harness h;
    h.load();
    h.form->apropos_Click();
    ASSERT_EQ(h.form->aboutBox()->font().pointSizeF(), 8.0);
    h.form->scenarioModel().append({"URL", "http://a"});
    h.form->LV1->setCurrentIndex(h.form->scenarioModel().index(0, 0));
    h.form->listCommands().modi_Click();
    ASSERT_EQ(h.form->listCommands().form2()->font().pointSizeF(), 8.0);
    ASSERT_EQ(QMessageBox(QMessageBox::Warning, "t", "x").font().pointSizeF(), 8.0);
}

TEST(Form1, TrayButtonHidesTheWindow) {
    Harness h;
    h.load();
    h.form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(h.form.get()));
    h.form->toolbarButton("tray")->trigger();
    // Without a tray to come back from, the window is only minimised.
    if (h.form->trayIcon().canHideIntoTray()) {
        ASSERT_FALSE(h.form->isVisible());
    } else {
        ASSERT_TRUE(h.form->isVisible());
        ASSERT_TRUE(h.form->isMinimized());
    }
    ASSERT_FALSE(h.form->quitting());
}

// The page goes to the desktop's handler from the menu and the toolbar; a
// page that is missing or that nothing could show is said in a box.
TEST(Form1, HelpOpensThePageOrSaysWhyNot) {
    struct Case {
        const char* name;
        bool pageThere;
        bool opens;
        std::size_t openCalls;
        const char* boxSays;  // nullptr: no box
    };
    const Case cases[] = {
        {"shown", true, true, 2, nullptr},
        {"no handler", true, false, 2, "n'a pas pu \u00eatre ouverte"},
        {"page missing", false, true, 0, "est introuvable"},
    };
    for (const Case& c : cases) {
        Harness h;
        if (!c.pageThere) std::filesystem::remove(h.helpPage);
        h.desktop.setOpenSucceeds(c.opens);
        h.load();
        const BoxAnswerer answerer(QMessageBox::Ok);
        h.form->toolbarButton("aide")->trigger();
        h.form->menuAction("aid")->trigger();
        using pointilla::platform::testing::openCall;
        const auto expected = openCall(h.helpPage.string(), "/opt/pointilla/bin");
        ASSERT_EQ(h.desktop.calls().size(), c.openCalls) << c.name;
        for (const auto& call : h.desktop.calls()) ASSERT_TRUE(call == expected) << c.name;
        if (c.boxSays == nullptr) {
            ASSERT_TRUE(answerer.seen().empty()) << c.name;
            continue;
        }
        ASSERT_EQ(answerer.seen().size(), std::size_t{2}) << c.name;
        ASSERT_TRUE(answerer.seen()[0].text.contains(QString::fromUtf8(c.boxSays))) << c.name;
        ASSERT_TRUE(answerer.seen()[0].text.contains(QStringLiteral("aide pointilla.html")));
    }
}

TEST(Form1, StartPlaysFromTheFirstRowAndHidesWhenAsked) {
    Harness h;
    h.store.putValue(kKey, "redlec", "1");
    h.load();
    h.form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(h.form.get()));
    h.form->scenarioModel().append({"Position souris", " 200 ,  300"});
    h.form->scenarioModel().append({"D\u00e9lai", "1"});
    h.form->toolbarButton("start")->trigger();
    ASSERT_FALSE(h.form->isVisible());
    ASSERT_EQ(h.form->playbackPanel(), QStringLiteral("Lecture en cours..."));
    ASSERT_TRUE(h.form->Timer4->isActive());
    ASSERT_EQ(h.form->playback().numligne(), 2);
    ASSERT_TRUE(h.desktop.calls() == std::vector{pointilla::platform::testing::moveCall(200, 300)});
    ASSERT_EVENTUALLY_EQ(h.form->playbackPanel(), QString(), 3000);
    ASSERT_FALSE(h.form->Timer4->isActive());
}

TEST(Form1, StartWithAnEmptyListChangesNothing) {
    Harness h;
    h.store.putValue(kKey, "redlec", "1");
    h.load();
    h.form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(h.form.get()));
    h.form->start();
    ASSERT_TRUE(h.form->isVisible());
    ASSERT_EQ(h.form->playbackPanel(), QString());
}

TEST(Form1, OpenReplacesTheRowsOnlyOnceAFileWasRead) {
    const TempDir dir;
    const QString good = qtPath(dir.path() / "deux.sce");
    writeBytes(good,
               "Clic souris\xa4"
               "Clic\xa4\r\nD\xe9lai\xa4"
               "5\xa4"
               "anything\r\n");
    const QString before = qtPath(dir.path() / "avant.sce");
    writeBytes(before, "URL\xa4http://avant\xa4\r\n");
    Harness h;
    h.load();
    h.form->openFile(before);

    // Cancelled: nothing changes.
    h.dialogs.answerOpen(std::nullopt);
    h.form->menuAction("ouv")->trigger();
    ASSERT_TRUE(h.rows() == (std::vector<Row>{{"URL", "http://avant"}}));
    ASSERT_EQ(h.form->filePanel(), QStringLiteral("avant.sce"));

    // A file that cannot be read: a message, nothing changes.
    {
        BoxAnswerer answerer(QMessageBox::Ok);
        h.dialogs.answerOpen(qtPath(dir.path() / "absent.sce"));
        h.form->toolbarButton("ouvrir")->trigger();
        ASSERT_EQ(answerer.seen().size(), std::size_t{1});
        ASSERT_TRUE(answerer.seen()[0].text.contains(QStringLiteral("absent.sce")));
    }
    ASSERT_TRUE(h.rows() == (std::vector<Row>{{"URL", "http://avant"}}));
    ASSERT_EQ(h.form->filePanel(), QStringLiteral("avant.sce"));

    // Read: replaced, never merged, and panel 1 names the file.
    h.dialogs.answerOpen(good);
    h.form->menuAction("ouv")->trigger();
    ASSERT_TRUE(h.rows() == (std::vector<Row>{{"Clic souris", "Clic"}, {"D\u00e9lai", "5"}}));
    ASSERT_EQ(h.form->filePanel(), QStringLiteral("deux.sce"));
}

TEST(Form1, OpenKeepsTheRowsBeforeABadLineAndAppliesHeaderCaptions) {
    const TempDir dir;
    const QString file = qtPath(dir.path() / "coupe.sce");
    writeBytes(file,
               "[Page :\xa4"
               "Clic :X\xa4\r\nClic souris\xa4"
               "Clic\xa4\r\n\r\nURL\xa4http://perdu\xa4\r\n");
    Harness h;
    h.load();
    BoxAnswerer answerer(QMessageBox::Ok);
    h.dialogs.answerOpen(file);
    h.form->ouvrir();
    ASSERT_TRUE(h.rows() == (std::vector<Row>{{"Clic souris", "Clic"}}));
    ASSERT_EQ(h.form->filePanel(), QStringLiteral("coupe.sce"));
    ASSERT_EQ(h.form->Label8->text(), QStringLiteral("Page :"));
    ASSERT_EQ(h.form->Label9->text(), QStringLiteral("Clic :"));
    ASSERT_EQ(h.form->Label1->text(), QStringLiteral("Clic :"));
    ASSERT_EQ(answerer.seen().size(), std::size_t{1});
    ASSERT_TRUE(answerer.seen()[0].text.contains(QStringLiteral("ligne 3")));
}

TEST(Form1, SaveWritesTheRowsAndNothingForAnEmptyScenario) {
    const TempDir dir;
    Harness h;
    h.load();
    h.form->menuAction("enr")->trigger();  // empty: no dialog at all
    ASSERT_EQ(h.dialogs.saveAsked(), 0);

    h.form->scenarioModel().append({"Position souris", " 512 ,  384"});
    h.form->Command1->click();
    h.dialogs.answerSave(std::nullopt);  // cancelled: nothing written
    h.form->toolbarButton("enre")->trigger();
    ASSERT_EQ(h.dialogs.saveAsked(), 1);

    const QString target = qtPath(dir.path() / "deux.sce");
    h.dialogs.answerSave(target);
    h.form->toolbarButton("enre")->trigger();
    ASSERT_EQ(fileBytes(target), std::string("Position souris\xa4 512 ,  384\xa4\r\n"
                                             "D\xe9"
                                             "lai\xa4"
                                             "1\xa4\r\n"));
    ASSERT_EQ(h.form->filePanel(), QString());  // saving leaves panel 1 alone
}

TEST(Form1, ASaveThatCannotReplaceTheTargetSaysWhy) {
    const TempDir dir;
    const QString target = qtPath(dir.path() / "dossier.sce");
    ASSERT_TRUE(QDir().mkdir(target));
    ASSERT_TRUE(QDir().mkdir(target + "/dedans"));  // a folder in the way of the rename
    Harness h;
    h.load();
    h.form->Command3->click();
    BoxAnswerer answerer(QMessageBox::Ok);
    h.dialogs.answerSave(target);
    h.form->enregistre();
    ASSERT_EQ(answerer.seen().size(), std::size_t{1});
    ASSERT_TRUE(answerer.seen()[0].text.startsWith(QStringLiteral("Impossible d'enregistrer")));
    ASSERT_TRUE(QFileInfo(target + "/dedans").isDir());
    ASSERT_EQ(QDir(qtPath(dir.path())).entryList(QDir::Files | QDir::Hidden), QStringList());
}

TEST(Form1, AFailedSaveSaysWhyAndLeavesTheOldFile) {
    const TempDir dir;
    const QString target = qtPath(dir.path() / "ancien.sce");
    writeBytes(target, "ancien contenu");
    QFile::setPermissions(target, QFileDevice::ReadOwner);  // read-only, even for root

    Harness h;
    h.load();
    h.form->Command3->click();
    BoxAnswerer answerer(QMessageBox::Ok);
    h.dialogs.answerSave(target);
    h.form->enregistre();
    ASSERT_EQ(answerer.seen().size(), std::size_t{1});
    ASSERT_TRUE(answerer.seen()[0].text.startsWith(QStringLiteral("Impossible d'enregistrer")));
    ASSERT_TRUE(answerer.seen()[0].text.contains(QStringLiteral("ancien.sce")));
    ASSERT_TRUE(answerer.seen()[0].text.contains(QStringLiteral("permission refus\u00e9e")));
    ASSERT_EQ(answerer.seen()[0].icon, QMessageBox::Warning);
    ASSERT_EQ(fileBytes(target), std::string("ancien contenu"));
}
