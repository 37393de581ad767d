#include "editing/accessible_names.h"

#include <QAccessibleWidget>
#include <QComboBox>
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

}  // namespace

void nameForScreenReaders(QWidget& window) {
    static const bool installed = [] {
        QAccessible::installFactory(namedComboBoxes);
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
