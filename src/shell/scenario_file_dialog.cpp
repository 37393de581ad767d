#include "shell/scenario_file_dialog.h"

#include <QFileDialog>

namespace pointilla::shell {

namespace {

std::optional<QString> chosen(const QString& fileName) {
    if (fileName.isEmpty()) return std::nullopt;
    return fileName;
}

}  // namespace

std::optional<QString> QtScenarioFileDialog::chooseFileToOpen(QWidget* parent) {
    return chosen(QFileDialog::getOpenFileName(parent, QString(), QString(), kScenarioFilter));
}

std::optional<QString> QtScenarioFileDialog::chooseFileToSave(QWidget* parent) {
    return chosen(QFileDialog::getSaveFileName(parent, QString(), QString(), kScenarioFilter));
}

}  // namespace pointilla::shell
