// The list's pop-up commands that need no dialog, and the menu wiring.
#include "editing/dialogs/list_commands.h"

#include <QMenu>

#include "dialog_fixture.h"

namespace pointilla::editing::dialogs::testing {
namespace {

using ListCommandsTest = DialogFixture;

TEST_F(ListCommandsTest, ClicksInsertedBeforeTheSelectionKeepTheirOrderAndTheSelection) {
    const scenario::Row a = url("A"), b = url("B"), c = url("C");
    setRows({a, b, c});
    select(2);
    commands.clic_Click();
    commands.clic_Click();
    EXPECT_EQ(rows(), (Rows{a, click(), click(), b, c}));
    EXPECT_EQ(selectedRowNumbers(), std::vector<int>{4});
}

TEST_F(ListCommandsTest, ClickWithoutSelectionIsAppended) {
    setRows({url("A")});
    commands.clic_Click();
    EXPECT_EQ(rows(), (Rows{url("A"), click()}));
}

TEST_F(ListCommandsTest, SupprimerRemovesEverySelectedRowAndOnlyThose) {
    setRows({url("1"), url("2"), url("3"), url("4"), url("5")});
    select(1);
    addToSelection(3);
    addToSelection(4);
    commands.supp_Click();
    EXPECT_EQ(rows(), (Rows{url("2"), url("5")}));

    select(2);
    commands.supp_Click();
    EXPECT_EQ(rows(), Rows{url("2")});

    selection.clearSelection();
    commands.supp_Click();
    EXPECT_EQ(rows(), Rows{url("2")});
}

TEST_F(ListCommandsTest, ViderEmptiesTheListAndAnnouncesIt) {
    setRows({url("1"), delay("2"), click()});
    select(2);
    int emptied = 0;
    QObject::connect(&commands, &ListCommands::scenarioEmptied, [&] { ++emptied; });
    commands.vide_Click();
    EXPECT_TRUE(rows().empty());
    EXPECT_EQ(emptied, 1);
}

TEST_F(ListCommandsTest, MenuEntriesAreFoundByNameInSubMenus) {
    QMenu mnuflottant;
    QMenu* inser = mnuflottant.addMenu(QStringLiteral("Ins\u00e9rer"));
    for (const char* name : {"pos", "clic", "dela", "url"}) {
        inser->addAction(QString::fromLatin1(name))->setObjectName(QString::fromLatin1(name));
    }
    for (const char* name : {"modi", "supp"}) {
        mnuflottant.addAction(QString::fromLatin1(name))->setObjectName(QString::fromLatin1(name));
    }
    EXPECT_EQ(commands.connectMenu(mnuflottant), QStringList{QStringLiteral("vide")});

    setRows({url("A")});
    select(1);
    inser->actions().at(1)->trigger();  // clic
    EXPECT_EQ(rows(), (Rows{click(), url("A")}));
    inser->actions().at(3)->trigger();  // url
    ASSERT_NE(commands.form3(), nullptr);
    EXPECT_EQ(commands.form3()->shownFrame(), ItemDialog::Frame::Url);
    mnuflottant.actions().at(2)->trigger();  // supp
    EXPECT_EQ(rows(), Rows{click()});
}

TEST_F(ListCommandsTest, UnloadDialogsClosesBothWithoutWriting) {
    setRows({url("http://a.example/")});
    select(1);
    commands.modi_Click();
    commands.url_Click();
    ASSERT_NE(commands.form2(), nullptr);
    ASSERT_NE(commands.form3(), nullptr);
    commands.form2()->Text1->setText(QStringLiteral("changed"));
    commands.form3()->Text1->setText(QStringLiteral("http://new.example/"));
    commands.unloadDialogs();
    QApplication::processEvents();
    EXPECT_EQ(commands.form2(), nullptr);
    EXPECT_EQ(commands.form3(), nullptr);
    EXPECT_EQ(rows(), Rows{url("http://a.example/")});
}

}  // namespace
}  // namespace pointilla::editing::dialogs::testing
