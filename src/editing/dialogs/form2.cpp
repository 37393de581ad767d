#include "editing/dialogs/form2.h"

#include <QComboBox>
#include <QLineEdit>

#include "editing/dialogs/selected_row.h"
#include "scenario/detail_text.h"
#include "scenario/row.h"

namespace pointilla::editing::dialogs {

Form2::Form2(ScenarioModel& rows, QItemSelectionModel& selection, platform::ScreenInfo& screen,
             QWidget* parent)
    : ItemDialog(QStringLiteral("Modification"), 2205, screen, parent),
      rows_(rows),
      selection_(selection) {
    setObjectName(QStringLiteral("Form2"));
}

bool Form2::canModify(const std::string& action) {
    return scenario::editFrameOf(action) != Frame::None;
}

void Form2::Form_Load() {
    fillDelayList();
    const auto n = selectedRow(selection_);
    if (!n || !rows_.scenario().contains(*n)) return;
    const scenario::Row& row = rows_.scenario().row(*n);
    const Frame frame = scenario::editFrameOf(row.action);
    if (frame == Frame::None) return;
    showFrame(frame);
    switch (frame) {
        case Frame::Delay:
            // A delay that is not one of the entries (read from a file) selects none.
            Combo1->setCurrentIndex(Combo1->findText(fromUtf8(row.detail), Qt::MatchExactly));
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

void Form2::Command1_Click() {
    const auto n = selectedRow(selection_);
    if (n && rows_.scenario().contains(*n)) {
        switch (scenario::editFrameOf(rows_.scenario().action(*n))) {
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
                rows_.setDetail(*n, toUtf8(Text1->text()));
                break;
            case Frame::None:
                break;
        }
    }
    close();
}

}  // namespace pointilla::editing::dialogs
