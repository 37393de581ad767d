#include "editing/accessible_names.h"

#include <QAccessibleWidget>
#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QWidget>

#include "messages/accessible_names.h"

namespace pointilla::editing {
namespace {

QString fromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The toolkit names a pick-only list by the entry it shows ("CTRL", "1"); a
// list given a name of its own is heard by that name, its entry as its value.
class NamedComboBox final : public QAccessibleWidget {
  public:
    explicit NamedComboBox(QComboBox* combo) : QAccessibleWidget(combo, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) return static_cast<QComboBox*>(widget())->currentText();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* namedComboBoxes(const QString& className, QObject* object) {
    auto* combo = qobject_cast<QComboBox*>(object);
    if (className != QLatin1String("QComboBox") || combo == nullptr ||
        combo->accessibleName().isEmpty()) {
        return nullptr;
    }
    return new NamedComboBox(combo);
}

// A menu-bar entry is heard by its caption, and "?" says nothing; an entry
// whose menu has a name of its own is heard by that name, its caption intact.
class NamedMenuBarEntry final : public QAccessibleInterface, public QAccessibleActionInterface {
  public:
    NamedMenuBarEntry(QMenuBar* bar, QAction* entry) : bar_(bar), entry_(entry) {}

    bool isValid() const override { return !bar_.isNull() && !entry_.isNull(); }
    QObject* object() const override { return entry_; }
    QWindow* window() const override { return bar_ ? bar_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(bar_);
    }
    QAccessibleInterface* child(int index) const override {
        return index == 0 ? QAccessible::queryAccessibleInterface(entry_->menu()) : nullptr;
    }
    int childCount() const override { return 1; }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child != nullptr && child->object() == entry_->menu() ? 0 : -1;
    }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }

    QString text(QAccessible::Text t) const override {
        switch (t) {
            case QAccessible::Name:
                return entry_->menu()->accessibleName();
            case QAccessible::Description:
                return entry_->menu()->accessibleDescription();
            case QAccessible::Accelerator:
                return QKeySequence::mnemonic(entry_->text()).toString(QKeySequence::NativeText);
            default:
                return {};
        }
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        const QRect local = bar_->actionGeometry(entry_);
        return {bar_->mapToGlobal(local.topLeft()), local.size()};
    }
    QAccessible::Role role() const override { return QAccessible::MenuItem; }
    QAccessible::State state() const override {
        QAccessible::State s;
        s.focusable = true;
        s.hasPopup = true;
        s.disabled = !entry_->isEnabled();
        s.invisible = !entry_->isVisible() || !bar_->isVisible();
        s.focused = bar_->activeAction() == entry_;
        s.expanded = entry_->menu()->isVisible();
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                    : nullptr;
    }

    QStringList actionNames() const override { return {showMenuAction()}; }
    void doAction(const QString& name) override {
        if (name != showMenuAction() && name != pressAction()) return;
        if (entry_->menu()->isVisible())
            entry_->menu()->hide();
        else
            bar_->setActiveAction(entry_);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

  private:
    QPointer<QMenuBar> bar_;
    QPointer<QAction> entry_;
};

QAccessibleInterface* namedMenuBarEntries(const QString& className, QObject* object) {
    auto* entry = qobject_cast<QAction*>(object);
    if (className != QLatin1String("QAction") || entry == nullptr || entry->menu() == nullptr ||
        entry->menu()->accessibleName().isEmpty()) {
        return nullptr;
    }
    for (QObject* owner : entry->associatedObjects()) {
        if (auto* bar = qobject_cast<QMenuBar*>(owner)) return new NamedMenuBarEntry(bar, entry);
    }
    return nullptr;
}

}  // namespace

void nameForScreenReaders(QWidget& window) {
    static const bool installed = [] {
        QAccessible::installFactory(namedComboBoxes);
        QAccessible::installFactory(namedMenuBarEntries);
        return true;
    }();
    static_cast<void>(installed);
    const std::string windowName = window.objectName().toStdString();
    for (QWidget* control : window.findChildren<QWidget*>()) {
        const auto text =
            messages::accessibleTextOf(windowName, control->objectName().toStdString());
        if (!text) continue;
        control->setAccessibleName(fromView(text->name));
        if (!text->description.empty())
            control->setAccessibleDescription(fromView(text->description));
    }
}

}  // namespace pointilla::editing
