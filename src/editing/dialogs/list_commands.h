#pragma once
// The commands of the scenario list's context menu: insert a click, a position,
// a delay or an address before the selected row, modify the selected row,
// delete the selected rows, empty the scenario. The dialogs they open are
// loaded on first use and unloaded when they close.

#include <QItemSelectionModel>
#include <QObject>
#include <QPointer>
#include <functional>

#include "editing/dialogs/form2.h"
#include "editing/dialogs/form3.h"
#include "editing/scenario_model.h"
#include "platform/desktop/desktop.h"

class QMenu;

namespace pointilla::editing::dialogs {

class ListCommands final : public QObject {
    Q_OBJECT

  public:
    // dialogParent owns the dialogs while they are open (the main window).
    ListCommands(ScenarioModel& rows, QItemSelectionModel& selection, platform::ScreenInfo& screen,
                 QWidget* dialogParent, QObject* parent = nullptr);

    // Connects the entries of the list's pop-up menu, found by their names
    // (pos, clic, dela, url, modi, supp, vide), anywhere in its sub-menus.
    // Returns the names it did not find.
    QStringList connectMenu(QMenu& mnuflottant);

    // The open dialogs, or nullptr.
    Form2* form2() const { return form2_ && !form2_->isUnloaded() ? form2_.data() : nullptr; }
    Form3* form3() const { return form3_ && !form3_->isUnloaded() ? form3_.data() : nullptr; }

    // Asked before "Vider le scénario" empties the rows; false keeps them.
    void setBeforeEmptying(std::function<bool()> mayEmpty) { mayEmpty_ = std::move(mayEmpty); }

    // Closes both dialogs without writing anything (at quit).
    void unloadDialogs();

  public slots:
    void pos_Click();
    void clic_Click();
    void dela_Click();
    void url_Click();
    void modi_Click();
    void supp_Click();
    void vide_Click();

  signals:
    // The scenario was emptied: the file name it came from no longer applies.
    void scenarioEmptied();

  private:
    void openForm3(ItemDialog::Frame frame);

    ScenarioModel& rows_;
    QItemSelectionModel& selection_;
    platform::ScreenInfo& screen_;
    QPointer<QWidget> dialogParent_;
    QPointer<Form2> form2_;
    QPointer<Form3> form3_;
    std::function<bool()> mayEmpty_;
};

}  // namespace pointilla::editing::dialogs
