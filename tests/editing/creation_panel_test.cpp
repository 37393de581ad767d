// The creation panel's buttons each append the right row at the end of the
// scenario.

#include "editing/creation_panel.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "editing/scenario_model.h"
#include "support/qt_checks.h"

using pointilla::editing::CreationPanel;
using pointilla::editing::ScenarioModel;
using pointilla::scenario::Row;

namespace {

void fillDelays(QComboBox* combo) {
    for (int i = 1; i <= 60; ++i) combo->addItem(QString::number(i));
    combo->setCurrentIndex(0);
}

}  // namespace

TEST(CreationPanel, LinesCarryTheirCaptionsAndPlaces) {
    ScenarioModel model;
    CreationPanel panel(model);
    ASSERT_EQ(panel.objectName(), QStringLiteral("Frame1"));
    ASSERT_EQ(panel.title(), QStringLiteral("Cr\u00e9ation du Sc\u00e9nario"));
    ASSERT_EQ(panel.Label1->text(), QStringLiteral("Position de la souris :"));
    ASSERT_EQ(panel.Label9->text(), QStringLiteral("Clic souris :"));
    ASSERT_EQ(panel.Label6->text(), QStringLiteral("D\u00e9lai  en secondes :"));
    ASSERT_EQ(panel.Label7->text(), QStringLiteral("secondes"));
    ASSERT_EQ(panel.Label8->text(), QStringLiteral("Ouvrir une page Web :"));
    ASSERT_EQ(panel.Label2->text(), QStringLiteral("+"));
    ASSERT_EQ(panel.Label5->text(), QStringLiteral("+"));
    ASSERT_EQ(panel.Command3->text(), QStringLiteral("Clic de la souris"));
    ASSERT_EQ(panel.Command1->text(), QStringLiteral("Ok"));
    ASSERT_EQ(panel.Command2->text(), QStringLiteral("Ok"));
    ASSERT_EQ(panel.Text1->text(), QStringLiteral("http://"));
    ASSERT_FALSE(panel.Combo4->isEditable());
    // Twips / 15: Command3 at 360, 1680, 3015 x 315.
    ASSERT_EQ(panel.Command3->geometry(), QRect(24, 112, 201, 21));
    ASSERT_EQ(panel.Text1->geometry(), QRect(24, 224, 169, 21));
    ASSERT_EQ(panel.Combo3->geometry(), QRect(168, 56, 57, 21));
}

TEST(CreationPanel, ButtonsAppendClickDelayAndAddress) {
    ScenarioModel model;
    CreationPanel panel(model);
    fillDelays(panel.Combo4);

    QTest::mouseClick(panel.Command3, Qt::LeftButton);
    QTest::mouseClick(panel.Command1, Qt::LeftButton);  // right after start: "1"
    panel.Combo4->setCurrentIndex(59);
    QTest::mouseClick(panel.Command1, Qt::LeftButton);
    ASSERT_EQ(panel.Combo4->currentText(), QStringLiteral("60"));  // keeps its choice

    QTest::mouseClick(panel.Command2, Qt::LeftButton);  // exactly "http://": nothing
    panel.Text1->setText(QStringLiteral("HTTP://"));    // the test is exact
    QTest::mouseClick(panel.Command2, Qt::LeftButton);
    panel.Text1->setText(QStringLiteral("http://exemple.org/a b"));
    QTest::mouseClick(panel.Command2, Qt::LeftButton);
    panel.Text1->clear();
    QTest::mouseClick(panel.Command2, Qt::LeftButton);  // empty: still a row
    ASSERT_EQ(panel.Text1->text(), QString());

    const std::vector<Row> expected{
        {"Clic souris", "Clic"},
        {"D\u00e9lai", "1"},
        {"D\u00e9lai", "60"},
        {"URL", "HTTP://"},
        {"URL", "http://exemple.org/a b"},
        {"URL", ""},
    };
    ASSERT_TRUE(model.scenario().rows() == expected);
}

TEST(CreationPanel, AnEmptyDelayListAddsNoDelay) {
    ScenarioModel model;
    CreationPanel panel(model);
    panel.Command1_Click();
    ASSERT_EQ(model.count(), 0);
}
