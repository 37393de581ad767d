#include "shell/about/frm_about.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

#include "editing/accessible_names.h"
#include "messages/window_messages.h"
#include "shell/about/clickable_label.h"
#include "shell/about/sys_info.h"
#include "shell/tray/app_icon.h"

namespace pointilla::shell {
namespace {

constexpr int kWidth = 440;
constexpr int kHeight = 300;

QString applicationTitle() {
    const QString name = QGuiApplication::applicationDisplayName();
    return name.isEmpty() ? QStringLiteral("Pointilla") : name;
}

template <typename Widget>
Widget* place(Widget* widget, const char* name, int left, int top, int width, int height) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(left, top, width, height);
    return widget;
}

}  // namespace

QString frmAbout::versionText(int major, int minor, int patch) {
    return tr("Version %1.%2.%3").arg(major).arg(minor).arg(patch);
}

QString frmAbout::buildVersionText() {
    return versionText(POINTILLA_VERSION_MAJOR, POINTILLA_VERSION_MINOR, POINTILLA_VERSION_PATCH);
}

QString frmAbout::webSite() {
    return QStringLiteral("https://www.dovetail.example.org/pointilla/");
}

QString frmAbout::mailAddress() { return QStringLiteral("pointilla@dovetail.example.org"); }

QString frmAbout::sysInfoUnavailableMessage() {
    return QString::fromStdString(messages::systemInfoUnavailableMessage());
}

frmAbout::frmAbout(const QString& title, platform::DocumentOpener& opener,
                   platform::ProgramStarter& programs, std::filesystem::path workingDirectory,
                   QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      opener_(opener),
      programs_(programs),
      workingDirectory_(std::move(workingDirectory)) {
    setObjectName(QStringLiteral("frmAbout"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setFixedSize(kWidth, kHeight);
    buildControls();
    editing::nameForScreenReaders(*this);
    Form_Load(title);
}

void frmAbout::buildControls() {
    picIcon = place(new QLabel(this), "picIcon", 16, 16, 48, 48);
    picIcon->setPixmap(applicationIcon().pixmap(48, 48));

    lblTitle = place(new QLabel(this), "lblTitle", 80, 16, 344, 30);
    QFont titleFont = lblTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);

    lblVersion =
        place(new QLabel(QStringLiteral("Version 1.0"), this), "lblVersion", 80, 48, 344, 18);
    lblDescription = place(new QLabel(tr("Écrit par l'équipe Dovetail, 2026"), this),
                           "lblDescription", 80, 68, 344, 18);
    Label6 =
        place(new ClickableLabel(tr("Site Web : ") + webSite(), this), "Label6", 80, 92, 344, 18);
    Label1 = place(new ClickableLabel(tr("E-Mail :  ") + mailAddress(), this), "Label1", 80, 112,
                   344, 18);

    Line1 = place(new QFrame(this), "Line1", 8, 140, kWidth - 16, 4);
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Sunken);

    lblDisclaimer = place(
        new QLabel(tr("Attention : ce logiciel est protégé par la loi relative au droit "
                      "d'auteur et par les conventions internationales. Toute reproduction ou "
                      "distribution, partielle ou totale, de ce logiciel, par quelque moyen que "
                      "ce soit, est strictement interdite et constitue une contrefaçon "
                      "passible des sanctions pénales prévues par la loi."),
                   this),
        "lblDisclaimer", 16, 152, 292, 136);
    lblDisclaimer->setWordWrap(true);
    lblDisclaimer->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    cmdOK = place(new QPushButton(tr("OK"), this), "cmdOK", 320, 156, 104, 28);
    cmdOK->setDefault(true);
    cmdSysInfo =
        place(new QPushButton(tr("&Infos système..."), this), "cmdSysInfo", 320, 192, 104, 28);

    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
    connect(Label1, &ClickableLabel::clicked, this, &frmAbout::Label1_Click);
    connect(Label6, &ClickableLabel::clicked, this, &frmAbout::Label6_Click);
}

void frmAbout::Form_Load(const QString& title) {
    setWindowTitle(applicationTitle());
    lblVersion->setText(buildVersionText());
    lblTitle->setText(title);
}

void frmAbout::cmdOK_Click() { close(); }

void frmAbout::cmdSysInfo_Click() {
    if (StartSysInfo(programs_)) return;
    auto* box = new QMessageBox(QMessageBox::NoIcon, applicationTitle(),
                                sysInfoUnavailableMessage(), QMessageBox::Ok, this);
    box->setObjectName(QStringLiteral("sysInfoMessage"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(true);
    box->show();
}

void frmAbout::Label1_Click() {
    // Nothing to tell when no mail program is there.
    opener_.open("mailto:" + mailAddress().toStdString(), workingDirectory_);
}

void frmAbout::Label6_Click() { opener_.open(webSite().toStdString(), workingDirectory_); }

void frmAbout::showEvent(QShowEvent* event) {
    if (!placed_) {
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect area = rect();
            area.moveCenter(screen->geometry().center());
            move(area.topLeft());
        }
        placed_ = true;
    }
    QDialog::showEvent(event);
}

}  // namespace pointilla::shell
