// The quit confirmation: every close request asks once; Cancel leaves
// everything running; OK ends the program. OK ends the event loop for good,
// so it comes last.

#include <QAction>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "editing/scenario_model.h"
#include "platform/testing/recording_desktop.h"
#include "shell/form1.h"
#include "shell/memory_registry_control.h"
#include "test_support.h"

using pointilla::platform::testing::RecordingDesktop;
using pointilla::shell::Form1;
using pointilla::shell::MemoryRegistryControl;
using pointilla::shell::testing::BoxAnswerer;
using pointilla::shell::testing::ScriptedFileDialog;

class Form1QuitTest : public QObject {
    Q_OBJECT

    MemoryRegistryControl store_;
    RecordingDesktop desktop_;
    ScriptedFileDialog dialogs_;
    std::unique_ptr<Form1> form_;

  private slots:
    void init() {
        form_ = std::make_unique<Form1>(
            pointilla::shell::Form1Services{store_, desktop_, dialogs_, "/tmp", "/tmp/aide.html"});
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    }
    void cleanup() { form_.reset(); }

    void everyCloseRequestAsksOnceAndCancelKeepsRunning() {
        const std::function<void()> requests[] = {
            [this] { form_->close(); },
            [this] { form_->menuAction("quit")->trigger(); },
            [this] { form_->menuAction("qu")->trigger(); },
            [this] { form_->toolbarButton("quitter")->trigger(); },
        };
        QSignalSpy confirmed(form_.get(), &Form1::quitConfirmed);
        form_->Command3->click();
        for (const auto& request : requests) {
            BoxAnswerer answerer(QMessageBox::Cancel);
            request();
            QCOMPARE(answerer.seen().size(), std::size_t{1});
            const BoxAnswerer::Seen& box = answerer.seen()[0];
            QCOMPARE(box.title, QStringLiteral("Confirmation"));
            QCOMPARE(box.text, QStringLiteral("Voulez-vous quitter ?"));
            QCOMPARE(box.icon, QMessageBox::Question);
            QCOMPARE(box.buttons, QMessageBox::Ok | QMessageBox::Cancel);
            QVERIFY(form_->isVisible());
            QVERIFY(!form_->quitting());
        }
        QCOMPARE(confirmed.count(), 0);
        QVERIFY(form_->Timer1->isActive());
        QVERIFY(form_->Timer3->isActive());
        QCOMPARE(form_->scenarioModel().count(), 1);
    }

    void cancelLeavesAWaitingPlaybackRunning() {
        form_->scenarioModel().append({"D\u00e9lai", "30"});
        form_->start();
        QVERIFY(form_->Timer4->isActive());
        BoxAnswerer answerer(QMessageBox::Cancel);
        form_->close();
        QCOMPARE(answerer.seen().size(), std::size_t{1});
        QVERIFY(form_->Timer4->isActive());
        QCOMPARE(form_->playbackPanel(), QStringLiteral("Lecture en cours..."));
    }

    void okAsksOnceEmitsQuitConfirmedAndCloses() {
        QSignalSpy confirmed(form_.get(), &Form1::quitConfirmed);
        BoxAnswerer answerer(QMessageBox::Ok);
        form_->close();
        // The window's own close after the OK does not ask again.
        QCOMPARE(answerer.seen().size(), std::size_t{1});
        QCOMPARE(confirmed.count(), 1);
        QVERIFY(form_->quitting());
        QVERIFY(!form_->isVisible());
    }
};

QTEST_MAIN(Form1QuitTest)
#include "form1_quit_test.moc"
