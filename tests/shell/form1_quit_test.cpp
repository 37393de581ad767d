// The quit confirmation: every close request asks once; Cancel leaves
// everything running; OK ends the program. A modified scenario asks to be
// saved instead, before quitting, opening or emptying.

#include <gtest/gtest.h>

#include <QAction>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "editing/scenario_model.h"
#include "platform/testing/recording_desktop.h"
#include "settings/memory_registry_control.h"
#include "shell/form1.h"
#include "support/qt_checks.h"
#include "support/temp_dir.h"
#include "test_support.h"

using pointilla::platform::testing::RecordingDesktop;
using pointilla::settings::MemoryRegistryControl;
using pointilla::shell::Form1;
using pointilla::shell::testing::BoxAnswerer;
using pointilla::shell::testing::qtPath;
using pointilla::shell::testing::ScriptedFileDialog;
using pointilla::testing::TempDir;

class Form1Quit : public ::testing::Test {
  protected:
    void SetUp() override {
        form_ = std::make_unique<Form1>(
            pointilla::shell::Form1Services{store_, desktop_, dialogs_, "/tmp", "/tmp/aide.html"});
        form_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form_.get()));
    }
    void TearDown() override {
        // A confirmed quit ends every event loop for good; running the
        // application's own loop once clears that for the next test.
        const bool quit = form_->quitting();
        form_.reset();
        if (quit) {
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
            QCoreApplication::exec();
        }
    }

    MemoryRegistryControl store_;
    RecordingDesktop desktop_;
    ScriptedFileDialog dialogs_;
    std::unique_ptr<Form1> form_;
};

TEST_F(Form1Quit, EveryCloseRequestAsksOnceAndCancelKeepsRunning) {
    // Saved, so not modified: the plain question.
    const TempDir dir;
    form_->Command3->click();
    dialogs_.answerSave(qtPath(dir.path() / "un.sce"));
    form_->enregistre();
    ASSERT_FALSE(form_->isModified());
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
        ASSERT_EQ(answerer.seen().size(), std::size_t{1});
        const BoxAnswerer::Seen& box = answerer.seen()[0];
        ASSERT_EQ(box.title, QStringLiteral("Confirmation"));
        // Room for the title drawn large and bold, with the title bar's icon and button.
        QFont titleFont = form_->font();
        titleFont.setBold(true);
        titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
        ASSERT_GE(box.width, QFontMetrics(titleFont).horizontalAdvance(box.title) + 100);
        ASSERT_EQ(box.text, QStringLiteral("Voulez-vous quitter ?"));
        ASSERT_EQ(box.icon, QMessageBox::Question);
        ASSERT_EQ(box.buttons, QMessageBox::Ok | QMessageBox::Cancel);
        ASSERT_TRUE(form_->isVisible());
        ASSERT_FALSE(form_->quitting());
    }
    ASSERT_EQ(confirmed.count(), 0);
    ASSERT_TRUE(form_->Timer1->isActive());
    ASSERT_TRUE(form_->Timer3->isActive());
    ASSERT_EQ(form_->scenarioModel().count(), 1);
}

TEST_F(Form1Quit, CancelLeavesAWaitingPlaybackRunning) {
    form_->scenarioModel().append({"D\u00e9lai", "30"});
    form_->start();
    ASSERT_TRUE(form_->Timer4->isActive());
    BoxAnswerer answerer(QMessageBox::Cancel);
    form_->close();
    ASSERT_EQ(answerer.seen().size(), std::size_t{1});
    ASSERT_TRUE(form_->Timer4->isActive());
    ASSERT_EQ(form_->playbackPanel(), QStringLiteral("Lecture en cours..."));
}

// Modified means rows changed since the start, open or save; an empty
// scenario never is.
TEST_F(Form1Quit, ModifiedFollowsTheRowsAndTheLastSave) {
    ASSERT_FALSE(form_->isModified());
    form_->scenarioModel().append({"D\u00e9lai", "3"});
    ASSERT_TRUE(form_->isModified());
    form_->scenarioModel().remove(1);
    ASSERT_FALSE(form_->isModified());
    form_->scenarioModel().append({"D\u00e9lai", "3"});
    const TempDir dir;
    dialogs_.answerSave(qtPath(dir.path() / "d.sce"));
    form_->enregistre();
    ASSERT_FALSE(form_->isModified());
    form_->scenarioModel().setDetail(1, "4");
    ASSERT_TRUE(form_->isModified());
}

TEST_F(Form1Quit, ModifiedScenarioAsksToSaveBeforeQuittingOpeningOrEmptying) {
    const int savesBefore = dialogs_.saveAsked();
    form_->scenarioModel().append({"D\u00e9lai", "3"});
    {
        BoxAnswerer answerer(QMessageBox::Cancel);
        form_->close();
        ASSERT_EQ(answerer.seen().size(), std::size_t{1});
        const BoxAnswerer::Seen& box = answerer.seen()[0];
        ASSERT_EQ(box.title, QStringLiteral("Pointilla"));
        ASSERT_EQ(box.text, QStringLiteral("Le sc\u00e9nario a \u00e9t\u00e9 modifi\u00e9. "
                                           "Voulez-vous l'enregistrer avant de quitter ?"));
        ASSERT_EQ(box.buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        for (const char* caption : {"Oui", "Non", "Annuler"}) {
            ASSERT_TRUE(box.buttonTexts.contains(QString::fromLatin1(caption)));
        }
        ASSERT_TRUE(form_->isVisible());
    }
    {
        // "Oui" with the save dialog cancelled: nothing quits.
        BoxAnswerer answerer(QMessageBox::Yes);
        form_->close();
        ASSERT_EQ(dialogs_.saveAsked(), savesBefore + 1);
        ASSERT_FALSE(form_->quitting());
    }
    const QString question = QStringLiteral(
        "Le sc\u00e9nario a \u00e9t\u00e9 modifi\u00e9. Voulez-vous l'enregistrer ?");
    {
        const int opensBefore = dialogs_.openAsked();
        BoxAnswerer answerer(QMessageBox::Cancel);
        form_->menuAction("ouv")->trigger();
        form_->menuAction("vide")->trigger();
        ASSERT_EQ(answerer.seen().size(), std::size_t{2});
        ASSERT_EQ(answerer.seen()[0].text, question);
        ASSERT_EQ(answerer.seen()[1].text, question);
        ASSERT_EQ(dialogs_.openAsked(), opensBefore);
        ASSERT_EQ(form_->scenarioModel().count(), 1);
    }
    BoxAnswerer answerer(QMessageBox::No);
    form_->menuAction("vide")->trigger();
    ASSERT_EQ(form_->scenarioModel().count(), 0);
    ASSERT_EQ(dialogs_.saveAsked(), savesBefore + 1);
}

TEST_F(Form1Quit, YesSavesThenQuits) {
    form_->scenarioModel().append({"D\u00e9lai", "3"});
    const TempDir dir;
    dialogs_.answerSave(qtPath(dir.path() / "avant-de-quitter"));
    BoxAnswerer answerer(QMessageBox::Yes);
    form_->close();
    ASSERT_TRUE(QFile::exists(qtPath(dir.path() / "avant-de-quitter.sce")));
    ASSERT_TRUE(form_->quitting());
}

TEST_F(Form1Quit, OkAsksOnceEmitsQuitConfirmedAndCloses) {
    QSignalSpy confirmed(form_.get(), &Form1::quitConfirmed);
    BoxAnswerer answerer(QMessageBox::Ok);
    form_->close();
    // The window's own close after the OK does not ask again.
    ASSERT_EQ(answerer.seen().size(), std::size_t{1});
    ASSERT_EQ(confirmed.count(), 1);
    ASSERT_TRUE(form_->quitting());
    ASSERT_FALSE(form_->isVisible());
}
