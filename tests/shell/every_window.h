#pragma once
// The main window with each of its dialogs opened as a person opens them: the
// two item dialogs on a "Délai" row, the About box and the repetition dialog.
// For the tests that hold every window to one rule.

#include "editing/dialogs/list_commands.h"
#include "editing/scenario_model.h"
#include "platform/testing/recording_desktop.h"
#include "settings/memory_registry_control.h"
#include "shell/about/frm_about.h"
#include "shell/form1.h"
#include "shell/repeat_dialog.h"
#include "support/temp_dir.h"
#include "test_support.h"

namespace pointilla::shell::testing {

struct EveryWindowShown {
    pointilla::testing::TempDir share;
    settings::MemoryRegistryControl store;
    platform::testing::RecordingDesktop desktop;
    ScriptedFileDialog dialogs;
    Form1 form{
        {store, desktop, dialogs, "/opt/pointilla/bin", share.file("aide pointilla.html", "")}};
    RepeatDialog repeat{1, &form};

    EveryWindowShown() {
        form.show();
        form.scenarioModel().append({"D\u00e9lai", "3"});
        form.LV1->setCurrentIndex(form.scenarioModel().index(0, 0));
        form.listCommands().modi_Click();
        form.listCommands().url_Click();
        form.apropos_Click();
        repeat.show();
    }
};

}  // namespace pointilla::shell::testing
