#pragma once
// The creation panel `Frame1` ("Création du Scénario"): the hot-key lists and
// the buttons that append a click, a delay or a web page to the end of the
// scenario. The hot-key lists and the delay list are filled by the hot-key
// code at start-up; this panel only lays them out and reads `Combo4`.

#include <QGroupBox>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace pointilla::editing {

class ScenarioModel;

class CreationPanel : public QGroupBox {
    Q_OBJECT

  public:
    CreationPanel(ScenarioModel& model, QWidget* parent = nullptr);

    // Line 1: the capture hot key.
    QLabel* Label1;
    QComboBox* Combo1;
    QLabel* Label2;
    QComboBox* Combo2;
    QLabel* Label5;
    QComboBox* Combo3;
    // Line 2: a click.
    QLabel* Label9;
    QPushButton* Command3;
    // Line 3: a delay.
    QLabel* Label6;
    QComboBox* Combo4;
    QLabel* Label7;
    QPushButton* Command1;
    // Line 4: a web page.
    QLabel* Label8;
    QLineEdit* Text1;
    QPushButton* Command2;

  public slots:
    void Command3_Click();  // appends ("Clic souris", "Clic")
    void Command1_Click();  // appends ("Délai", the entry shown by Combo4)
    void Command2_Click();  // appends ("URL", Text1) unless Text1 is exactly "http://"

  private:
    ScenarioModel& model_;
};

}  // namespace pointilla::editing
