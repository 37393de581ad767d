// The About box's texts, links and system-information button.
#include "shell/about/frm_about.h"

#include <unistd.h>

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

#include "fakes.h"
#include "shell/about/clickable_label.h"
#include "shell/about/sys_info.h"

namespace pointilla::shell::testing {
namespace {

class FrmAboutTest : public TempStore {
  protected:
    void SetUp() override {
        TempStore::SetUp();
        about = new frmAbout(QStringLiteral("Pointilla"), desktop, desktop, "/opt/pointilla/bin");
        about->show();
    }
    void TearDown() override {
        delete about.data();
        TempStore::TearDown();
    }

    QMessageBox* message() const {
        return about->findChild<QMessageBox*>(QStringLiteral("sysInfoMessage"));
    }

    RecordingOpener desktop;
    QPointer<frmAbout> about;
};

TEST(FrmAboutVersion, ShowsMajorMinorAndPatch) {
    EXPECT_EQ(frmAbout::versionText(2, 1, 15), QStringLiteral("Version 2.1.15"));
    EXPECT_EQ(frmAbout::versionText(1, 0, 0), QStringLiteral("Version 1.0.0"));
}

TEST_F(FrmAboutTest, ShowsTheTitleAndTheVersionOfThisBuild) {
    EXPECT_EQ(about->lblTitle->text(), QStringLiteral("Pointilla"));
    EXPECT_EQ(about->windowTitle(), QStringLiteral("Pointilla"));
    EXPECT_EQ(about->lblVersion->text(),
              QStringLiteral("Version ") + QString::fromLatin1(POINTILLA_BUILD_VERSION));
    EXPECT_FALSE(about->isModal());
    EXPECT_EQ(about->cmdSysInfo->text(), QStringLiteral("&Infos syst\u00e8me..."));
    EXPECT_TRUE(about->Label1->text().startsWith(QStringLiteral("E-Mail :  ")));
    EXPECT_TRUE(about->Label6->text().startsWith(QStringLiteral("Site Web : ")));
}

TEST_F(FrmAboutTest, LinksOpenTheSiteAndANewMailFromTheProgramsFolder) {
    about->Label6->clicked();
    about->Label1->clicked();
    ASSERT_EQ(desktop.opened.size(), 2U);
    EXPECT_EQ(desktop.opened[0].target, frmAbout::webSite().toStdString());
    EXPECT_EQ(desktop.opened[1].target, "mailto:" + frmAbout::mailAddress().toStdString());
    EXPECT_EQ(desktop.opened[1].workingDirectory, std::filesystem::path("/opt/pointilla/bin"));
    EXPECT_TRUE(desktop.started.empty());
}

TEST_F(FrmAboutTest, SysInfoStartsTheRecordedProgramQuietly) {
    setString(kMsinfoKey, kMsinfoValue, "/usr/bin/sysinfo-tool");
    about->cmdSysInfo->click();
    EXPECT_EQ(desktop.started, std::vector<std::filesystem::path>{"/usr/bin/sysinfo-tool"});
    EXPECT_EQ(message(), nullptr);
}

TEST_F(FrmAboutTest, SysInfoSaysSoWhenNothingIsRecorded) {
    about->cmdSysInfo->click();
    EXPECT_TRUE(desktop.started.empty());
    ASSERT_NE(message(), nullptr);
    EXPECT_EQ(message()->text(),
              QStringLiteral("Les informations syst\u00e8me ne sont pas disponibles actuellement"));
    EXPECT_EQ(message()->windowTitle(), QStringLiteral("Pointilla"));
}

TEST_F(FrmAboutTest, OkUnloadsTheBox) {
    about->cmdOK->click();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(about.isNull());
}

}  // namespace
}  // namespace pointilla::shell::testing
