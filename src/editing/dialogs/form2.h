#pragma once
// The modification dialog "Modification": changes the detail of the selected
// row of the scenario list, in place. It always shows the row it will write:
// when the list's selection moves while it is open, it reloads for the newly
// selected row, and closes when that row has nothing to modify.

#include <QItemSelectionModel>
#include <QPersistentModelIndex>

#include "editing/dialogs/item_dialog.h"
#include "editing/scenario_model.h"

namespace pointilla::editing::dialogs {

class Form2 final : public ItemDialog {
    Q_OBJECT

  public:
    Form2(ScenarioModel& rows, QItemSelectionModel& selection, platform::ScreenInfo& screen,
          QWidget* parent = nullptr);

    // Whether a row of this kind can be modified (a delay, a position or an address).
    static bool canModify(const std::string& action);

    // Fills the dialog from the selected row: the frame of its kind, and the
    // delay, the X and Y parts, or the address of its detail.
    void Form_Load();

    // The 1-based number of the row the dialog shows and "Ok" writes, if any.
    std::optional<int> shownRow() const;

  private:
    void Command1_Click() override;
    // The selection moved: reload for the new row, or close.
    void followSelection();
    void loadRow(int n);

    ScenarioModel& rows_;
    QItemSelectionModel& selection_;
    // Follows the row through insertions and removals above it.
    QPersistentModelIndex shown_;
    std::string shownAction_;
};

}  // namespace pointilla::editing::dialogs
