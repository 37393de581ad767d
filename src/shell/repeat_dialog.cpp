#include "shell/repeat_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "editing/accessible_names.h"
#include "playback/playback_engine.h"

namespace pointilla::shell {

// A fixed dialog: a title and a close button, neither resized nor maximised.
RepeatDialog::RepeatDialog(int current, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      count_(new QSpinBox(this)),
      loop_(new QCheckBox(this)) {
    setObjectName(QStringLiteral("repeatDialog"));
    setWindowTitle(tr("Répéter la lecture"));
    count_->setObjectName(QStringLiteral("repetitionCount"));
    count_->setRange(1, playback::kMaxRepetitions);
    count_->setValue(current == playback::kLoop ? 1 : current);
    loop_->setObjectName(QStringLiteral("repetitionLoop"));
    loop_->setText(tr("En boucle, jusqu'à la touche Échap"));
    loop_->setChecked(current == playback::kLoop);
    count_->setEnabled(!loop_->isChecked());
    connect(loop_, &QCheckBox::toggled, count_, [this](bool loop) { count_->setEnabled(!loop); });

    auto* form = new QFormLayout;
    form->addRow(tr("Nombre de lectures du scénario :"), count_);
    form->addRow(loop_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("Ok"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("Annuler"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    editing::nameForScreenReaders(*this);
}

int RepeatDialog::choice() const { return loop_->isChecked() ? playback::kLoop : count_->value(); }

std::optional<int> askRepetitions(int current, QWidget* parent) {
    RepeatDialog dialog(current, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.choice();
}

}  // namespace pointilla::shell
