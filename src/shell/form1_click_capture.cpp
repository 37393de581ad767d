// Click capture on the main window: its entry in "Options" and in the tray
// menu, the count in panel 2, the tray's tooltip, and the keys that end it.

#include <QAction>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>

#include "capture/click_capture.h"
#include "capture/pointer_capture.h"
#include "editing/scenario_model.h"
#include "messages/capture_messages.h"
#include "platform/desktop/desktop.h"
#include "platform/desktop/virtual_keys.h"
#include "playback/playback_engine.h"
#include "shell/form1.h"
#include "shell/tray/tray_icon.h"

namespace pointilla::shell {

namespace {

QString fromUtf8(const std::string& text) { return QString::fromStdString(text); }

// How long after a key ended a capture a request to start one is taken for
// the same press.
constexpr qint64 kSameKeyPressMs = 500;

}  // namespace

void Form1::wireClickCapture() {
    platform::ClickSource* source = services_.desktop.clicks();
    clickCapture_ = new capture::ClickCapture(
        source, Timer1,
        [this](const std::vector<scenario::Row>& rows) { appendCapturedRows(rows); }, this);

    capturer_ = new QAction(fromUtf8(messages::clickCaptureEntry()), this);
    capturer_->setObjectName(QStringLiteral("capturerclics"));
    capturer_->setCheckable(true);
    capturer_->setShortcut(QKeySequence(Qt::Key_F9));
    capturer_->setEnabled(source != nullptr);
    capturer_->setToolTip(source != nullptr
                              ? fromUtf8(messages::clickCaptureHint(
                                    source->reach() == platform::ClickReach::X11ProgramsOnly))
                              : fromUtf8(messages::clickCaptureUnavailable()));
    options->addAction(capturer_);
    options->setToolTipsVisible(true);
    mnuIcone->insertAction(menuAction(QStringLiteral("sep4")), capturer_);
    mnuIcone->setToolTipsVisible(true);
    connect(capturer_, &QAction::triggered, this, &Form1::capturerClics_Click);

    connect(clickCapture_, &capture::ClickCapture::clicksChanged, this, [this](int clicks) {
        setPlaybackPanel(fromUtf8(messages::clickCaptureCount(clicks)));
    });
    connect(clickCapture_, &capture::ClickCapture::activeChanged, this,
            &Form1::followClickCaptureState);
    // The rows of one capture, from its start to its end, are one step of the history.
    connect(clickCapture_, &capture::ClickCapture::activeChanged, this, [this](bool active) {
        if (active == clickRowsGrouped_) return;
        clickRowsGrouped_ = active;
        if (active) {
            model_->beginGroup();
        } else {
            model_->endGroup();
        }
    });
}

void Form1::capturerClics_Click() {
    if (clickCapture_->active()) {
        clickCapture_->stop();
        return;
    }
    capturer_->setChecked(false);  // until it has really started
    if (playback_->playing()) return;
    // With the window in front, the F9 that the key watch took as the end of
    // a capture also reaches the window as this entry's shortcut.
    if (endedByKey_.isValid() && endedByKey_.elapsed() < kSameKeyPressMs) return;
    const auto started = clickCapture_->start();
    if (!started) {
        std::fprintf(stderr, "pointilla: %s\n", started.error().detail.c_str());
        QMessageBox box(QMessageBox::Warning, productTitle(),
                        fromUtf8(messages::clickCaptureRefused()), QMessageBox::Ok, this);
        box.exec();
    }
}

// Playing and capturing exclude each other; F9 and Escape end a capture
// wherever the focus is, as Escape ends a playback.
void Form1::followClickCaptureState(bool active) {
    capturer_->setChecked(active);
    if (QAction* play = toolbarButton(QStringLiteral("start"))) play->setEnabled(!active);
    if (active) {
        capture_->armStopKey(
            [this] {
                if (services_.desktop.keyboard().isDown(platform::vk::functionKey(9))) {
                    endedByKey_.start();
                }
                clickCapture_->stop();
            },
            {platform::vk::functionKey(9), platform::vk::kEscape});
        tray_->setPlaybackToolTip(fromUtf8(messages::clickCaptureToolTip()));
    } else {
        capture_->disarmStopKey();
        setPlaybackPanel(QString());
        tray_->setPlaybackToolTip(QString());
    }
}

// Every row a capture adds goes through here, so that one capture can become
// one step to undo.
void Form1::appendCapturedRows(const std::vector<scenario::Row>& rows) {
    for (const scenario::Row& row : rows) model_->append(row);
}

}  // namespace pointilla::shell
