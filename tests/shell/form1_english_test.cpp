// The main window in English: its captions and the list's action names are
// translated, while the rows, and so the files, keep the French action texts.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QMenuBar>
#include <QSet>
#include <QToolBar>
#include <fstream>
#include <sstream>

#include "editing/scenario_model.h"
#include "platform/testing/recording_desktop.h"
#include "settings/memory_registry_control.h"
#include "shell/form1.h"
#include "shell/toolkit_translation.h"
#include "support/qt_checks.h"
#include "support/temp_dir.h"
#include "test_support.h"

using pointilla::editing::ScenarioModel;
using pointilla::shell::testing::qtPath;
using pointilla::testing::TempDir;

namespace {

struct EnglishWindow {
    TempDir share;
    pointilla::settings::MemoryRegistryControl store;
    pointilla::platform::testing::RecordingDesktop desktop;
    pointilla::shell::testing::ScriptedFileDialog dialogs;
    std::unique_ptr<pointilla::shell::Form1> form;

    EnglishWindow() {
        // Installed once for this program: every test here sees English.
        static const bool translated = pointilla::shell::translateWindow(
            *QCoreApplication::instance(), pointilla::language::Language::English);
        EXPECT_TRUE(translated);
        form = std::make_unique<pointilla::shell::Form1>(
            pointilla::shell::Form1Services{store, desktop, dialogs, "/opt/pointilla/bin",
                                            share.file("aide pointilla.html", "<html></html>")});
    }
};

std::string fileBytes(const QString& path) {
    std::ifstream in(path.toStdString(), std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

}  // namespace

TEST(EnglishWindow, MenusAndCaptionsAreEnglishWithDistinctAccelerators) {
    EnglishWindow w;
    QStringList bar;
    for (QAction* action : w.form->menuBar()->actions()) bar << action->text();
    ASSERT_EQ(bar, (QStringList{"&File", "&Options", "&?"}));
    const std::pair<const char*, const char*> entries[] = {
        {"ouv", "Open a scenario"},
        {"enr", "Save the scenario"},
        {"annuler", "Undo"},
        {"retablir", "Redo"},
        {"quit", "Quit"},
        {"aff", "Show Pointilla"},
        {"pos", "Pointer position"},
        {"dela", "Delay"},
        {"vide", "Clear the scenario"},
    };
    for (const auto& [name, caption] : entries) {
        QAction* action = w.form->findChild<QAction*>(QString::fromLatin1(name));
        ASSERT_TRUE(action != nullptr) << name;
        EXPECT_EQ(action->text(), QString::fromLatin1(caption)) << name;
    }
    EXPECT_EQ(w.form->Frame2->title(), QStringLiteral("Scenario details"));
    EXPECT_EQ(w.form->toolbarButton("start")->toolTip(), QStringLiteral("Play the scenario"));
    // The shortcuts keep their keys.
    EXPECT_EQ(w.form->menuAction("ouv")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));

    // No two entries of one menu, nor two menus of the bar, share an underlined letter.
    QList<QMenu*> menus{nullptr};
    for (QAction* action : w.form->menuBar()->actions()) menus << action->menu();
    for (QMenu* menu : menus) {
        const QList<QAction*> actions = menu ? menu->actions() : w.form->menuBar()->actions();
        QSet<QChar> letters;
        for (QAction* action : actions) {
            const qsizetype at = action->text().indexOf(QLatin1Char('&'));
            if (at < 0 || at + 1 >= action->text().size()) continue;
            const QChar letter = action->text().at(at + 1).toLower();
            EXPECT_FALSE(letters.contains(letter)) << qPrintable(action->text());
            letters.insert(letter);
        }
    }
}

TEST(EnglishWindow, ListShowsEnglishActionsWhileRowsAndFileKeepFrench) {
    const TempDir dir;
    EnglishWindow w;
    ScenarioModel& model = w.form->scenarioModel();
    model.append({"Position souris", " 512 ,  384"});
    model.append({"Clic souris", ""});
    model.append({"D\u00e9lai", "2"});
    model.append({"URL", "http://example.org"});
    model.append({"Autre", "x"});  // no known kind: shown as it stands
    QStringList shown;
    for (int row = 0; row < model.rowCount(); ++row)
        shown << model.index(row, ScenarioModel::ActionColumn).data().toString();
    EXPECT_EQ(shown, (QStringList{"Pointer position", "Mouse click", "Delay", "URL", "Autre"}));
    EXPECT_EQ(model.headerData(ScenarioModel::DetailColumn, Qt::Horizontal).toString(),
              QStringLiteral("Detail"));
    EXPECT_EQ(model.scenario().row(3).action, "D\u00e9lai");

    const QString target = qtPath(dir.path() / "english.sce");
    w.dialogs.answerSave(target);
    w.form->menuAction("enr")->trigger();
    EXPECT_EQ(fileBytes(target),
              std::string("Position souris\xa4 512 ,  384\xa4\r\nClic souris\xa4\xa4\r\nD\xe9"
                          "lai\xa4"
                          "2\xa4\r\nURL\xa4http://example.org\xa4\r\nAutre\xa4x\xa4\r\n"));
}
