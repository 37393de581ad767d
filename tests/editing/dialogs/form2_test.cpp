// The modification dialog, driven through the list's "Modifier" command.
#include "editing/dialogs/form2.h"

#include "dialog_fixture.h"
#include "scenario/detail_text.h"

namespace pointilla::editing::dialogs::testing {
namespace {

class Form2Test : public DialogFixture {
  protected:
    Form2& openOn(int n) {
        select(n);
        commands.modi_Click();
        Form2* form = commands.form2();
        if (form == nullptr) throw std::runtime_error("Form2 did not open");
        return *form;
    }
};

TEST_F(Form2Test, IsAFixedModelessToolWindowCalledModification) {
    setRows({delay("5")});
    Form2& form = openOn(1);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Modification"));
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(form.isModal());
    EXPECT_TRUE(form.windowFlags().testFlag(Qt::Tool));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    EXPECT_EQ(form.size(), QSize(305, 147));
    EXPECT_EQ(form.Combo1->count(), 60);
    EXPECT_EQ(form.Combo1->itemText(0), QStringLiteral("1"));
    EXPECT_EQ(form.Combo1->itemText(59), QStringLiteral("60"));
}

TEST_F(Form2Test, ModifierDoesNothingOnAClickRowOrWithoutSelection) {
    setRows({click(), delay("3")});
    commands.modi_Click();
    EXPECT_EQ(commands.form2(), nullptr);
    select(1);
    commands.modi_Click();
    EXPECT_EQ(commands.form2(), nullptr);
}

TEST_F(Form2Test, CapturedPositionSplitsKeepingTheSignPlaceOfX) {
    const std::string captured = scenario::capturedPositionDetail(640, 480);
    setRows({position(captured)});
    Form2& form = openOn(1);
    EXPECT_EQ(form.shownFrame(), ItemDialog::Frame::Position);
    EXPECT_EQ(form.Text2->text(), QStringLiteral(" 640"));
    EXPECT_EQ(form.Text3->text(), QStringLiteral("480"));
    pressOk(form);
    EXPECT_EQ(rows(), Rows{position(captured)});
    EXPECT_EQ(commands.form2(), nullptr);
}

TEST_F(Form2Test, NegativeCapturedYKeepsItsSignAndReadsBackTheSame) {
    setRows({position(scenario::capturedPositionDetail(10, -5))});
    Form2& form = openOn(1);
    EXPECT_EQ(form.Text2->text(), QStringLiteral(" 10"));
    EXPECT_EQ(form.Text3->text(), QStringLiteral("-5"));
    pressOk(form);
    EXPECT_EQ(model.scenario().detail(1), " 10 ,  -5");
    EXPECT_EQ(scenario::parsePositionDetail(model.scenario().detail(1)),
              (scenario::Position{10, -5}));
}

TEST_F(Form2Test, DialogWrittenPositionStaysUnchanged) {
    setRows({position("640 ,  480")});
    Form2& form = openOn(1);
    EXPECT_EQ(form.Text2->text(), QStringLiteral("640"));
    EXPECT_EQ(form.Text3->text(), QStringLiteral("480"));
    pressOk(form);
    EXPECT_EQ(model.scenario().detail(1), "640 ,  480");
}

TEST_F(Form2Test, OkBoundsThePositionToThePrimaryScreen) {
    setRows({position("1 ,  1"), position("1 ,  1")});
    Form2& form = openOn(1);
    form.Text2->setText(QStringLiteral("5000"));
    form.Text3->setText(QStringLiteral("300"));
    form.Command1->click();
    EXPECT_EQ(form.Text2->text(), QStringLiteral("1023"));
    EXPECT_EQ(form.Text3->text(), QStringLiteral("300"));
    QApplication::processEvents();
    EXPECT_EQ(model.scenario().detail(1), "1023 ,  300");

    Form2& again = openOn(2);
    again.Text2->setText(QStringLiteral("1024"));
    again.Text3->setText(QStringLiteral("-10"));
    pressOk(again);
    EXPECT_EQ(model.scenario().detail(2), "1024 ,  -10");
}

TEST_F(Form2Test, PositionThatIsNotANumberIsRefusedAndTheDialogStays) {
    setRows({position("5 ,  6")});
    Form2& form = openOn(1);
    form.Text2->setText(QStringLiteral("abc"));
    pressOk(form);
    EXPECT_EQ(model.scenario().detail(1), "5 ,  6");
    ASSERT_EQ(commands.form2(), &form);
    EXPECT_TRUE(form.isVisible());
    QMessageBox* message = messageOver(form);
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(message->text(), ItemDialog::invalidPositionMessage());
    message->accept();

    form.Text2->setText(QStringLiteral("7"));
    form.Text3->clear();
    pressOk(form);
    EXPECT_EQ(model.scenario().detail(1), "5 ,  6");

    form.Text3->setText(QStringLiteral("8"));
    pressOk(form);
    EXPECT_EQ(model.scenario().detail(1), "7 ,  8");
}

TEST_F(Form2Test, PositionWithoutCommaOpensWithEmptyBoxes) {
    setRows({position("garbage")});
    Form2& form = openOn(1);
    EXPECT_EQ(form.shownFrame(), ItemDialog::Frame::Position);
    EXPECT_TRUE(form.Text2->text().isEmpty());
    EXPECT_TRUE(form.Text3->text().isEmpty());
}

TEST_F(Form2Test, DelaySelectsItsEntryAndOkWritesTheChosenOne) {
    setRows({delay("12")});
    Form2& form = openOn(1);
    EXPECT_EQ(form.shownFrame(), ItemDialog::Frame::Delay);
    EXPECT_EQ(form.Combo1->currentText(), QStringLiteral("12"));
    form.Combo1->setCurrentIndex(form.Combo1->findText(QStringLiteral("30")));
    pressOk(form);
    EXPECT_EQ(rows(), Rows{delay("30")});
}

TEST_F(Form2Test, DelayOutsideTheListSelectsNothingAndOkKeepsIt) {
    setRows({delay("75")});
    Form2& form = openOn(1);
    EXPECT_EQ(form.Combo1->currentIndex(), -1);
    pressOk(form);
    EXPECT_EQ(rows(), Rows{delay("75")});
}

TEST_F(Form2Test, UrlIsWrittenAsTypedButNeverEmptied) {
    setRows({url("http://a.example/x")});
    Form2& form = openOn(1);
    EXPECT_EQ(form.shownFrame(), ItemDialog::Frame::Url);
    EXPECT_EQ(form.Text1->text(), QStringLiteral("http://a.example/x"));
    form.Text1->setText(QStringLiteral("http://"));
    pressOk(form);
    EXPECT_EQ(rows(), Rows{url("http://")});
    Form2& again = openOn(1);
    again.Text1->clear();
    pressOk(again);
    EXPECT_EQ(rows(), Rows{url("http://")});
}

TEST_F(Form2Test, AnnulerAndTheCloseBoxWriteNothing) {
    setRows({url("http://a.example/")});
    Form2& form = openOn(1);
    form.Text1->setText(QStringLiteral("changed"));
    form.Command2->click();
    QApplication::processEvents();
    EXPECT_EQ(commands.form2(), nullptr);
    Form2& again = openOn(1);
    EXPECT_EQ(again.Text1->text(), QStringLiteral("http://a.example/"));
    again.Text1->setText(QStringLiteral("changed"));
    again.close();
    QApplication::processEvents();
    EXPECT_EQ(rows(), Rows{url("http://a.example/")});
}

// The dialog shows the row it will write: a new selection reloads it (frame
// and values), a row with nothing to modify closes it, and "Ok" never writes
// a detail of one kind into a row of another nor empties a row.
TEST_F(Form2Test, FollowsTheSelectionAndWritesOnlyTheRowItShows) {
    setRows({delay("4"), url("http://keep.example/"), delay("9"), click()});
    Form2& form = openOn(1);
    select(2);
    EXPECT_EQ(form.shownFrame(), ItemDialog::Frame::Url);
    EXPECT_EQ(form.Text1->text(), QStringLiteral("http://keep.example/"));
    select(3);
    EXPECT_EQ(form.shownFrame(), ItemDialog::Frame::Delay);
    EXPECT_EQ(form.Combo1->currentText(), QStringLiteral("9"));
    form.Combo1->setCurrentIndex(form.Combo1->findText(QStringLiteral("20")));
    pressOk(form);
    EXPECT_EQ(rows(), (Rows{delay("4"), url("http://keep.example/"), delay("20"), click()}));

    Form2& again = openOn(2);
    again.Text1->clear();
    pressOk(again);
    EXPECT_EQ(model.scenario().detail(2), "http://keep.example/");

    Form2& closing = openOn(1);
    select(4);
    QApplication::processEvents();
    EXPECT_FALSE(closing.isVisible());
    EXPECT_EQ(commands.form2(), nullptr);
}

// The row shown is removed while the dialog is open: nothing is written into
// the row that takes its place.
TEST_F(Form2Test, OkWritesNothingWhenTheShownRowIsGone) {
    setRows({url("http://a.example/"), delay("9")});
    Form2& form = openOn(1);
    form.Text1->setText(QStringLiteral("http://b.example/"));
    model.remove(1);
    QApplication::processEvents();
    EXPECT_EQ(commands.form2(), nullptr);
    EXPECT_EQ(rows(), Rows{delay("9")});
}

TEST_F(Form2Test, SecondModifierOnTheSameRowOnlyBringsTheDialogForward) {
    setRows({url("http://a.example/"), delay("9")});
    Form2& form = openOn(1);
    form.Text1->setText(QStringLiteral("edited"));
    Form2& same = openOn(1);
    EXPECT_EQ(&same, &form);
    EXPECT_EQ(same.shownFrame(), ItemDialog::Frame::Url);
    EXPECT_EQ(same.Text1->text(), QStringLiteral("edited"));
}

TEST_F(Form2Test, DelayWithLeadingZeroSelectsTheEntryOfItsNumber) {
    setRows({delay("05")});
    Form2& form = openOn(1);
    EXPECT_EQ(form.Combo1->currentText(), QStringLiteral("5"));
}

TEST_F(Form2Test, OkWithNoRowSelectedWritesNothingAndCloses) {
    setRows({url("http://a.example/")});
    Form2& form = openOn(1);
    form.Text1->setText(QStringLiteral("changed"));
    selection.clearSelection();
    pressOk(form);
    EXPECT_EQ(rows(), Rows{url("http://a.example/")});
    EXPECT_EQ(commands.form2(), nullptr);
}

}  // namespace
}  // namespace pointilla::editing::dialogs::testing
