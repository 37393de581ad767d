#include "editing/creation_panel.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "editing/design_label.h"
#include "editing/design_text_box.h"
#include "editing/list_rows_shown.h"
#include "editing/scenario_model.h"
#include "editing/twips.h"
#include "scenario/row.h"

namespace pointilla::editing {

namespace {

constexpr int kListHeight = 315;
// The delay list opens on about a quarter of its 60 entries, not the screen's height.
constexpr int kListRowsShown = 15;

QComboBox* makeList(QWidget* parent, const char* name, int left, int top, int width) {
    auto* list = new QComboBox(parent);  // pick-only: not editable
    list->setObjectName(QString::fromLatin1(name));
    list->setGeometry(twipsRect(left, top, width, kListHeight));
    return list;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, QRect place) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(place);
    return button;
}

}  // namespace

CreationPanel::CreationPanel(ScenarioModel& model, QWidget* parent)
    : QGroupBox(tr("Création du Scénario"), parent), model_(model) {
    setObjectName(QStringLiteral("Frame1"));

    Label1 =
        makeLabel(this, "Label1", tr("Position de la souris :"), twipsRect(120, 480, 1815, 255));
    Combo1 = makeList(this, "Combo1", 360, 840, 855);
    Label2 = makeLabel(this, "Label2", QStringLiteral("+"), twipsRect(1200, 870, 255, 255));
    Combo2 = makeList(this, "Combo2", 1440, 840, 855);
    Label5 = makeLabel(this, "Label5", QStringLiteral("+"), twipsRect(2280, 870, 255, 255));
    Combo3 = makeList(this, "Combo3", 2520, 840, 855);
    Label2->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label5->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    Label9 = makeLabel(this, "Label9", tr("Clic souris :"), twipsRect(120, 1320, 1695, 255));
    Command3 =
        makeButton(this, "Command3", tr("Clic de la souris"), twipsRect(360, 1680, 3015, 315));

    Label6 = makeLabel(this, "Label6", tr("Délai  en secondes :"), twipsRect(120, 2190, 1935, 255));
    Combo4 = makeList(this, "Combo4", 360, 2520, 855);
    showAtMostRows(*Combo4, kListRowsShown);
    Label7 = makeLabel(this, "Label7", tr("secondes"), twipsRect(1200, 2550, 735, 255));
    Command1 = makeButton(this, "Command1", tr("Ok"), twipsRect(2400, 2520, 975, 315));

    Label8 =
        makeLabel(this, "Label8", tr("Ouvrir une page Web :"), twipsRect(120, 3000, 1935, 255));
    Text1 = new DesignTextBox(QString::fromUtf8(scenario::kUrlPrefix.data(),
                                                static_cast<int>(scenario::kUrlPrefix.size())),
                              this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(twipsRect(360, 3360, 2535, 315));
    Command2 = makeButton(this, "Command2", tr("Ok"), twipsRect(3000, 3360, 375, 315));

    connect(Command3, &QPushButton::clicked, this, &CreationPanel::Command3_Click);
    connect(Command1, &QPushButton::clicked, this, &CreationPanel::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &CreationPanel::Command2_Click);
}

void CreationPanel::Command3_Click() { model_.append(scenario::clickRow()); }

void CreationPanel::Command1_Click() {
    // The list is pick-only and always shows an entry once filled; before
    // that there is no delay to add.
    if (Combo4->currentIndex() < 0) return;
    model_.append(scenario::makeRow(scenario::RowKind::Delay, Combo4->currentText().toStdString()));
}

void CreationPanel::Command2_Click() {
    const std::string address = Text1->text().toStdString();
    if (address == scenario::kUrlPrefix) return;
    model_.append(scenario::makeRow(scenario::RowKind::Url, address));
}

}  // namespace pointilla::editing
