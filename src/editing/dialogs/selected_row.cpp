#include "editing/dialogs/selected_row.h"

#include <algorithm>

namespace pointilla::editing::dialogs {

std::optional<int> selectedRow(const QItemSelectionModel& selection) {
    const QModelIndex current = selection.currentIndex();
    if (current.isValid() && selection.isRowSelected(current.row(), current.parent())) {
        return current.row() + 1;
    }
    const std::vector<int> rows = selectedRows(selection);
    if (rows.empty()) return std::nullopt;
    return rows.front();
}

std::vector<int> selectedRows(const QItemSelectionModel& selection) {
    std::vector<int> rows;
    for (const QModelIndex& index : selection.selectedIndexes()) rows.push_back(index.row() + 1);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

}  // namespace pointilla::editing::dialogs
