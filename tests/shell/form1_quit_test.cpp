// The quit confirmation: every close request asks once; Cancel leaves
// everything running; OK ends the program. A modified scenario asks to be
// saved instead, before quitting, opening or emptying.

#include <QAction>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
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
    void cleanup() {
        // A confirmed quit ends every event loop for good; running the
        // application's own loop once clears that for the next test.
        const bool quit = form_->quitting();
        form_.reset();
        if (quit) {
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
            QCoreApplication::exec();
        }
    }

    void everyCloseRequestAsksOnceAndCancelKeepsRunning() {
        // Saved, so not modified: the plain question.
        QTemporaryDir dir;
        form_->Command3->click();
        dialogs_.answerSave(dir.filePath("un.sce"));
        form_->enregistre();
        QVERIFY(!form_->isModified());
        const std::function<void()> requests[] = {
            [this] { form_->close(); },
            [this] { form_->menuAction("quit")->trigger(); },
            [this] { form_->menuAction("qu")->trigger(); },
            [this] { form_->toolbarButton("quitter")->trigger(); },
        };
        QSignalSpy confirmed(form_.get(), &Form1::quitConfirmed);
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

    // Modified means rows changed since the start, open or save; an empty
    // scenario never is.
    void modifiedFollowsTheRowsAndTheLastSave() {
        QVERIFY(!form_->isModified());
        form_->scenarioModel().append({"D\u00e9lai", "3"});
        QVERIFY(form_->isModified());
        form_->scenarioModel().remove(1);
        QVERIFY(!form_->isModified());
        form_->scenarioModel().append({"D\u00e9lai", "3"});
        QTemporaryDir dir;
        dialogs_.answerSave(dir.filePath("d.sce"));
        form_->enregistre();
        QVERIFY(!form_->isModified());
        form_->scenarioModel().setDetail(1, "4");
        QVERIFY(form_->isModified());
    }

    void modifiedScenarioAsksToSaveBeforeQuittingOpeningOrEmptying() {
        const int savesBefore = dialogs_.saveAsked();
        form_->scenarioModel().append({"D\u00e9lai", "3"});
        {
            BoxAnswerer answerer(QMessageBox::Cancel);
            form_->close();
            QCOMPARE(answerer.seen().size(), std::size_t{1});
            const BoxAnswerer::Seen& box = answerer.seen()[0];
            QCOMPARE(box.title, QStringLiteral("Pointilla"));
            QCOMPARE(box.text, QStringLiteral("Le sc\u00e9nario a \u00e9t\u00e9 modifi\u00e9. "
                                              "Voulez-vous l'enregistrer avant de quitter ?"));
            QCOMPARE(box.buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            for (const char* caption : {"Oui", "Non", "Annuler"}) {
                QVERIFY(box.buttonTexts.contains(QString::fromLatin1(caption)));
            }
            QVERIFY(form_->isVisible());
        }
        {
            // "Oui" with the save dialog cancelled: nothing quits.
            BoxAnswerer answerer(QMessageBox::Yes);
            form_->close();
            QCOMPARE(dialogs_.saveAsked(), savesBefore + 1);
            QVERIFY(!form_->quitting());
        }
        const QString question = QStringLiteral(
            "Le sc\u00e9nario a \u00e9t\u00e9 modifi\u00e9. Voulez-vous l'enregistrer ?");
        {
            const int opensBefore = dialogs_.openAsked();
            BoxAnswerer answerer(QMessageBox::Cancel);
            form_->menuAction("ouv")->trigger();
            form_->menuAction("vide")->trigger();
            QCOMPARE(answerer.seen().size(), std::size_t{2});
            QCOMPARE(answerer.seen()[0].text, question);
            QCOMPARE(answerer.seen()[1].text, question);
            QCOMPARE(dialogs_.openAsked(), opensBefore);
            QCOMPARE(form_->scenarioModel().count(), 1);
        }
        BoxAnswerer answerer(QMessageBox::No);
        form_->menuAction("vide")->trigger();
        QCOMPARE(form_->scenarioModel().count(), 0);
        QCOMPARE(dialogs_.saveAsked(), savesBefore + 1);
    }

    void yesSavesThenQuits() {
        form_->scenarioModel().append({"D\u00e9lai", "3"});
        QTemporaryDir dir;
        dialogs_.answerSave(dir.filePath("avant-de-quitter"));
        BoxAnswerer answerer(QMessageBox::Yes);
        form_->close();
        QVERIFY(QFile::exists(dir.filePath("avant-de-quitter.sce")));
        QVERIFY(form_->quitting());
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
