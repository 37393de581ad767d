#pragma once
// "Options > Répéter la lecture...": how many times a playback goes through
// the scenario, from 1 to 9999, or "en boucle" until Escape stops it.

#include <QDialog>
#include <optional>

class QCheckBox;
class QSpinBox;

namespace pointilla::shell {

class RepeatDialog final : public QDialog {
    Q_OBJECT

  public:
    // current: a count or playback::kLoop.
    explicit RepeatDialog(int current, QWidget* parent = nullptr);

    // A count from 1 to 9999, or playback::kLoop.
    int choice() const;

    QSpinBox* count() const { return count_; }
    QCheckBox* loop() const { return loop_; }

  private:
    QSpinBox* count_;
    QCheckBox* loop_;
};

// Shows the dialog; the new choice, or nothing when cancelled.
std::optional<int> askRepetitions(int current, QWidget* parent);

}  // namespace pointilla::shell
