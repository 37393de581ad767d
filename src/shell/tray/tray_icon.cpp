#include "shell/tray/tray_icon.h"

#include <QAction>
#include <QCursor>
#include <QEvent>
#include <QMenu>
#include <QTimer>
#include <QWidget>

namespace pointilla::shell {
TrayIcon::TrayIcon(QWidget& window, QMenu& mnuIcone, QObject* parent,
                   TrayAvailability trayAvailable)
    : QObject(parent),
      window_(window),
      menu_(mnuIcone),
      trayAvailable_(std::move(trayAvailable)),
      icon_(new QSystemTrayIcon(this)) {
    icon_->setObjectName(QStringLiteral("trayIcon"));
    // No context menu of its own: a right click must do nothing.
    connect(icon_, &QSystemTrayIcon::activated, this, &TrayIcon::onActivated);
    // By the entries' names, whenever the menu gets its entries.
    connect(&menu_, &QMenu::triggered, this, &TrayIcon::onMenuEntry);
    window_.installEventFilter(this);
}

TrayIcon::~TrayIcon() { remove(); }

void TrayIcon::add() {
    icon_->setIcon(window_.windowIcon());
    icon_->setToolTip(toolTipText());
    icon_->show();
}

void TrayIcon::remove() {
    if (icon_ != nullptr) icon_->hide();
}

void TrayIcon::setPlaybackToolTip(const QString& text) {
    if (icon_ != nullptr) icon_->setToolTip(text.isEmpty() ? toolTipText() : text);
}

QString TrayIcon::currentToolTip() const { return icon_ != nullptr ? icon_->toolTip() : QString(); }

void TrayIcon::notify(const QString& text) {
    if (canHideIntoTray()) {
        icon_->showMessage(toolTipText(), text, QSystemTrayIcon::Information, 4000);
    }
}

bool TrayIcon::isAdded() const { return icon_ != nullptr && icon_->isVisible(); }

bool TrayIcon::canHideIntoTray() const { return isAdded() && trayAvailable_(); }

void TrayIcon::hideWindow() {
    if (canHideIntoTray()) {
        window_.hide();
    } else {
        window_.showMinimized();
    }
}

void TrayIcon::onActivated(QSystemTrayIcon::ActivationReason reason) {
    if (reason != QSystemTrayIcon::Trigger) return;
    // The program comes forward; a hidden window stays hidden until "Afficher".
    if (window_.isVisible()) {
        window_.raise();
        window_.activateWindow();
    }
    // After the click's own handling, so the press that opened it cannot close it.
    QTimer::singleShot(0, this, &TrayIcon::popUpMenu);
}

void TrayIcon::popUpMenu() { menu_.popup(QCursor::pos()); }

void TrayIcon::onMenuEntry(QAction* entry) {
    // "qu" belongs to the window's own quit path.
    if (entry->objectName() == QLatin1String("aff")) aff_Click();
}

void TrayIcon::aff_Click() {
    window_.setWindowState(window_.windowState() & ~Qt::WindowMinimized);
    window_.show();
    window_.raise();
    window_.activateWindow();
}

bool TrayIcon::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_ && event->type() == QEvent::WindowStateChange &&
        window_.isMinimized() && canHideIntoTray()) {
        // Not from inside the state change itself: the window manager is
        // still completing the minimise.
        QTimer::singleShot(0, &window_, [this] {
            if (window_.isMinimized() && canHideIntoTray()) window_.hide();
        });
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace pointilla::shell
