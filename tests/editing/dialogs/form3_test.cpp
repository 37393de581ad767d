// The insertion dialog, opened from the entries of the "Insérer" sub-menu.
#include "editing/dialogs/form3.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QStyle>
#include <QStyleOptionComboBox>

#include "dialog_fixture.h"
#include "editing/creation_panel.h"
#include "scenario/detail_text.h"

namespace pointilla::editing::dialogs::testing {
namespace {

class Form3Test : public DialogFixture {
  protected:
    Form3& form3() {
        Form3* form = commands.form3();
        if (form == nullptr) throw std::runtime_error("Form3 is not open");
        return *form;
    }
};

TEST_F(Form3Test, LoadsWithDelayOneHttpAndEmptyBoxes) {
    commands.dela_Click();
    Form3& form = form3();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Insertion"));
    EXPECT_FALSE(form.isModal());
    EXPECT_EQ(form.size(), QSize(305, 146));
    EXPECT_EQ(form.Combo1->count(), 60);
    EXPECT_EQ(form.Combo1->currentText(), QStringLiteral("1"));
    EXPECT_EQ(form.Text1->text(), QStringLiteral("http://"));
    EXPECT_TRUE(form.Text2->text().isEmpty());
    EXPECT_TRUE(form.Text3->text().isEmpty());
}

// "Position souris :" stays on one line within its column, and the delay
// list opens on at most 15 entries, in the dialog and in the creation panel.
TEST_F(Form3Test, NoCaptionWrapsAndTheDelayListOpensShort) {
    commands.pos_Click();
    Form3& form = form3();
    form.show();
    auto* caption = form.findChild<QLabel*>(QStringLiteral("Label2"));
    ASSERT_NE(caption, nullptr);
    EXPECT_FALSE(caption->wordWrap());
    EXPECT_LE(caption->fontMetrics().horizontalAdvance(caption->text()), caption->width());
    EXPECT_LE(caption->geometry().right(),
              form.findChild<QLabel*>(QStringLiteral("Label4"))->geometry().left());

    commands.dela_Click();
    CreationPanel panel(model);
    panel.show();
    for (QComboBox* list : {form.Combo1, panel.Combo4}) {
        // A list (not a menu over the screen) of at most 15 entries.
        QStyleOptionComboBox option;
        option.initFrom(list);
        EXPECT_EQ(list->style()->styleHint(QStyle::SH_ComboBox_Popup, &option, list), 0);
        EXPECT_EQ(list->maxVisibleItems(), 15);
    }
}

TEST_F(Form3Test, EachEntryShowsItsOwnFrame) {
    commands.pos_Click();
    EXPECT_EQ(form3().shownFrame(), ItemDialog::Frame::Position);
    EXPECT_TRUE(form3().Frame1->isHidden());
    EXPECT_TRUE(form3().Frame3->isHidden());
    commands.url_Click();
    EXPECT_EQ(form3().shownFrame(), ItemDialog::Frame::Url);
    commands.dela_Click();
    EXPECT_EQ(form3().shownFrame(), ItemDialog::Frame::Delay);
}

TEST_F(Form3Test, DelayInsertedBeforeTheFirstRowBecomesTheFirstRow) {
    setRows({click(), url("http://a.example/")});
    select(1);
    commands.dela_Click();
    form3().Combo1->setCurrentIndex(form3().Combo1->findText(QStringLiteral("7")));
    pressOk(form3());
    EXPECT_EQ(rows(), (Rows{delay("7"), click(), url("http://a.example/")}));
    EXPECT_EQ(commands.form3(), nullptr);
    EXPECT_EQ(selectedRowNumbers(), std::vector<int>{2});
}

TEST_F(Form3Test, UnchangedHttpInsertsNothingButOtherTextsGoInUnchanged) {
    setRows({click()});
    select(1);
    commands.url_Click();
    pressOk(form3());
    EXPECT_EQ(rows(), Rows{click()});
    EXPECT_EQ(commands.form3(), nullptr);

    commands.url_Click();
    form3().Text1->setText(QStringLiteral("HTTP://"));
    pressOk(form3());
    commands.url_Click();
    form3().Text1->clear();
    pressOk(form3());
    EXPECT_EQ(rows(), (Rows{url("HTTP://"), url(""), click()}));
}

TEST_F(Form3Test, PositionNeedsBothBoxes) {
    setRows({click()});
    select(1);
    commands.pos_Click();
    form3().Text2->setText(QStringLiteral("100"));
    pressOk(form3());
    EXPECT_EQ(rows(), Rows{click()});
    EXPECT_EQ(commands.form3(), nullptr);
}

TEST_F(Form3Test, InsertedPositionReadsBackInBothReaders) {
    setRows({click()});
    select(1);
    commands.pos_Click();
    form3().Text2->setText(QStringLiteral("100"));
    form3().Text3->setText(QStringLiteral("200"));
    pressOk(form3());
    ASSERT_EQ(rows(), (Rows{position("100 ,  200"), click()}));
    EXPECT_EQ(scenario::parsePositionDetail("100 ,  200"), (scenario::Position{100, 200}));

    select(1);
    commands.modi_Click();
    ASSERT_NE(commands.form2(), nullptr);
    EXPECT_EQ(commands.form2()->Text2->text(), QStringLiteral("100"));
    EXPECT_EQ(commands.form2()->Text3->text(), QStringLiteral("200"));
}

TEST_F(Form3Test, PositionIsBoundedToThePrimaryScreen) {
    screen.size = {1280, 1024};
    commands.pos_Click();
    form3().Text2->setText(QStringLiteral("1280"));
    form3().Text3->setText(QStringLiteral("5000"));
    pressOk(form3());
    EXPECT_EQ(rows(), Rows{position("1280 ,  1023")});
}

TEST_F(Form3Test, PositionThatIsNotANumberIsRefusedAndTheDialogStays) {
    commands.pos_Click();
    form3().Text2->setText(QStringLiteral(" "));
    form3().Text3->setText(QStringLiteral("20"));
    pressOk(form3());
    EXPECT_TRUE(rows().empty());
    ASSERT_NE(commands.form3(), nullptr);
    ASSERT_NE(messageOver(form3()), nullptr);
    EXPECT_EQ(messageOver(form3())->text(), ItemDialog::invalidPositionMessage());
}

TEST_F(Form3Test, ChoosingAnotherEntryWhileOpenSwitchesTheFrameAndKeepsTheBoxes) {
    setRows({click()});
    select(1);
    commands.url_Click();
    Form3& form = form3();
    form.Text1->setText(QStringLiteral("http://kept.example/"));
    form.Combo1->setCurrentIndex(form.Combo1->findText(QStringLiteral("12")));
    commands.dela_Click();
    EXPECT_EQ(&form3(), &form);
    EXPECT_EQ(form.shownFrame(), ItemDialog::Frame::Delay);
    EXPECT_EQ(form.Text1->text(), QStringLiteral("http://kept.example/"));
    pressOk(form);
    EXPECT_EQ(rows(), (Rows{delay("12"), click()}));
}

TEST_F(Form3Test, EveryNewLoadStartsAfresh) {
    commands.url_Click();
    form3().Text1->setText(QStringLiteral("http://x.example/"));
    form3().Command2->click();
    QApplication::processEvents();
    EXPECT_EQ(commands.form3(), nullptr);
    EXPECT_TRUE(rows().empty());
    commands.url_Click();
    EXPECT_EQ(form3().Text1->text(), QStringLiteral("http://"));
}

TEST_F(Form3Test, EscapeClosesLikeAnnuler) {
    commands.url_Click();
    form3().Text1->setText(QStringLiteral("http://x.example/"));
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&form3(), &escape);
    EXPECT_EQ(commands.form3(), nullptr);
    QApplication::processEvents();
    EXPECT_TRUE(rows().empty());
}

TEST_F(Form3Test, InsertionPlaceIsTheSelectionAtOk) {
    setRows({click(), url("http://b.example/"), click()});
    select(1);
    commands.dela_Click();
    select(3);
    pressOk(form3());
    EXPECT_EQ(model.scenario().action(3), "D\u00e9lai");
    EXPECT_EQ(model.count(), 4);

    // No selection: the row goes to the end.
    selection.clearSelection();
    commands.url_Click();
    form3().Text1->setText(QStringLiteral("http://end.example/"));
    pressOk(form3());
    EXPECT_EQ(model.scenario().row(5), url("http://end.example/"));
}

TEST_F(Form3Test, ASeriesOfInsertionsKeepsItsOrder) {
    setRows({url("http://a.example/"), url("http://b.example/")});
    select(2);
    for (const char* seconds : {"1", "2", "3"}) {
        commands.dela_Click();
        form3().Combo1->setCurrentIndex(form3().Combo1->findText(QString::fromLatin1(seconds)));
        pressOk(form3());
    }
    EXPECT_EQ(rows(), (Rows{url("http://a.example/"), delay("1"), delay("2"), delay("3"),
                            url("http://b.example/")}));
    EXPECT_EQ(selectedRowNumbers(), std::vector<int>{5});
}

}  // namespace
}  // namespace pointilla::editing::dialogs::testing
