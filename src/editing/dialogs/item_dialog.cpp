#include "editing/dialogs/item_dialog.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

#include "editing/design_text_box.h"
#include "editing/dialogs/position_bounds.h"
#include "editing/list_rows_shown.h"
#include "editing/twips.h"
#include "messages/window_messages.h"
#include "scenario/detail_text.h"

namespace pointilla::editing::dialogs {
namespace {

constexpr int kClientWidth = 4575;
constexpr int kTextHeight = 285;
constexpr int kListHeight = 315;
constexpr int kLabelHeight = 255;
constexpr double kSmallestCaptionPoints = 6;
// The delay lists open on about a quarter of their 60 entries, not the screen's height.
constexpr int kListRowsShown = 15;

QLabel* label(QWidget* frame, const char* name, const QString& text, int left, int top) {
    auto* l = new QLabel(text, frame);
    l->setObjectName(QString::fromLatin1(name));
    l->adjustSize();
    l->move(twipsToPixels(left), twipsToPixels(top));
    l->resize(l->width(), std::max(l->height(), twipsToPixels(kLabelHeight)));
    return l;
}

QGroupBox* frame(QWidget* dialog, const char* name, const QString& caption) {
    auto* f = new QGroupBox(caption, dialog);
    f->setObjectName(QString::fromLatin1(name));
    f->setGeometry(twipsToPixels(120), twipsToPixels(120), twipsToPixels(4335),
                   twipsToPixels(1455));
    return f;
}

QLineEdit* textBox(QWidget* frame, const char* name, int left, int top, int width) {
    auto* box = new DesignTextBox(frame);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width),
                     twipsToPixels(kTextHeight));
    return box;
}

QPushButton* button(QWidget* dialog, const char* name, const QString& caption, int left) {
    auto* b = new QPushButton(caption, dialog);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(twipsToPixels(left), twipsToPixels(1680), twipsToPixels(1095),
                   twipsToPixels(375));
    return b;
}

}  // namespace

std::string toUtf8(const QString& text) { return text.toStdString(); }
QString fromUtf8(const std::string& text) { return QString::fromStdString(text); }

QString ItemDialog::invalidPositionMessage() {
    return fromUtf8(messages::positionNotWholeNumbersMessage());
}

ItemDialog::ItemDialog(const QString& caption, int clientHeightTwips, platform::ScreenInfo& screen,
                       QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      screen_(screen) {
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowTitle(caption);
    setFixedSize(twipsToPixels(kClientWidth), twipsToPixels(clientHeightTwips));
    buildFrames();
    Command1 = button(this, "Command1", tr("Ok"), 1080);
    Command2 = button(this, "Command2", tr("Annuler"), 2400);
    Command1->setDefault(true);
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, &QDialog::close);
}

void ItemDialog::buildFrames() {
    Frame1 = frame(this, "Frame1", tr("Délai"));
    label(Frame1, "Label1", tr("Délai :"), 120, 510);
    Combo1 = new QComboBox(Frame1);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setEditable(false);
    showAtMostRows(*Combo1, kListRowsShown);
    Combo1->setGeometry(twipsToPixels(1320), twipsToPixels(480), twipsToPixels(1335),
                        twipsToPixels(kListHeight));
    label(Frame1, "Label6", tr("secondes"), 2760, 510);

    Frame2 = frame(this, "Frame2", tr("Position"));
    // On one line within its column, so that it never runs under "En X :":
    // a desktop font wider than the design's is made a little smaller.
    QLabel* caption = label(Frame2, "Label2", tr("Position souris :"), 120, 520);
    const int column = twipsToPixels(1320 - 120 - 30);
    QFont fitted = caption->font();
    while (QFontMetrics(fitted).horizontalAdvance(caption->text()) > column &&
           fitted.pointSizeF() > kSmallestCaptionPoints) {
        fitted.setPointSizeF(fitted.pointSizeF() - 0.5);
    }
    caption->setFont(fitted);
    caption->resize(column, caption->height());
    label(Frame2, "Label4", tr("En X :"), 1320, 440);
    Text2 = textBox(Frame2, "Text2", 2520, 480, 855);
    label(Frame2, "Label5", tr("En Y :"), 1320, 840);
    Text3 = textBox(Frame2, "Text3", 2520, 885, 855);

    Frame3 = frame(this, "Frame3", tr("URL"));
    label(Frame3, "Label3", tr("URL :"), 120, 520);
    Text1 = textBox(Frame3, "Text1", 960, 480, 3255);

    Frame1->hide();
    Frame2->hide();
    Frame3->hide();
}

void ItemDialog::showFrame(Frame which) {
    Frame1->setVisible(which == Frame::Delay);
    Frame2->setVisible(which == Frame::Position);
    Frame3->setVisible(which == Frame::Url);
}

std::optional<ItemDialog::Frame> ItemDialog::shownFrame() const {
    if (!Frame1->isHidden()) return Frame::Delay;
    if (!Frame2->isHidden()) return Frame::Position;
    if (!Frame3->isHidden()) return Frame::Url;
    return std::nullopt;
}

void ItemDialog::fillDelayList() {
    Combo1->clear();
    for (const std::string& choice : scenario::delayChoices()) Combo1->addItem(fromUtf8(choice));
    Combo1->setCurrentIndex(-1);
}

std::optional<std::string> ItemDialog::boundedPositionDetail() {
    const auto bounded =
        boundPosition(toUtf8(Text2->text()), toUtf8(Text3->text()), screen_.primaryScreenSize());
    if (!bounded) {
        // Non-blocking, so the dialog stays open and usable behind it.
        auto* box = new QMessageBox(QMessageBox::Warning, QGuiApplication::applicationDisplayName(),
                                    invalidPositionMessage(), QMessageBox::Ok, this);
        box->setObjectName(QStringLiteral("invalidPositionMessage"));
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
        return std::nullopt;
    }
    Text2->setText(fromUtf8(bounded->x));
    Text3->setText(fromUtf8(bounded->y));
    return scenario::dialogPositionDetail(bounded->x, bounded->y);
}

void ItemDialog::showEvent(QShowEvent* event) {
    if (!placed_) {
        centreOnScreen();
        placed_ = true;
    }
    QDialog::showEvent(event);
}

void ItemDialog::closeEvent(QCloseEvent* event) {
    QDialog::closeEvent(event);
    if (event->isAccepted()) unloaded_ = true;
}

void ItemDialog::done(int result) {
    unloaded_ = true;
    QDialog::done(result);
}

void ItemDialog::centreOnScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    QRect area = rect();
    area.moveCenter(screen->geometry().center());
    move(area.topLeft());
}

}  // namespace pointilla::editing::dialogs
