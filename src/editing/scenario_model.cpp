#include "editing/scenario_model.h"

#include <algorithm>
#include <functional>

namespace pointilla::editing {

ScenarioModel::ScenarioModel(QObject* parent) : QAbstractTableModel(parent) {}

void ScenarioModel::append(scenario::Row row) { insertAt(count() + 1, std::move(row)); }

void ScenarioModel::insertAt(int n, scenario::Row row) {
    if (n < 1 || n > count() + 1) return;
    beginInsertRows(QModelIndex(), n - 1, n - 1);
    scenario_.insertAt(n, std::move(row));
    endInsertRows();
}

void ScenarioModel::setDetail(int n, std::string detail) {
    if (!scenario_.contains(n)) return;
    scenario_.setDetail(n, std::move(detail));
    const QModelIndex cell = index(n - 1, DetailColumn);
    emit dataChanged(cell, cell, {Qt::DisplayRole});
}

void ScenarioModel::remove(int n) {
    if (!scenario_.contains(n)) return;
    beginRemoveRows(QModelIndex(), n - 1, n - 1);
    scenario_.remove(n);
    endRemoveRows();
}

void ScenarioModel::removeRows(std::vector<int> rowNumbers) {
    // From the last to the first, so the numbers still to remove stay valid.
    std::sort(rowNumbers.begin(), rowNumbers.end(), std::greater<>());
    rowNumbers.erase(std::unique(rowNumbers.begin(), rowNumbers.end()), rowNumbers.end());
    for (const int n : rowNumbers) remove(n);
}

void ScenarioModel::clear() { replaceAll({}); }

void ScenarioModel::replaceAll(std::vector<scenario::Row> rows) {
    beginResetModel();
    scenario_.replaceAll(std::move(rows));
    endResetModel();
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
    const std::string& text = index.column() == ActionColumn ? row.action : row.detail;
    return QString::fromStdString(text);
}

QVariant ScenarioModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    switch (section) {
        case ActionColumn: return QStringLiteral("Action");
        case DetailColumn: return QStringLiteral("D\u00e9tail");
        default: return {};
    }
}

}  // namespace pointilla::editing
