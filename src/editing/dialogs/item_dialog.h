#pragma once
// What the modification and insertion dialogs share: a small fixed tool window
// with three frames in one place ("Délai", "Position", "URL"), only one shown at
// a time, and the buttons "Ok" and "Annuler" below them. Each dialog is
// modeless and deletes itself when it closes, so that every opening loads it
// afresh.

#include <QDialog>
#include <optional>
#include <string>

#include "platform/desktop/desktop.h"
#include "scenario/row_kinds.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace pointilla::editing::dialogs {

class ItemDialog : public QDialog {
    Q_OBJECT

  public:
    // The frame of each kind of row is named in the table of row kinds.
    using Frame = scenario::EditFrame;

    // Shows the one frame and hides the other two (all three for Frame::None).
    void showFrame(Frame frame);
    // The frame that is shown (std::nullopt before the first showFrame()).
    std::optional<Frame> shownFrame() const;

    QComboBox* Combo1 = nullptr;      // the 60 delay entries
    QLineEdit* Text1 = nullptr;       // web address
    QLineEdit* Text2 = nullptr;       // X
    QLineEdit* Text3 = nullptr;       // Y
    QPushButton* Command1 = nullptr;  // "Ok"
    QPushButton* Command2 = nullptr;  // "Annuler"
    QGroupBox* Frame1 = nullptr;      // "Délai"
    QGroupBox* Frame2 = nullptr;      // "Position"
    QGroupBox* Frame3 = nullptr;      // "URL"

    // The message shown when X or Y is not a whole number.
    static QString invalidPositionMessage();

    // True once the dialog has closed; it is then deleted at the next turn of
    // the event loop and must not be shown again.
    bool isUnloaded() const { return unloaded_; }

  protected:
    ItemDialog(const QString& caption, int clientHeightTwips, platform::ScreenInfo& screen,
               QWidget* parent);

    // Empties Combo1 and adds "1" to "60"; no entry is selected.
    void fillDelayList();

    // The X and Y boxes bounded to the primary screen and written back into the
    // boxes, then joined into a position detail. When a box is not a whole
    // number, tells the user so and returns std::nullopt; the boxes stay as typed.
    std::optional<std::string> boundedPositionDetail();

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Escape ends the dialog like "Annuler", through done().
    void done(int result) override;

  private:
    virtual void Command1_Click() = 0;
    void buildFrames();
    void centreOnScreen();

    platform::ScreenInfo& screen_;
    bool placed_ = false;
    bool unloaded_ = false;
};

// Qt's text of a widget as the UTF-8 the scenario holds, and back.
std::string toUtf8(const QString& text);
QString fromUtf8(const std::string& text);

}  // namespace pointilla::editing::dialogs
