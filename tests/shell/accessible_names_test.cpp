// What a screen reader hears of every control of every window, read through
// the toolkit's accessibility interface as an assistive technology reads it.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QTreeView>
#include <map>

#include "editing/scenario_model.h"
#include "every_window.h"
#include "shell/about/frm_about.h"
#include "shell/form1.h"

using pointilla::shell::Form1;

namespace {

// Roles a person works with, as opposed to static texts, frames and panes.
bool isControl(QAccessible::Role role) {
    switch (role) {
        case QAccessible::PushButton:
        case QAccessible::ComboBox:
        case QAccessible::EditableText:
        case QAccessible::SpinBox:
        case QAccessible::CheckBox:
        case QAccessible::Tree:
        case QAccessible::List:
        case QAccessible::Table:
        case QAccessible::MenuItem:
        case QAccessible::ToolBar:
        case QAccessible::StatusBar:
        case QAccessible::MenuBar:
            return true;
        default:
            return false;
    }
}

struct Heard {
    QString name;
    QString value;
    QAccessible::Role role;
};

// Every visible control under `root`, by its object name (or its name when it has none).
void collect(QAccessibleInterface* node, std::map<QString, Heard>& out, int depth = 0) {
    if (node == nullptr || depth > 12 || node->state().invisible) return;
    if (isControl(node->role())) {
        const QString key = node->object() != nullptr && !node->object()->objectName().isEmpty()
                                ? node->object()->objectName()
                                : node->text(QAccessible::Name);
        out[key] = {node->text(QAccessible::Name), node->text(QAccessible::Value), node->role()};
    }
    // Rows of the scenario list are its content, not controls.
    if (node->role() == QAccessible::Tree) return;
    for (int i = 0; i < node->childCount(); ++i) collect(node->child(i), out, depth + 1);
}

std::map<QString, Heard> heardIn(QWidget& window) {
    std::map<QString, Heard> heard;
    collect(QAccessible::queryAccessibleInterface(&window), heard);
    return heard;
}

}  // namespace

TEST(AccessibleNames, EveryControlOfEveryWindowHasANameOfItsOwn) {
    pointilla::shell::testing::EveryWindowShown shown;
    auto& form = shown.form;
    auto& repeat = shown.repeat;

    const std::pair<QWidget*, std::map<QString, QString>> windows[] = {
        {&form,
         {{"Text1", "Adresse de la page Web"},
          {"Combo1", "Touche 1 du raccourci"},
          {"Combo2", "Touche 2 du raccourci"},
          {"Combo3", "Touche 3 du raccourci"},
          {"Combo4", "D\u00e9lai en secondes"},
          {"Command3", "Ajouter le clic"},
          {"Command1", "Ajouter le d\u00e9lai"},
          {"Command2", "Ajouter la page Web"},
          {"LV1", "Sc\u00e9nario"}}},
        {static_cast<QWidget*>(form.listCommands().form2()),
         {{"Combo1", "D\u00e9lai en secondes"}}},
        {static_cast<QWidget*>(form.listCommands().form3()),
         {{"Text1", "Adresse de la page Web"}, {"Command1", "Ok"}, {"Command2", "Annuler"}}},
        {static_cast<QWidget*>(form.aboutBox()), {{"cmdOK", "OK"}}},
        {&repeat, {{"repetitionCount", "Nombre de lectures"}}},
    };
    for (const auto& [window, expected] : windows) {
        ASSERT_NE(window, nullptr);
        const auto heard = heardIn(*window);
        const std::string where = window->objectName().toStdString();
        for (const auto& [control, name] : expected) {
            ASSERT_TRUE(heard.count(control) == 1) << where << " " << control.toStdString();
            EXPECT_EQ(heard.at(control).name, name) << where << " " << control.toStdString();
        }
        for (const auto& [control, what] : heard) {
            const std::string said = where + " " + control.toStdString();
            EXPECT_FALSE(what.name.trimmed().isEmpty()) << said;
            // A list is not heard by the entry it shows.
            if (what.role == QAccessible::ComboBox) {
                EXPECT_NE(what.name, what.value) << said;
            }
        }
    }
    // The menu bar's entries are heard by their purpose; "?" alone says nothing.
    QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(form.menuBar());
    ASSERT_NE(bar, nullptr);
    QStringList entries;
    for (int i = 0; i < bar->childCount(); ++i) entries << bar->child(i)->text(QAccessible::Name);
    EXPECT_EQ(entries.join('|').toStdString(), "Fichier|Options|Aide");
    EXPECT_EQ(form.ap->title(), "&?");
    // Controls that need more than their name have a description.
    for (QWidget* control : {static_cast<QWidget*>(form.Combo3), static_cast<QWidget*>(form.LV1)}) {
        EXPECT_FALSE(QAccessible::queryAccessibleInterface(control)
                         ->text(QAccessible::Description)
                         .isEmpty());
    }
}
