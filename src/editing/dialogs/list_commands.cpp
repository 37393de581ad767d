#include "editing/dialogs/list_commands.h"

#include <QMenu>

#include "editing/dialogs/selected_row.h"
#include "scenario/row.h"

namespace pointilla::editing::dialogs {
namespace {

QAction* findAction(const QMenu& menu, const QString& name) {
    for (QAction* action : menu.actions()) {
        if (action->objectName() == name) return action;
        if (const QMenu* sub = action->menu()) {
            if (QAction* found = findAction(*sub, name)) return found;
        }
    }
    return nullptr;
}

void bringToFront(QWidget& window) {
    window.show();
    window.raise();
    window.activateWindow();
}

}  // namespace

ListCommands::ListCommands(ScenarioModel& rows, QItemSelectionModel& selection,
                           platform::ScreenInfo& screen, QWidget* dialogParent, QObject* parent)
    : QObject(parent),
      rows_(rows),
      selection_(selection),
      screen_(screen),
      dialogParent_(dialogParent) {}

QStringList ListCommands::connectMenu(QMenu& mnuflottant) {
    const std::pair<const char*, void (ListCommands::*)()> entries[] = {
        {"pos", &ListCommands::pos_Click},   {"clic", &ListCommands::clic_Click},
        {"dela", &ListCommands::dela_Click}, {"url", &ListCommands::url_Click},
        {"modi", &ListCommands::modi_Click}, {"supp", &ListCommands::supp_Click},
        {"vide", &ListCommands::vide_Click},
    };
    QStringList missing;
    for (const auto& [name, slot] : entries) {
        QAction* action = findAction(mnuflottant, QString::fromLatin1(name));
        if (action == nullptr) {
            missing << QString::fromLatin1(name);
            continue;
        }
        connect(action, &QAction::triggered, this, slot);
    }
    return missing;
}

void ListCommands::clic_Click() { insertBeforeSelected(rows_, selection_, scenario::clickRow()); }

void ListCommands::pos_Click() { openForm3(ItemDialog::Frame::Position); }
void ListCommands::dela_Click() { openForm3(ItemDialog::Frame::Delay); }
void ListCommands::url_Click() { openForm3(ItemDialog::Frame::Url); }

void ListCommands::openForm3(ItemDialog::Frame frame) {
    if (form3_ == nullptr || form3_->isUnloaded()) {
        form3_ = new Form3(rows_, selection_, screen_, dialogParent_);
        form3_->Form_Load();
    }
    // An open dialog keeps what its boxes hold and only switches its frame.
    form3_->showFrame(frame);
    bringToFront(*form3_);
}

void ListCommands::modi_Click() {
    const auto n = selectedRow(selection_);
    if (!n || !rows_.scenario().contains(*n)) return;
    if (!Form2::canModify(rows_.scenario().action(*n))) return;
    if (form2_ == nullptr || form2_->isUnloaded()) {
        form2_ = new Form2(rows_, selection_, screen_, dialogParent_);
        form2_->Form_Load();
    }
    bringToFront(*form2_);
}

void ListCommands::supp_Click() { rows_.removeRows(selectedRows(selection_)); }

void ListCommands::vide_Click() {
    if (mayEmpty_ && !mayEmpty_()) return;
    rows_.clear();
    emit scenarioEmptied();
}

void ListCommands::unloadDialogs() {
    // Closing hides them at once; they are deleted later, or with their parent.
    if (form2_ != nullptr) form2_->close();
    if (form3_ != nullptr) form3_->close();
}

}  // namespace pointilla::editing::dialogs
