#pragma once
// `CD1`: the open and save dialogs of scenario files. The main window asks
// through this interface so tests can answer in place of a person.

#include <QString>
#include <optional>

class QWidget;

namespace pointilla::shell {

// The dialogs' one filter entry, in the interface's language.
QString scenarioFilter();

// A name without an extension gets ".sce"; any other name stays as it is.
QString withScenarioSuffix(const QString& fileName);

class ScenarioFileDialog {
  public:
    virtual ~ScenarioFileDialog() = default;
    // The chosen file, or std::nullopt when the person cancelled. Both start
    // in folder (empty: the toolkit's choice); the save dialog shows name.
    virtual std::optional<QString> chooseFileToOpen(QWidget* parent, const QString& folder) = 0;
    virtual std::optional<QString> chooseFileToSave(QWidget* parent, const QString& folder,
                                                    const QString& name) = 0;
};

// The toolkit's dialogs, without a title; the save dialog adds ".sce" to a
// name typed without an extension before it asks about replacing a file.
class QtScenarioFileDialog final : public ScenarioFileDialog {
  public:
    std::optional<QString> chooseFileToOpen(QWidget* parent, const QString& folder) override;
    std::optional<QString> chooseFileToSave(QWidget* parent, const QString& folder,
                                            const QString& name) override;
};

}  // namespace pointilla::shell
