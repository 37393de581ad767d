// The title-bar buttons and borders every window asks its window manager
// for: a title and a close button, no minimise or maximise button, and a size
// the person cannot change.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTreeView>

#include "editing/scenario_model.h"
#include "every_window.h"
#include "shell/about/frm_about.h"
#include "shell/form1.h"

TEST(TitleBars, EveryWindowHasACloseButtonOnlyAndAFixedSize) {
    pointilla::shell::testing::EveryWindowShown shown;
    auto& form = shown.form;
    auto& repeat = shown.repeat;

    const QWidget* windows[] = {&form, form.listCommands().form2(), form.listCommands().form3(),
                                form.aboutBox(), &repeat};
    for (const QWidget* window : windows) {
        ASSERT_NE(window, nullptr);
        const std::string where = window->objectName().toStdString();
        const Qt::WindowFlags flags = window->windowFlags();
        EXPECT_TRUE(flags.testFlag(Qt::CustomizeWindowHint)) << where;
        EXPECT_TRUE(flags.testFlag(Qt::WindowTitleHint)) << where;
        EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint)) << where;
        EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint)) << where;
        EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint)) << where;
        EXPECT_EQ(window->minimumSize(), window->maximumSize()) << where;
        EXPECT_EQ(window->size(), window->minimumSize()) << where;
    }
}
