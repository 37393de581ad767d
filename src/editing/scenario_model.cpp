#include "editing/scenario_model.h"

#include <algorithm>
#include <functional>

#include "scenario/row_kinds.h"

namespace pointilla::editing {

namespace {

// Steps of one group merge under this id; a step outside any group merges with nothing.
constexpr int kGroupedStepId = 1;

// Enough to take back a long session, bounded so that the memory stays so too.
constexpr int kHistorySteps = 1000;

}  // namespace

// One step of the history: its changes are made in order and taken back in
// reverse order.
class ScenarioModel::Edit final : public QUndoCommand {
  public:
    Edit(ScenarioModel& model, std::vector<RowChange> changes, int groupSerial)
        : model_(model), changes_(std::move(changes)), groupSerial_(groupSerial) {}

    void redo() override {
        for (RowChange& change : changes_) model_.apply(change);
    }
    void undo() override {
        for (auto it = changes_.rbegin(); it != changes_.rend(); ++it) {
            // A replacement swaps back in place rather than through a copy.
            if (std::holds_alternative<RowsReplaced>(*it)) {
                model_.apply(*it);
            } else {
                RowChange inverse = inverseOf(*it);
                model_.apply(inverse);
            }
        }
    }
    int id() const override { return groupSerial_ != 0 ? kGroupedStepId : -1; }
    bool mergeWith(const QUndoCommand* other) override {
        const auto* later = static_cast<const Edit*>(other);
        if (later->groupSerial_ != groupSerial_) return false;
        changes_.insert(changes_.end(), later->changes_.begin(), later->changes_.end());
        return true;
    }

  private:
    ScenarioModel& model_;
    std::vector<RowChange> changes_;
    int groupSerial_;
};

ScenarioModel::ScenarioModel(QObject* parent) : QAbstractTableModel(parent) {
    history_.setUndoLimit(kHistorySteps);
}

void ScenarioModel::append(scenario::Row row) { insertAt(count() + 1, std::move(row)); }

void ScenarioModel::insertAt(int n, scenario::Row row) {
    if (n < 1 || n > count() + 1) return;
    record({RowInserted{n, std::move(row)}});
}

void ScenarioModel::setDetail(int n, std::string detail) {
    if (!scenario_.contains(n) || scenario_.detail(n) == detail) return;
    record({DetailChanged{n, scenario_.detail(n), std::move(detail)}});
}

void ScenarioModel::remove(int n) {
    if (!scenario_.contains(n)) return;
    record({RowRemoved{n, scenario_.row(n)}});
}

void ScenarioModel::removeRows(std::vector<int> rowNumbers) {
    // From the last to the first, so the numbers still to remove stay valid.
    std::sort(rowNumbers.begin(), rowNumbers.end(), std::greater<>());
    rowNumbers.erase(std::unique(rowNumbers.begin(), rowNumbers.end()), rowNumbers.end());
    std::vector<RowChange> changes;
    for (const int n : rowNumbers) {
        if (scenario_.contains(n)) changes.emplace_back(RowRemoved{n, scenario_.row(n)});
    }
    record(std::move(changes));
}

void ScenarioModel::clear() { replaceAll({}); }

void ScenarioModel::replaceAll(std::vector<scenario::Row> rows) {
    if (rows.empty() && scenario_.empty()) return;
    record({RowsReplaced{std::move(rows)}});
}

void ScenarioModel::beginGroup() {
    if (groupDepth_++ == 0) groupSerial_ = ++lastSerial_;
}

void ScenarioModel::endGroup() {
    if (groupDepth_ == 0) return;
    if (--groupDepth_ == 0) groupSerial_ = 0;
}

void ScenarioModel::record(std::vector<RowChange> changes) {
    if (changes.empty()) return;
    // The stack makes the change (redo) as it takes the step.
    history_.push(new Edit(*this, std::move(changes), groupSerial_));
}

void ScenarioModel::apply(RowChange& change) {
    std::visit(Overloaded{
                   [this](const RowInserted& c) {
                       beginInsertRows(QModelIndex(), c.n - 1, c.n - 1);
                       scenario_.insertAt(c.n, c.row);
                       endInsertRows();
                   },
                   [this](const RowRemoved& c) {
                       beginRemoveRows(QModelIndex(), c.n - 1, c.n - 1);
                       scenario_.remove(c.n);
                       endRemoveRows();
                   },
                   [this](const DetailChanged& c) {
                       scenario_.setDetail(c.n, c.after);
                       const QModelIndex cell = index(c.n - 1, DetailColumn);
                       emit dataChanged(cell, cell, {Qt::DisplayRole});
                   },
                   [this](RowsReplaced& c) {
                       beginResetModel();
                       scenario_.swapRows(c.other);
                       endResetModel();
                   },
               },
               change);
}

int ScenarioModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : scenario_.count();
}

int ScenarioModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ScenarioModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= scenario_.count()) return {};
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
    const scenario::Row& row = scenario_.row(index.row() + 1);
    if (index.column() == ActionColumn) return shownAction(row.action);
    return QString::fromStdString(row.detail);
}

// The row keeps its action text as files and playback spell it; only what the
// list shows follows the interface's language. A text of no known kind shows
// as it stands.
QString ScenarioModel::shownAction(const std::string& action) {
    const auto kind = scenario::kindOfAction(action);
    if (!kind) return QString::fromStdString(action);
    switch (*kind) {
        case scenario::RowKind::Position:
            return tr("Position souris");
        case scenario::RowKind::Click:
            return tr("Clic souris");
        case scenario::RowKind::Delay:
            return tr("Délai");
        case scenario::RowKind::Url:
            return tr("URL");
    }
    return QString::fromStdString(action);
}

QVariant ScenarioModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    switch (section) {
        case ActionColumn:
            return tr("Action");
        case DetailColumn:
            return tr("Détail");
        default:
            return {};
    }
}

}  // namespace pointilla::editing
