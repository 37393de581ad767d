#pragma once
// A scenario list with its selection, a fixed-size screen and the list
// commands, as the main window wires them.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QWidget>
#include <string>
#include <utility>
#include <vector>

#include "editing/dialogs/list_commands.h"
#include "editing/scenario_model.h"

namespace pointilla::editing::dialogs::testing {

class FixedScreen final : public platform::ScreenInfo {
  public:
    platform::ScreenSize size{1024, 768};
    platform::ScreenSize primaryScreenSize() override { return size; }
};

using Rows = std::vector<scenario::Row>;

inline scenario::Row delay(std::string seconds) { return {"D\u00e9lai", std::move(seconds)}; }
inline scenario::Row position(std::string detail) { return {"Position souris", std::move(detail)}; }
inline scenario::Row url(std::string address) { return {"URL", std::move(address)}; }
inline scenario::Row click() { return {"Clic souris", "Clic"}; }

class DialogFixture : public ::testing::Test {
  protected:
    DialogFixture() : selection(&model), commands(model, selection, screen, &window) {}

    void TearDown() override {
        commands.unloadDialogs();
        QApplication::processEvents();
    }

    void setRows(Rows rows) { model.replaceAll(std::move(rows)); }
    Rows rows() const { return model.scenario().rows(); }

    // Selects row n (1-based) as a click on it would.
    void select(int n) {
        selection.setCurrentIndex(model.index(n - 1, 0),
                                  QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    void addToSelection(int n) {
        selection.select(model.index(n - 1, 0),
                         QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    std::vector<int> selectedRowNumbers() const {
        std::vector<int> out;
        for (const QModelIndex& i : selection.selectedRows()) out.push_back(i.row() + 1);
        std::sort(out.begin(), out.end());
        return out;
    }

    // Presses "Ok" and lets a closing dialog go away.
    static void pressOk(ItemDialog& dialog) {
        dialog.Command1->click();
        QApplication::processEvents();
    }

    // The invalid-position message shown over a dialog, if any.
    static QMessageBox* messageOver(ItemDialog& dialog) {
        return dialog.findChild<QMessageBox*>(QStringLiteral("invalidPositionMessage"));
    }

    ScenarioModel model;
    QItemSelectionModel selection;
    FixedScreen screen;
    QWidget window;
    ListCommands commands;
};

}  // namespace pointilla::editing::dialogs::testing
