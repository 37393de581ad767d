#pragma once
// `Form1`, the main window: the scenario list, the creation panel, the live
// pointer display and hot-key lists, the toolbar, menus and status bar, and
// the settings kept through the registry control. Loading it starts the
// program; the program ends when the person confirms the quit question.

#include <QElapsedTimer>
#include <QMainWindow>
#include <QPointer>
#include <filesystem>
#include <memory>
#include <vector>

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QSessionManager;
class QStatusBar;
class QTimer;
class QToolBar;
class QTreeView;

namespace pointilla::platform {
class Desktop;
}
namespace pointilla::scenario {
struct Row;
}
namespace pointilla::capture {
class CaptureSampler;
class ClickCapture;
class PointerCapture;
}  // namespace pointilla::capture
namespace pointilla::settings {
class RegistryControl;
class SettingsKeyAccess;
}  // namespace pointilla::settings
namespace pointilla::playback {
class PlaybackEngine;
class StopKeyWatch;
struct Progress;
}  // namespace pointilla::playback
namespace pointilla::editing {
class CreationPanel;
class ScenarioModel;
namespace dialogs {
class ListCommands;
}
}  // namespace pointilla::editing

namespace pointilla::shell {

class ScenarioFileDialog;
class TimerTicker;
class TrayIcon;
class frmAbout;
class PlayingRowDelegate;

// What the main window works with; every reference must outlive the window.
struct Form1Services {
    settings::RegistryControl& registry;  // the `Trellis` control
    platform::Desktop& desktop;           // pointer, keys, clicks, opening pages
    ScenarioFileDialog& fileDialogs;      // `CD1`
    std::filesystem::path programDirectory;
    std::filesystem::path helpPage;  // in the person's language
};

class Form1 : public QMainWindow {
    Q_OBJECT

  public:
    explicit Form1(Form1Services services, QWidget* parent = nullptr);
    ~Form1() override;

    // Makes the main window's 8-point font the font of every window of the
    // program; the window does it itself, start-up before any message box.
    static void useDesignFont();

    // The product title, source of the settings key.
    QString productTitle() const;
    settings::RegistryControl& registry() { return services_.registry; }
    editing::ScenarioModel& scenarioModel() { return *model_; }
    playback::PlaybackEngine& playback() { return *playback_; }
    capture::PointerCapture& pointerCapture() { return *capture_; }
    capture::ClickCapture& clickCapture() { return *clickCapture_; }

    // Status bar panels: 1 the scenario file's name, 2 the playback status.
    QString filePanel() const;
    void setFilePanel(const QString& text);
    QString playbackPanel() const;
    void setPlaybackPanel(const QString& text);
    // Panel 3: the seconds left of a playback's wait ("encore 4 s").
    QString waitPanel() const;
    // The row a playback is performing, marked in LV1 (1-based; 0: none).
    int playingRow() const;

    // Hidden pop-up menus: the list's and the tray icon's.
    QMenu* popupMenu() const { return mnuflottant; }
    QMenu* trayMenu() const { return mnuIcone; }
    QAction* menuAction(const QString& name) const;    // by object name
    QAction* toolbarButton(const QString& key) const;  // by key

    // True once the person confirmed the quit: the window then closes for good.
    bool quitting() const { return quitting_; }

    // Whether the rows changed since the start or the last successful open or
    // save. An empty scenario is never modified.
    bool isModified() const;

    // The list's pop-up commands with their dialogs, the tray icon, and the
    // About box while it is open (else nullptr).
    editing::dialogs::ListCommands& listCommands() { return *listCommands_; }
    TrayIcon& trayIcon() { return *tray_; }
    frmAbout* aboutBox() const;

    // Controls, named as the program's design names them.
    QToolBar* TB1;
    QStatusBar* SB1;
    QTreeView* LV1;
    QGroupBox* Frame3;
    editing::CreationPanel* Frame1;
    QGroupBox* Frame2;
    QComboBox* Combo1;
    QComboBox* Combo2;
    QComboBox* Combo3;
    QComboBox* Combo4;
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command3;
    QLineEdit* Text1;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QLabel* Label6;
    QLabel* Label7;
    QLabel* Label8;
    QLabel* Label9;
    QLabel* Label10;
    QLabel* Label11;
    QLabel* Label12;
    QLabel* replogiciel;
    QTimer* Timer1;
    QTimer* Timer2;
    QTimer* Timer3;
    QTimer* Timer4;
    ScenarioFileDialog& CD1;

    // Menus.
    QMenu* fichi;
    QMenu* options;
    QMenu* ap;
    QMenu* mnuflottant;
    QMenu* inser;
    QMenu* mnuIcone;

  signals:
    // Emitted by `quitte` after an OK, before the program ends: the tray icon
    // and the other windows go away on it.
    void quitConfirmed();

  public slots:
    // Opens the file as "Ouvrir un scénario" would once it was chosen (the
    // program's start with a file, a file handed over by a later start).
    void openFile(const QString& fileName);
    // A later start asked for this program: the window comes to the front and
    // opens the file, if any, after the save question when needed.
    void activateFromOutside(const QString& fileName);
    void ouvrir();
    void enregistre();
    void redlecture_Click();
    void aid_Click();
    void apropos_Click();
    void TB1_ButtonClick(const QString& key);
    void start();          // the toolbar's "start": playback from row 1
    void arreter();        // "Arrêter la lecture" (and Escape): the playback stops at once
    void repeter_Click();  // "Répéter la lecture...": asks for "repet"
    void quitte();
    // "Capturer les clics" (F9): starts a click capture, or ends the one running.
    void capturerClics_Click();

  protected:
    void closeEvent(QCloseEvent* event) override;
    // The list's pop-up menu (a right button going down over a list that holds
    // rows) and its keys (Enter modifies the selected row).
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void buildLayout();
    void buildPointerDisplay(QWidget* client);
    void buildScenarioFrame(QWidget* client);
    void buildStatusBar(QWidget* client);
    void buildMenus();
    void buildHistoryEntries();
    void popUpListMenuAtSelection();
    void buildToolbar(QWidget* client);
    void Form_Load();
    void commitData(QSessionManager& manager);
    void wireListAndTray();
    void unloadOtherForms();
    void applyHeaderCaptions(const QString& label8, const QString& label9);
    bool askQuit();
    // "Oui" saves (true only when the save succeeded), "Non" goes on, "Annuler"
    // stays. Asks nothing and goes on when the scenario is not modified.
    bool maySetScenarioAside(const QString& question);
    bool save();
    void setCurrentFile(const QString& fileName);
    QString lastFolder() const;
    void rememberFolder(const QString& fileName);
    void showFileError(const QString& text);
    void wirePlayback();
    void onPlaybackProgress(const playback::Progress& progress);
    void showPlaybackProgress(const playback::Progress& progress);
    void onPlaybackEnded(bool stopped);
    void onDesktopLost(int row);
    void followPlaybackState();
    void wireClickCapture();
    void followClickCaptureState(bool active);
    void appendCapturedRows(const std::vector<scenario::Row>& rows);

    Form1Services services_;
    editing::ScenarioModel* model_;
    capture::CaptureSampler* sampler_ = nullptr;
    capture::PointerCapture* capture_ = nullptr;
    capture::ClickCapture* clickCapture_ = nullptr;
    QAction* capturer_ = nullptr;    // "Options > Capturer les clics", also in the tray menu
    QElapsedTimer endedByKey_;       // since F9 last ended a capture
    bool clickRowsGrouped_ = false;  // a capture's rows are one undo step
    std::unique_ptr<settings::SettingsKeyAccess> settingsAccess_;
    std::unique_ptr<TimerTicker> timer4Ticker_;
    std::unique_ptr<playback::PlaybackEngine> playback_;
    std::unique_ptr<playback::StopKeyWatch> stopKeyWatch_;
    // A row's progress waits for the window's next turn of its event loop.
    bool progressPosted_ = false;
    QLabel* panel1_ = nullptr;
    QLabel* panel2_ = nullptr;
    QLabel* panel3_ = nullptr;
    QAction* redlecture_ = nullptr;
    QAction* undo_ = nullptr;        // "Annuler"
    QAction* redo_ = nullptr;        // "Rétablir"
    QAction* arret_ = nullptr;       // "Fichier > Arrêter la lecture"
    QAction* arretIcone_ = nullptr;  // the same in the tray menu
    PlayingRowDelegate* rowMarker_ = nullptr;
    editing::dialogs::ListCommands* listCommands_ = nullptr;
    TrayIcon* tray_ = nullptr;
    QPointer<frmAbout> about_;
    // Hidden by a playback while no tray could bring it back: shown at its end.
    bool hiddenWithoutTray_ = false;
    // Hidden by the current playback: a stop shows it again.
    bool hiddenByPlayback_ = false;
    bool quitting_ = false;
    QString currentFile_;
    bool asking_ = false;
    bool shownOnce_ = false;
};

}  // namespace pointilla::shell
