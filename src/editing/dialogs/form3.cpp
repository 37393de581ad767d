#include "editing/dialogs/form3.h"

#include <QComboBox>
#include <QLineEdit>

#include "editing/accessible_names.h"
#include "editing/dialogs/selected_row.h"
#include "scenario/row.h"

namespace pointilla::editing::dialogs {

void insertBeforeSelected(ScenarioModel& rows, const QItemSelectionModel& selection,
                          scenario::Row row) {
    const auto n = selectedRow(selection);
    const int at = n && rows.scenario().contains(*n) ? *n : rows.count() + 1;
    // The selection model follows the inserted row, so the selection stays put.
    rows.insertAt(at, std::move(row));
}

Form3::Form3(ScenarioModel& rows, QItemSelectionModel& selection, platform::ScreenInfo& screen,
             QWidget* parent)
    : ItemDialog(tr("Insertion"), 2190, screen, parent), rows_(rows), selection_(selection) {
    setObjectName(QStringLiteral("Form3"));
    nameForScreenReaders(*this);
}

void Form3::Form_Load() {
    fillDelayList();
    Combo1->setCurrentIndex(0);
    Text1->setText(fromUtf8(std::string(scenario::kUrlPrefix)));
    Text2->clear();
    Text3->clear();
}

void Form3::Command1_Click() {
    using scenario::RowKind;
    const auto frame = shownFrame();
    if (frame == Frame::Delay) {
        if (Combo1->currentIndex() >= 0) {
            insertBeforeSelected(rows_, selection_,
                                 scenario::makeRow(RowKind::Delay, toUtf8(Combo1->currentText())));
        }
    } else if (frame == Frame::Url) {
        const std::string address = toUtf8(Text1->text());
        if (address != scenario::kUrlPrefix) {
            insertBeforeSelected(rows_, selection_, scenario::makeRow(RowKind::Url, address));
        }
    } else if (frame == Frame::Position && !Text2->text().isEmpty() && !Text3->text().isEmpty()) {
        const auto detail = boundedPositionDetail();
        if (!detail) return;  // the user was told; the dialog stays open
        insertBeforeSelected(rows_, selection_, scenario::makeRow(RowKind::Position, *detail));
    }
    close();
}

}  // namespace pointilla::editing::dialogs
