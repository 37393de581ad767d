#pragma once
// The About box: the program's title, version and author, a legal notice, the
// author's web site and mail address (each opens in the desktop's default
// program when clicked), and a button that starts the system-information tool.
// Modeless; it deletes itself when it closes, so every opening loads it afresh.

#include <QDialog>
#include <filesystem>

#include "platform/desktop/desktop.h"

class QFrame;
class QLabel;
class QPushButton;

namespace pointilla::shell {

class ClickableLabel;

class frmAbout final : public QDialog {
    Q_OBJECT

  public:
    // title: the main window's product title (its `replogiciel` caption).
    // workingDirectory: where opened pages and mails start (the program's folder).
    frmAbout(const QString& title, platform::DocumentOpener& opener,
             platform::ProgramStarter& programs, std::filesystem::path workingDirectory,
             QWidget* parent = nullptr);

    // "Version " and major.minor.patch, each in decimal.
    static QString versionText(int major, int minor, int patch);
    // The version of this build.
    static QString buildVersionText();

    static QString webSite();
    static QString mailAddress();
    static QString sysInfoUnavailableMessage();

    QLabel* picIcon = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblDescription = nullptr;
    QLabel* lblDisclaimer = nullptr;
    ClickableLabel* Label6 = nullptr;  // web site
    ClickableLabel* Label1 = nullptr;  // mail
    QFrame* Line1 = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdSysInfo = nullptr;

  public slots:
    void cmdOK_Click();
    void cmdSysInfo_Click();
    void Label1_Click();
    void Label6_Click();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void buildControls();
    void Form_Load(const QString& title);

    platform::DocumentOpener& opener_;
    platform::ProgramStarter& programs_;
    std::filesystem::path workingDirectory_;
    bool placed_ = false;
};

}  // namespace pointilla::shell
