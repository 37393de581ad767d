#pragma once
// The scenario as the list view shows it: two columns, "Action" and "Détail",
// one line per row in play order. Every change to the rows goes through this
// model so the view follows; playback and the file code read scenario().

#include <QAbstractTableModel>
#include <vector>

#include "scenario/scenario.h"

namespace pointilla::editing {

class ScenarioModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { ActionColumn = 0, DetailColumn = 1, ColumnCount = 2 };

    explicit ScenarioModel(QObject* parent = nullptr);

    const scenario::Scenario& scenario() const { return scenario_; }
    int count() const { return scenario_.count(); }

    // Rows are numbered from 1, as everywhere in the program.
    void append(scenario::Row row);
    void insertAt(int n, scenario::Row row);  // n may be count()+1 (appends)
    void setDetail(int n, std::string detail);
    void remove(int n);
    // Removes the given rows (1-based, any order, duplicates ignored); the others keep their order.
    void removeRows(std::vector<int> rowNumbers);
    void clear();
    void replaceAll(std::vector<scenario::Row> rows);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    scenario::Scenario scenario_;
};

}  // namespace pointilla::editing
