#pragma once
// `CD1`: the open and save dialogs of scenario files. The main window asks
// through this interface so tests can answer in place of a person.

#include <QString>
#include <optional>

class QWidget;

namespace pointilla::shell {

// The dialogs' one filter entry.
inline const QString kScenarioFilter = QStringLiteral("Fichier Pointilla (*.sce)");

class ScenarioFileDialog {
  public:
    virtual ~ScenarioFileDialog() = default;
    // The chosen file, or std::nullopt when the person cancelled.
    virtual std::optional<QString> chooseFileToOpen(QWidget* parent) = 0;
    virtual std::optional<QString> chooseFileToSave(QWidget* parent) = 0;
};

// The toolkit's dialogs. No title, folder or default extension: a name typed
// without an extension is used as typed.
class QtScenarioFileDialog final : public ScenarioFileDialog {
  public:
    std::optional<QString> chooseFileToOpen(QWidget* parent) override;
    std::optional<QString> chooseFileToSave(QWidget* parent) override;
};

}  // namespace pointilla::shell
