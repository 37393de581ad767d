#include "shell/scenario_file_dialog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace pointilla::shell {

namespace {

std::optional<QString> chosen(const QString& fileName) {
    if (fileName.isEmpty()) return std::nullopt;
    return fileName;
}

// A folder that no longer exists is left to the toolkit's choice.
QString existingFolder(const QString& folder) {
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QString();
}

}  // namespace

QString scenarioFilter() {
    return QCoreApplication::translate("pointilla::shell::ScenarioFileDialog",
                                       "Fichier Pointilla (*.sce)");
}

QString withScenarioSuffix(const QString& fileName) {
    if (fileName.isEmpty() || !QFileInfo(fileName).suffix().isEmpty()) return fileName;
    return fileName + QStringLiteral(".sce");
}

std::optional<QString> QtScenarioFileDialog::chooseFileToOpen(QWidget* parent,
                                                              const QString& folder) {
    return chosen(
        QFileDialog::getOpenFileName(parent, QString(), existingFolder(folder), scenarioFilter()));
}

std::optional<QString> QtScenarioFileDialog::chooseFileToSave(QWidget* parent,
                                                              const QString& folder,
                                                              const QString& name) {
    QFileDialog dialog(parent, QString(), existingFolder(folder), scenarioFilter());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("sce"));
    if (!name.isEmpty()) dialog.selectFile(name);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return chosen(dialog.selectedFiles().value(0));
}

}  // namespace pointilla::shell
