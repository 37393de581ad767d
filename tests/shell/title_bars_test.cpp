// The title-bar buttons and borders every window asks its window manager
// for: a title and a close button, no minimise or maximise button, and a size
// the person cannot change.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTreeView>

#include "editing/dialogs/list_commands.h"
#include "editing/scenario_model.h"
#include "platform/testing/recording_desktop.h"
#include "settings/memory_registry_control.h"
#include "shell/about/frm_about.h"
#include "shell/form1.h"
#include "shell/repeat_dialog.h"
#include "support/temp_dir.h"
#include "test_support.h"

TEST(TitleBars, EveryWindowHasACloseButtonOnlyAndAFixedSize) {
    const pointilla::testing::TempDir share;
    pointilla::settings::MemoryRegistryControl store;
    pointilla::platform::testing::RecordingDesktop desktop;
    pointilla::shell::testing::ScriptedFileDialog dialogs;
    pointilla::shell::Form1 form(
        {store, desktop, dialogs, "/opt/pointilla/bin", share.file("aide pointilla.html", "")});
    form.show();
    form.scenarioModel().append({"D\u00e9lai", "3"});
    form.LV1->setCurrentIndex(form.scenarioModel().index(0, 0));
    form.listCommands().modi_Click();
    form.listCommands().url_Click();
    form.apropos_Click();
    pointilla::shell::RepeatDialog repeat(1, &form);
    repeat.show();

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
