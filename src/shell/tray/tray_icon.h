#pragma once
// The program's icon in the desktop's tray, the way back to a hidden main
// window. A left click brings the program forward and opens the tray menu
// ("Afficher Pointilla", "Quitter"); other clicks do nothing. While a tray is
// there, minimising the window hides it into the tray. Without a tray nothing
// hides the window for good: minimising stays a plain minimise, and
// hideWindow() minimises instead of hiding.

#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>
#include <functional>

class QAction;
class QMenu;
class QWidget;

namespace pointilla::shell {

class TrayIcon final : public QObject {
    Q_OBJECT

  public:
    using TrayAvailability = std::function<bool()>;

    // window: the main window; mnuIcone: the tray menu, whose entry "aff" this
    // answers ("qu" is the window's own quit command). trayAvailable tells whether the desktop
    // offers a tray now (tests replace it).
    TrayIcon(QWidget& window, QMenu& mnuIcone, QObject* parent = nullptr,
             TrayAvailability trayAvailable = &QSystemTrayIcon::isSystemTrayAvailable);
    ~TrayIcon() override;

    // Puts the icon (the window's icon, tooltip "Pointilla") into the tray.
    void add();
    // Takes it out again; removing twice does no harm.
    void remove();
    bool isAdded() const;

    // Whether a hidden window could come back through the icon right now.
    bool canHideIntoTray() const;

    // The toolbar's "tray": hides the window when it can come back through the
    // icon, minimises it otherwise.
    void hideWindow();

    // The tray menu's popup position: the pointer. Tests may read the menu.
    QMenu& menu() const { return menu_; }
    const QSystemTrayIcon& systemTrayIcon() const { return *icon_; }

    static QString toolTipText() { return QStringLiteral("Pointilla"); }

    // The tooltip while a playback runs; an empty text gives "Pointilla" back.
    void setPlaybackToolTip(const QString& text);
    QString currentToolTip() const;
    // A short message from the icon ("Lecture terminée"); nothing without a tray.
    void notify(const QString& text);

  public slots:
    // A mouse action on the icon.
    void onActivated(QSystemTrayIcon::ActivationReason reason);
    // "Afficher Pointilla": the window in normal state, shown, in front.
    void aff_Click();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void popUpMenu();
    void onMenuEntry(QAction* entry);

    QWidget& window_;
    QMenu& menu_;
    TrayAvailability trayAvailable_;
    QPointer<QSystemTrayIcon> icon_;
};

}  // namespace pointilla::shell
