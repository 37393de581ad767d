#pragma once
// The insertion dialog "Insertion": inserts a delay, an address or a position
// before the row that is selected in the scenario list when "Ok" is pressed
// (at the end when none is). The frame that is shown decides the kind of row.

#include <QItemSelectionModel>

#include "editing/dialogs/item_dialog.h"
#include "editing/scenario_model.h"

namespace pointilla::editing::dialogs {

class Form3 final : public ItemDialog {
    Q_OBJECT

  public:
    Form3(ScenarioModel& rows, QItemSelectionModel& selection, platform::ScreenInfo& screen,
          QWidget* parent = nullptr);

    // Starting state: delay "1", address "http://", empty X and Y.
    void Form_Load();

  private:
    void Command1_Click() override;

    ScenarioModel& rows_;
    QItemSelectionModel& selection_;
};

// Inserts the row before the selected row of the list, or appends it when no
// row is selected. The selection stays on the row it was on, so a series of
// insertions comes out in the order it was made.
void insertBeforeSelected(ScenarioModel& rows, const QItemSelectionModel& selection,
                          scenario::Row row);

}  // namespace pointilla::editing::dialogs
