#include "shell/form1.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QSessionManager>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>
#include <chrono>

#include "capture/capture_sampler.h"
#include "capture/click_capture.h"
#include "capture/hot_key_combos.h"
#include "capture/menu_capture.h"
#include "capture/pointer_capture.h"
#include "editing/accessible_names.h"
#include "editing/creation_panel.h"
#include "editing/dialogs/list_commands.h"
#include "editing/scenario_model.h"
#include "messages/file_messages.h"
#include "messages/help_messages.h"
#include "messages/playback_messages.h"
#include "messages/window_messages.h"
#include "platform/desktop/desktop.h"
#include "platform/desktop/virtual_keys.h"
#include "platform/qt/qt_paths.h"
#include "playback/playback_engine.h"
#include "playback/progress_place.h"
#include "playback/stop_key_watch.h"
#include "scenario/sce_file.h"
#include "scenario_files/scenario_files.h"
#include "settings/registry_adapters.h"
#include "settings/registry_control.h"
#include "settings/settings.h"
#include "shell/about/frm_about.h"
#include "shell/playing_row_delegate.h"
#include "shell/pointer_motion_muted.h"
#include "shell/repeat_dialog.h"
#include "shell/scenario_file_dialog.h"
#include "shell/timer_ticker.h"
#include "shell/tray/app_icon.h"
#include "shell/tray/tray_icon.h"

namespace pointilla::shell {

namespace {

QString fromUtf8(const std::string& text) { return QString::fromStdString(text); }

// A warning in the status bar stays long enough to be read.
constexpr std::chrono::milliseconds kWarningShownFor{10'000};

// A window manager draws a box's title in its own, often larger, bold font,
// beside its icon and buttons: the box is made wide enough for all of it, so
// that no title is cut ("Confir…ation").
constexpr int kTitleBarDecorations = 140;  // icon, close button, margins

void makeRoomForTitle(QMessageBox& box) {
    QFont titleFont = box.font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
    const int needed =
        QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + kTitleBarDecorations;
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        grid->addItem(new QSpacerItem(needed, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
}

}  // namespace

Form1::Form1(Form1Services services, QWidget* parent)
    : QMainWindow(parent),
      CD1(services.fileDialogs),
      services_(std::move(services)),
      model_(new editing::ScenarioModel(this)) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Pointilla"));
    // A fixed single border: a close box and no maximise or minimise button.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    useDesignFont();
    setFont(QApplication::font());

    buildLayout();
    buildMenus();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    editing::nameForScreenReaders(*this);

    sampler_ = new capture::CaptureSampler(*Label12, *model_, this);
    sampler_->timer()->stop();  // ticks from the end of start-up on
    Timer3 = sampler_->timer();
    capture_ =
        new capture::PointerCapture(services_.desktop.pointer(), services_.desktop.keyboard(),
                                    Combo1, Combo2, Combo3, Label3, Label4, Label12, this);
    connect(capture_, &capture::PointerCapture::hotKeyPressed, sampler_,
            &capture::CaptureSampler::notePress);
    Timer1 = capture_->timer1();
    Timer2 = capture_->timer2();
    if (!services_.desktop.keyboard().hearsCombinations()) {
        // No hot key on this desktop: capture from the menu instead.
        QAction* entry = options->addAction(tr("Capturer la position"));
        entry->setObjectName(QStringLiteral("capturer"));
        entry->setToolTip(fromUtf8(messages::delayedCaptureHint()));
        options->setToolTipsVisible(true);
        new capture::MenuCapture(entry, *capture_, Timer3, capture::MenuCapture::kArmedFor, this);
    }

    connect(qApp, &QGuiApplication::commitDataRequest, this, &Form1::commitData);

    Form_Load();
}

Form1::~Form1() = default;

// The design's 8-point dialog font, so the captions fit their places; for
// every window of the program, dialogs and message boxes included.
void Form1::useDesignFont() {
    QFont designFont = QApplication::font();
    designFont.setPointSizeF(8);
    QApplication::setFont(designFont);
}

void Form1::Form_Load() {
    // The title first: every settings access builds its key from it.
    replogiciel->setText(QString::fromUtf8(settings::kProductTitle.data(),
                                           static_cast<int>(settings::kProductTitle.size())));
    const std::string title = productTitle().toStdString();
    settingsAccess_ = std::make_unique<settings::SettingsKeyAccess>(services_.registry, title);

    settings::prepareSettings(services_.registry, title);
    capture::remplicombo(Combo1, Combo2, Combo3, Combo4, *settingsAccess_);
    capture::persistHotKeyChoices(Combo1, Combo2, Combo3, *settingsAccess_);
    redlecture_->setChecked(settings::hideWhilePlayingChecked(services_.registry, title));

    wirePlayback();
    wireListAndTray();
    wireClickCapture();

    capture_->start();
    Timer3->start();
}

// Playback with Timer4, the status panels, the row marker, the tray's tooltip
// and the stop key.
void Form1::wirePlayback() {
    timer4Ticker_ = std::make_unique<TimerTicker>(*Timer4);
    playback::PlaybackCallbacks callbacks;
    callbacks.setStatus = [this](const std::string& text) { setPlaybackPanel(fromUtf8(text)); };
    callbacks.hideWindow = [this] {
        hiddenWithoutTray_ = !tray_->canHideIntoTray();
        hiddenByPlayback_ = true;
        hide();
    };
    callbacks.finished = [this] { onPlaybackEnded(false); };
    callbacks.stopped = [this] { onPlaybackEnded(true); };
    // Asked before every row, so Escape pressed between two rows is honoured
    // even while rows run back to back.
    stopKeyWatch_ = std::make_unique<playback::StopKeyWatch>(services_.desktop.keyboard(),
                                                             platform::vk::kEscape);
    callbacks.stopRequested = [this] { return stopKeyWatch_->pressed(); };
    callbacks.progress = [this](const playback::Progress& now) { onPlaybackProgress(now); };
    callbacks.desktopLost = [this](int row, const platform::DesktopLost&) { onDesktopLost(row); };
    callbacks.openFailed = [this](int row, const std::string& target) {
        SB1->showMessage(fromUtf8(messages::pageNotOpenedMessage(row, target)),
                         static_cast<int>(kWarningShownFor.count()));
    };
    callbacks.handlerLetGo = [this](const std::string& address) {
        SB1->showMessage(
            fromUtf8(messages::handlerLetGoMessage(address, platform::kHandlerHoldLimit.count())),
            static_cast<int>(kWarningShownFor.count()));
    };
    playback_ = std::make_unique<playback::PlaybackEngine>(
        model_->scenario(), services_.desktop.pointer(), services_.desktop.buttons(),
        services_.desktop.opener(), *settingsAccess_, *timer4Ticker_, std::move(callbacks),
        services_.programDirectory);
    connect(Timer4, &QTimer::timeout, this, [this] {
        const PointerMotionMuted muted(*this);  // the wait may end, and rows run
        playback_->tick();
    });

    rowMarker_ = new PlayingRowDelegate(LV1);
    LV1->setItemDelegate(rowMarker_);
}

// Rows run back to back leave the window no turn to paint, and setting the
// marker, the panel and the tray's tooltip costs more than the row itself: a
// row is shown when the window next handles its events, a wait at once.
void Form1::onPlaybackProgress(const playback::Progress& progress) {
    if (progress.secondsLeft > 0) {
        showPlaybackProgress(progress);
        return;
    }
    if (progressPosted_) return;
    progressPosted_ = true;
    QTimer::singleShot(0, this, [this] {
        progressPosted_ = false;
        if (playback_->playing()) showPlaybackProgress(playback_->progress());
    });
}

void Form1::showPlaybackProgress(const playback::Progress& progress) {
    const int row = progress.row - 1;
    if (row != rowMarker_->playingRow()) {
        rowMarker_->setPlayingRow(row);
        LV1->viewport()->update();
        // Kept in view without touching the selection or the current row.
        LV1->scrollTo(model_->index(row, editing::ScenarioModel::ActionColumn));
    }
    const messages::PlaybackPlace place = playback::placeOf(progress);
    panel3_->setText(fromUtf8(messages::remainingWaitText(place)));
    tray_->setPlaybackToolTip(
        fromUtf8(messages::playbackToolTip(productTitle().toStdString(), place)));
}

void Form1::onPlaybackEnded(bool stopped) {
    rowMarker_->setPlayingRow(-1);
    LV1->viewport()->update();
    panel3_->clear();
    tray_->setPlaybackToolTip(QString());
    const bool wasHidden = hiddenByPlayback_ && !isVisible();
    hiddenByPlayback_ = false;
    followPlaybackState();
    if (hiddenWithoutTray_) {
        // Without a tray nothing else could bring the window back.
        hiddenWithoutTray_ = false;
        showNormal();
    } else if (stopped && wasHidden) {
        tray_->aff_Click();
    } else if (wasHidden) {
        tray_->notify(fromUtf8(messages::playbackEndedNotice()));
    }
}

// The playback ended at `row`: the window comes back as after a stop, then says
// why, once the engine has returned (a modal box must not run inside it).
void Form1::onDesktopLost(int row) {
    onPlaybackEnded(true);
    const QString text = fromUtf8(messages::desktopLostMessage(row));
    QTimer::singleShot(0, this, [this, text] {
        QMessageBox box(QMessageBox::Warning, productTitle(), text, QMessageBox::Ok, this);
        box.exec();
    });
}

// The stop entries and the stop key follow whether a playback runs.
void Form1::followPlaybackState() {
    const bool playing = playback_->playing();
    arret_->setEnabled(playing);
    arretIcone_->setEnabled(playing);
    capturer_->setEnabled(!playing && clickCapture_->available());
    if (playing && !capture_->stopKeyArmed()) {
        capture_->armStopKey([this] { arreter(); });
    } else if (!playing) {
        capture_->disarmStopKey();
    }
}

// The list's pop-up commands, and the tray icon (start-up step 6).
void Form1::wireListAndTray() {
    listCommands_ = new editing::dialogs::ListCommands(*model_, *LV1->selectionModel(),
                                                       services_.desktop.screen(), this, this);
    listCommands_->connectMenu(*mnuflottant);
    listCommands_->setBeforeEmptying(
        [this] { return maySetScenarioAside(fromUtf8(messages::saveFirstQuestion())); });
    LV1->viewport()->installEventFilter(this);
    LV1->installEventFilter(this);
    // Delete removes the selected rows as "Supprimer" does, while the list has the focus.
    LV1->addAction(menuAction(QStringLiteral("supp")));
    connect(LV1, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& row) {
        if (row.isValid()) listCommands_->modi_Click();
    });
    connect(listCommands_, &editing::dialogs::ListCommands::scenarioEmptied, this, [this] {
        setFilePanel(QString());
        setCurrentFile(QString());
    });

    setWindowIcon(applicationIcon());
    tray_ = new TrayIcon(*this, *mnuIcone, this);
    tray_->add();
    // At a confirmed quit the icon goes first, then the main window, then the
    // item dialogs and the About box.
    connect(this, &Form1::quitConfirmed, this, [this] {
        tray_->remove();
        hide();
        unloadOtherForms();
    });
}

void Form1::unloadOtherForms() {
    listCommands_->unloadDialogs();
    if (about_ != nullptr) about_->close();
}

frmAbout* Form1::aboutBox() const { return about_; }

QString Form1::productTitle() const { return replogiciel->text(); }

QString Form1::filePanel() const { return panel1_->text(); }
void Form1::setFilePanel(const QString& text) { panel1_->setText(text); }
QString Form1::playbackPanel() const { return panel2_->text(); }
QString Form1::waitPanel() const { return panel3_->text(); }
int Form1::playingRow() const { return rowMarker_->playingRow() + 1; }
void Form1::setPlaybackPanel(const QString& text) { panel2_->setText(text); }

QAction* Form1::menuAction(const QString& name) const {
    for (QMenu* menu : {fichi, options, ap, mnuflottant, inser, mnuIcone}) {
        for (QAction* action : menu->actions()) {
            if (action->objectName() == name) return action;
        }
    }
    return nullptr;
}

QAction* Form1::toolbarButton(const QString& key) const {
    for (QAction* action : TB1->actions()) {
        if (!action->isSeparator() && action->data().toString() == key) return action;
    }
    return nullptr;
}

// Open: the rows are replaced only once a chosen file was read; cancelling or
// a file that cannot be read leaves the scenario and panel 1 as they were.
void Form1::ouvrir() {
    if (!maySetScenarioAside(fromUtf8(messages::saveFirstQuestion()))) return;
    const std::optional<QString> chosen = CD1.chooseFileToOpen(this, lastFolder());
    if (!chosen) return;
    rememberFolder(*chosen);
    openFile(*chosen);
}

void Form1::openFile(const QString& fileName) {
    auto loaded = scenario_files::openScenarioFile(platform::pathFromQString(fileName));
    if (!loaded) {
        showFileError(fromUtf8(messages::openFailedMessage(
            QDir::toNativeSeparators(fileName).toStdString(), loaded.error())));
        return;
    }
    scenario::SceContent content = std::move(loaded).value();
    model_->replaceAll(std::move(content.rows));  // a long scenario is not held twice
    for (const scenario::HeaderCaptions& header : content.headers) {
        applyHeaderCaptions(fromUtf8(header.label8), fromUtf8(header.label9));
    }
    setFilePanel(QFileInfo(fileName).fileName());
    setCurrentFile(fileName);
    if (content.stop) {
        // The rows before the bad line stay; say where the reading stopped.
        showFileError(fromUtf8(messages::readStoppedMessage(
            QFileInfo(fileName).fileName().toStdString(), content.stop->line,
            scenario_files::readStopReason(content.stop->reason))));
    }
}

void Form1::applyHeaderCaptions(const QString& label8, const QString& label9) {
    Label8->setText(label8);
    Label9->setText(label9);
    Label1->setText(label9);
}

// Save: nothing at all for an empty scenario; a failure is reported and leaves
// any existing file as it was (the writer replaces it in one step).
void Form1::enregistre() { save(); }

bool Form1::save() {
    if (model_->count() == 0) return false;
    const std::optional<QString> chosen =
        CD1.chooseFileToSave(this, lastFolder(), QFileInfo(currentFile_).fileName());
    if (!chosen) return false;
    const QString target = withScenarioSuffix(*chosen);
    rememberFolder(target);
    const auto saved = scenario_files::saveScenarioFile(platform::pathFromQString(target),
                                                        model_->scenario().rows());
    if (!saved) {
        showFileError(fromUtf8(messages::saveFailedMessage(
            QDir::toNativeSeparators(target).toStdString(), saved.error())));
        return false;
    }
    setCurrentFile(target);
    return true;
}

// The file the rows now match: the scenario is no longer modified.
// Undoing back to this point makes the scenario unmodified again.
void Form1::setCurrentFile(const QString& fileName) {
    currentFile_ = fileName.isEmpty() ? QString() : QFileInfo(fileName).absoluteFilePath();
    model_->history().setClean();
}

bool Form1::isModified() const { return !model_->history().isClean() && model_->count() > 0; }

// The folder of the last file chosen in the open or save dialog, kept in the
// settings; before the first choice, the current file's folder, if any.
QString Form1::lastFolder() const {
    QString kept = fromUtf8(settings::readSetting(services_.registry, productTitle().toStdString(),
                                                  settings::kFolder.name));
    if (kept.isEmpty() && !currentFile_.isEmpty()) return QFileInfo(currentFile_).absolutePath();
    return kept;
}

void Form1::rememberFolder(const QString& fileName) {
    // As the system writes paths: backslashes on Windows.
    settings::writeSetting(
        services_.registry, productTitle().toStdString(), settings::kFolder.name,
        QDir::toNativeSeparators(QFileInfo(fileName).absolutePath()).toStdString());
}

bool Form1::maySetScenarioAside(const QString& question) {
    if (!isModified()) return true;
    QMessageBox box(QMessageBox::Question, productTitle(), question,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, this);
    box.setObjectName(QStringLiteral("saveQuestion"));
    box.button(QMessageBox::Yes)->setText(tr("Oui"));
    box.button(QMessageBox::No)->setText(tr("Non"));
    box.button(QMessageBox::Cancel)->setText(tr("Annuler"));
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
        case QMessageBox::Yes:
            return save();
        case QMessageBox::No:
            return true;
        default:
            return false;
    }
}

void Form1::activateFromOutside(const QString& fileName) {
    if (quitting_) return;
    if (!isVisible() || isMinimized()) {
        tray_->aff_Click();
    } else {
        raise();
        activateWindow();
    }
    if (fileName.isEmpty()) return;
    // Not inside a question or a file dialog: once it is answered.
    if (QApplication::activeModalWidget() != nullptr || asking_) {
        QTimer::singleShot(300, this, [this, fileName] { activateFromOutside(fileName); });
        return;
    }
    asking_ = true;
    const bool goOn = maySetScenarioAside(fromUtf8(messages::saveFirstQuestion()));
    asking_ = false;
    if (goOn) openFile(fileName);
}

void Form1::showFileError(const QString& text) {
    QMessageBox box(QMessageBox::Warning, productTitle(), text, QMessageBox::Ok, this);
    box.exec();
}

void Form1::redlecture_Click() {
    redlecture_->setChecked(
        settings::toggleHideWhilePlaying(services_.registry, productTitle().toStdString()));
}

// A page that is missing or that nothing could be started to show is said
// in a box, not only on standard error.
void Form1::aid_Click() {
    const std::string page = platform::textFromPath(services_.helpPage);
    std::string failure;
    std::error_code ignored;
    if (!std::filesystem::is_regular_file(services_.helpPage, ignored)) {
        failure = messages::helpPageMissingMessage(page);
    } else if (!services_.desktop.opener().open(page, services_.programDirectory)) {
        failure = messages::helpPageNotOpenedMessage(page);
    }
    if (failure.empty()) return;
    QMessageBox box(QMessageBox::Warning, productTitle(), fromUtf8(failure), QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("helpNotOpened"));
    box.exec();
}

void Form1::apropos_Click() {
    if (about_ == nullptr || !about_->isVisible()) {
        if (about_ != nullptr) about_->deleteLater();
        about_ = new frmAbout(productTitle(), services_.desktop.opener(),
                              services_.desktop.programs(), services_.programDirectory, this);
    }
    about_->show();
    about_->raise();
    about_->activateWindow();
}

void Form1::TB1_ButtonClick(const QString& key) {
    if (key == QLatin1String("aide")) {
        aid_Click();
    } else if (key == QLatin1String("quitter")) {
        close();
    } else if (key == QLatin1String("start")) {
        start();
    } else if (key == QLatin1String("tray")) {
        // Hidden into the tray; only minimised when there is no tray to come back from.
        tray_->hideWindow();
    } else if (key == QLatin1String("enre")) {
        enregistre();
    } else if (key == QLatin1String("ouvrir")) {
        ouvrir();
    }
}

void Form1::start() {
    if (clickCapture_->active()) return;
    playback_->setRepetitions(
        playback::parseRepetitions(settingsAccess_->read(settings::kRepetitions.name)));
    stopKeyWatch_->restart();
    {
        const PointerMotionMuted muted(*this);  // until the next wait or the end
        playback_->start();
    }
    followPlaybackState();
}

void Form1::arreter() { playback_->stop(); }

void Form1::repeter_Click() {
    const int current =
        playback::parseRepetitions(settingsAccess_->read(settings::kRepetitions.name));
    if (const auto chosen = askRepetitions(current, this)) {
        settingsAccess_->write(settings::kRepetitions.name, playback::repetitionsText(*chosen));
    }
}

// Every close request ends here: it is cancelled and replaced by the question.
void Form1::closeEvent(QCloseEvent* event) {
    if (quitting_) {
        event->accept();
        return;
    }
    event->ignore();
    quitte();
    // A confirmed quit closes the window with this very request.
    if (quitting_) event->accept();
}

// The one place that asks whether the program may end, for every close
// request and for the session's end; one question at a time.
bool Form1::askQuit() {
    asking_ = true;
    if (isModified()) {
        const bool mayQuit = maySetScenarioAside(fromUtf8(messages::saveBeforeQuitQuestion()));
        asking_ = false;
        return mayQuit;
    }
    QMessageBox box(QMessageBox::Question, tr("Confirmation"), fromUtf8(messages::quitQuestion()),
                    QMessageBox::Ok | QMessageBox::Cancel, this);
    box.setObjectName(QStringLiteral("quitConfirmation"));
    makeRoomForTitle(box);
    const bool confirmed = box.exec() == QMessageBox::Ok;
    asking_ = false;
    return confirmed;
}

void Form1::quitte() {
    // One question per quit, even when more close requests arrive meanwhile.
    if (quitting_ || asking_) return;
    if (!askQuit()) return;
    quitting_ = true;
    emit quitConfirmed();
    close();
    QCoreApplication::exit(0);
}

// The session is ending: the same question, once, when the session lets us ask.
void Form1::commitData(QSessionManager& manager) {
    if (quitting_ || !manager.allowsInteraction()) return;
    if (asking_) {
        manager.cancel();
        return;
    }
    const bool confirmed = askQuit();
    manager.release();
    if (!confirmed) {
        manager.cancel();
        return;
    }
    quitting_ = true;
    emit quitConfirmed();
}

void Form1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shownOnce_) return;
    shownOnce_ = true;
    // Centred on the screen the first time it appears.
    if (QScreen* where = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(where->availableGeometry().center());
        move(frame.topLeft());
    }
}

// The list's pop-up menu comes from the right button, the menu key or
// Shift+F10, and only over a list that holds rows; from the keyboard it opens
// at the selected row.
bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == LV1 && event->type() == QEvent::KeyPress) {
        const auto* press = static_cast<QKeyEvent*>(event);
        const int key = press->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            listCommands_->modi_Click();
            return true;
        }
        const bool shiftF10 = key == Qt::Key_F10 && press->modifiers() == Qt::ShiftModifier;
        if (key == Qt::Key_Menu || shiftF10) {
            popUpListMenuAtSelection();
            return true;
        }
    }
    if (watched == LV1->viewport() && event->type() == QEvent::MouseButtonPress) {
        const auto* press = static_cast<QMouseEvent*>(event);
        if (press->button() == Qt::RightButton && model_->count() > 0) {
            mnuflottant->popup(press->globalPosition().toPoint());
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void Form1::popUpListMenuAtSelection() {
    if (model_->count() == 0) return;
    const QModelIndex current = LV1->currentIndex();
    QRect row = current.isValid() ? LV1->visualRect(current) : QRect();
    if (!row.isValid() || !LV1->viewport()->rect().intersects(row)) row = QRect(0, 0, 1, 1);
    mnuflottant->popup(LV1->viewport()->mapToGlobal(row.bottomLeft()));
}

}  // namespace pointilla::shell
