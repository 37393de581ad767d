#pragma once
// The modification dialog "Modification": changes the detail of the row that
// is selected in the scenario list when "Ok" is pressed, by that row's kind.
// It holds no row of its own: the selection may change while it is open.

#include <QItemSelectionModel>

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

  private:
    void Command1_Click() override;

    ScenarioModel& rows_;
    QItemSelectionModel& selection_;
};

}  // namespace pointilla::editing::dialogs
