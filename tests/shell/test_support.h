#pragma once
// Helpers of the main window's widget tests: answering message boxes as a
// person would, and a file dialog that answers from the test.

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <deque>
#include <filesystem>
#include <optional>

#include "shell/scenario_file_dialog.h"

namespace pointilla::shell::testing {

// A path as the window takes file names.
inline QString qtPath(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

// Answers every modal message box that opens while it lives, and records what
// each one showed.
class BoxAnswerer : public QObject {
  public:
    struct Seen {
        QString title;
        QString text;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons buttons;
        QStringList buttonTexts;  // as shown, in the box's order
        int width;
    };

    explicit BoxAnswerer(QMessageBox::StandardButton answer) : answer_(answer) {
        connect(&timer_, &QTimer::timeout, this, [this] { answerOpenBox(); });
        timer_.start(5);
    }
    void setAnswer(QMessageBox::StandardButton answer) { answer_ = answer; }
    const std::vector<Seen>& seen() const { return seen_; }

  private:
    void answerOpenBox() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || box == last_) return;
        last_ = box;
        QStringList texts;
        for (QAbstractButton* shown : box->buttons()) texts << shown->text();
        seen_.push_back({box->windowTitle(), box->text(), box->icon(), box->standardButtons(),
                         texts, box->width()});
        QAbstractButton* button = box->button(answer_);
        if (button == nullptr) button = box->buttons().value(0);
        if (button != nullptr) button->click();
    }

    QMessageBox::StandardButton answer_;
    QTimer timer_;
    QMessageBox* last_ = nullptr;
    std::vector<Seen> seen_;
};

// Answers the open and save dialogs with the queued names (std::nullopt: cancel).
class ScriptedFileDialog final : public ScenarioFileDialog {
  public:
    void answerOpen(std::optional<QString> name) { opens_.push_back(name.value_or(QString())); }
    void answerSave(std::optional<QString> name) { saves_.push_back(name.value_or(QString())); }
    int openAsked() const { return openAsked_; }
    int saveAsked() const { return saveAsked_; }
    // Where the last dialog started, and the name the save dialog showed.
    QString lastFolder() const { return lastFolder_; }
    QString lastSaveName() const { return lastSaveName_; }

    std::optional<QString> chooseFileToOpen(QWidget*, const QString& folder) override {
        ++openAsked_;
        lastFolder_ = folder;
        return next(opens_);
    }
    std::optional<QString> chooseFileToSave(QWidget*, const QString& folder,
                                            const QString& name) override {
        ++saveAsked_;
        lastFolder_ = folder;
        lastSaveName_ = name;
        return next(saves_);
    }

  private:
    // A null name stands for a cancelled dialog.
    static std::optional<QString> next(std::deque<QString>& queue) {
        if (queue.empty()) return std::nullopt;
        const QString answer = queue.front();
        queue.pop_front();
        if (answer.isNull()) return std::nullopt;
        return answer;
    }

    std::deque<QString> opens_;
    std::deque<QString> saves_;
    int openAsked_ = 0;
    int saveAsked_ = 0;
    QString lastFolder_;
    QString lastSaveName_;
};

}  // namespace pointilla::shell::testing
