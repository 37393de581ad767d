#include "editing/dialogs/form2.h"

#include <QComboBox>
#include <QLineEdit>

#include "editing/accessible_names.h"
#include "editing/dialogs/selected_row.h"
#include "scenario/detail_text.h"
#include "scenario/row.h"

namespace pointilla::editing::dialogs {

Form2::Form2(ScenarioModel& rows, QItemSelectionModel& selection, platform::ScreenInfo& screen,
             QWidget* parent)
    : ItemDialog(tr("Modification"), 2205, screen, parent), rows_(rows), selection_(selection) {
    setObjectName(QStringLiteral("Form2"));
    nameForScreenReaders(*this);
    connect(&selection_, &QItemSelectionModel::selectionChanged, this, &Form2::followSelection);
    connect(&selection_, &QItemSelectionModel::currentChanged, this, &Form2::followSelection);
    // Replacing or removing rows may drop the selection without a signal of its own.
    connect(&rows_, &QAbstractItemModel::modelReset, this, &Form2::followSelection);
    connect(&rows_, &QAbstractItemModel::rowsRemoved, this, &Form2::followSelection);
}

bool Form2::canModify(const std::string& action) {
    return scenario::editFrameOf(action) != Frame::None;
}

void Form2::Form_Load() {
    fillDelayList();
    const auto n = selectedRow(selection_);
    if (n && rows_.scenario().contains(*n)) loadRow(*n);
}

std::optional<int> Form2::shownRow() const {
    if (!shown_.isValid()) return std::nullopt;
    return shown_.row() + 1;
}

void Form2::loadRow(int n) {
    const scenario::Row& row = rows_.scenario().row(n);
    shown_ = QPersistentModelIndex(rows_.index(n - 1, 0));
    shownAction_ = row.action;
    Combo1->setCurrentIndex(-1);
    Text1->clear();
    Text2->clear();
    Text3->clear();
    const Frame frame = scenario::editFrameOf(row.action);
    if (frame == Frame::None) return;
    showFrame(frame);
    switch (frame) {
        case Frame::Delay:
            // The entry of the same number, also for "05" or " 5" (playback waits
            // 5 s for them); a delay outside the list selects none.
            if (const auto seconds = scenario::parseDelaySeconds(row.detail)) {
                Combo1->setCurrentIndex(
                    Combo1->findText(QString::number(*seconds), Qt::MatchExactly));
            }
            break;
        case Frame::Position:
            if (const auto boxes = scenario::splitPositionForDialog(row.detail)) {
                Text2->setText(fromUtf8(boxes->x));
                Text3->setText(fromUtf8(boxes->y));
            }
            break;
        case Frame::Url:
            Text1->setText(fromUtf8(row.detail));
            break;
        case Frame::None:
            break;
    }
}

void Form2::followSelection() {
    if (isUnloaded()) return;
    const auto n = selectedRow(selection_);
    if (!n || !rows_.scenario().contains(*n) || !canModify(rows_.scenario().action(*n))) {
        close();
        return;
    }
    // Another row, or the shown one was removed: what the boxes hold belonged to it.
    if (shownRow() != n) loadRow(*n);
}

void Form2::Command1_Click() {
    // Only the row shown, and only while it is still of the kind shown: a
    // detail of one kind never lands in a row of another.
    const auto n = shownRow();
    if (n && !isUnloaded() && rows_.scenario().contains(*n) &&
        rows_.scenario().action(*n) == shownAction_) {
        switch (scenario::editFrameOf(shownAction_)) {
            case Frame::Delay:
                // With no entry chosen the old delay stays: an empty one could not be played.
                if (Combo1->currentIndex() >= 0) {
                    rows_.setDetail(*n, toUtf8(Combo1->currentText()));
                }
                break;
            case Frame::Position: {
                const auto detail = boundedPositionDetail();
                if (!detail) return;  // the user was told; the dialog stays open
                rows_.setDetail(*n, *detail);
                break;
            }
            case Frame::Url:
                // An emptied address keeps the old one: a row is never left empty.
                if (!Text1->text().isEmpty()) rows_.setDetail(*n, toUtf8(Text1->text()));
                break;
            case Frame::None:
                break;
        }
    }
    close();
}

}  // namespace pointilla::editing::dialogs
