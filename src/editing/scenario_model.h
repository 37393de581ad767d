#pragma once
// The scenario as the list view shows it: two columns, "Action" and "Détail",
// one line per row in play order. Every change to the rows goes through this
// model so the view follows; playback and the file code read scenario().
// Every change is also a step of the history (history()): undone and redone
// there, a whole group of changes at a time when grouped.

#include <QAbstractTableModel>
#include <QUndoStack>
#include <vector>

#include "editing/scenario_edit.h"
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

    // Undo and redo of the changes above; clean while the rows are those
    // last marked with history().setClean() (the file opened or saved).
    QUndoStack& history() { return history_; }
    const QUndoStack& history() const { return history_; }

    // Every change between beginGroup() and the matching endGroup() is one
    // step of the history, however long the group stays open (a hot key held,
    // a capture running). Groups nest; the outermost one counts.
    void beginGroup();
    void endGroup();
    class Group {
      public:
        explicit Group(ScenarioModel& model) : model_(model) { model_.beginGroup(); }
        ~Group() { model_.endGroup(); }
        Group(const Group&) = delete;
        Group& operator=(const Group&) = delete;

      private:
        ScenarioModel& model_;
    };
    bool inGroup() const { return groupDepth_ > 0; }

    // The action as the list shows it, in the interface's language.
    static QString shownAction(const std::string& action);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

  private:
    class Edit;
    void record(std::vector<RowChange> changes);
    void apply(RowChange& change);

    scenario::Scenario scenario_;
    QUndoStack history_;
    int groupDepth_ = 0;
    int groupSerial_ = 0;  // of the open group; 0 when none
    int lastSerial_ = 0;
};

}  // namespace pointilla::editing
