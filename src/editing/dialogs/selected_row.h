#pragma once
// "The selected row" of the scenario list, as the dialogs and list commands
// act on it.

#include <QItemSelectionModel>
#include <optional>
#include <vector>

namespace pointilla::editing::dialogs {

// The 1-based number of the selected row: the current row when it is selected,
// else the first selected row; std::nullopt when nothing is selected.
std::optional<int> selectedRow(const QItemSelectionModel& selection);

// Every selected row, 1-based, ascending.
std::vector<int> selectedRows(const QItemSelectionModel& selection);

}  // namespace pointilla::editing::dialogs
