// Pointilla: loads the main window, which starts everything else; the program
// ends when the person confirms the quit question.
//   pointilla [--platform x11] [FILE.sce]
// --platform x11 keeps to X11 (XWayland under a Wayland compositor).
// One program runs per user and display: a later start hands its file to it.

#include <QApplication>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QStatusBar>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>

#include "capture/pointer_capture.h"
#include "messages/gnome_helper_messages.h"
#include "messages/privacy_messages.h"
#include "messages/startup_messages.h"
#include "messages/tool_voice.h"
#include "messages/trellis_messages.h"
#include "messages/window_messages.h"
#include "platform/desktop/native_desktop.h"
#include "platform/desktop_session.h"
#include "platform/files/file_size_limit.h"
#include "platform/qt/qt_paths.h"
#include "playback/playback_engine.h"
#include "settings/machine_or_user_registry_control.h"
#include "settings/memory_registry_control.h"
#include "settings/trellis_registry_control.h"
#include "shell/display_loss.h"
#include "shell/form1.h"
#include "shell/gnome_helper_entry.h"
#include "shell/help_page.h"
#include "shell/scenario_file_dialog.h"
#include "shell/single_instance.h"
#include "shell/toolkit_translation.h"
#include "shell/tray/app_icon.h"
#include "trellis/host/automation_host.h"

namespace {

// The registry library's own messages, as modal message boxes. The flags are
// those of a Windows message box: the icon sits in bits 4 to 7.
void showLibraryMessage(const std::string& text, const std::string& title, std::uint32_t flags) {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (flags & 0xF0U) {
        case 0x10:
            icon = QMessageBox::Critical;
            break;
        case 0x20:
            icon = QMessageBox::Question;
            break;
        case 0x30:
            icon = QMessageBox::Warning;
            break;
        case 0x40:
            icon = QMessageBox::Information;
            break;
        default:
            break;
    }
    QMessageBox box(icon, QString::fromStdString(title), QString::fromStdString(text),
                    QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

// The scenario named on the command line, made absolute; empty for none;
// std::nullopt, after the usage line, for options or more than one file.
std::optional<QString> fileToOpen(const QStringList& arguments) {
    QStringList files;
    bool optionsEnd = false;
    bool refused = false;
    for (const QString& argument : arguments.mid(1)) {
        if (!optionsEnd && argument == QLatin1String("--")) {
            optionsEnd = true;
        } else if (!optionsEnd && argument.startsWith(QLatin1Char('-'))) {
            refused = true;
        } else {
            files << argument;
        }
    }
    if (refused || files.size() > 1) {
        std::fprintf(stderr, "%s\n", pointilla::messages::windowUsageLine().c_str());
        return std::nullopt;
    }
    if (files.isEmpty()) return QString();
    return QFileInfo(files.front()).absoluteFilePath();
}

}  // namespace

int main(int argc, char** argv) {
    pointilla::language::settleInterfaceLanguage();
    pointilla::platform::files::reportFileSizeLimitAsError();
    // "--platform x11" asks for X11 whatever the session: the backend choice
    // reads it as POINTILLA_BACKEND. It is taken out of the arguments, as the
    // toolkit would read it as the name of one of its own platforms.
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0) break;
        if (std::strcmp(argv[i], "--platform") == 0 && std::strcmp(argv[i + 1], "x11") == 0) {
            pointilla::platform::preferX11Backend();
            for (int j = i; j + 2 <= argc; ++j) argv[j] = argv[j + 2];
            argc -= 2;
            break;
        }
    }
    // The desktop first: without a display the toolkit would abort with a core
    // dump, so a missing or unreachable display ends here with a clear message.
    pointilla::platform::DesktopNotes notes;
    auto opened = pointilla::platform::openNativeDesktop(nullptr, notes);
    if (!opened) {
        std::fprintf(stderr, "%s\n",
                     pointilla::messages::programLine(
                         "Pointilla", pointilla::messages::desktopOpenMessage(opened.error()))
                         .c_str());
        return 1;
    }
    std::unique_ptr<pointilla::platform::Desktop> desktop = std::move(opened).value();
    const QString desktopName =
        QString::fromLocal8Bit(pointilla::platform::prepareToolkitForDesktop(notes).c_str());

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pointilla"));
    const pointilla::language::Language language = pointilla::language::interfaceLanguage();
    pointilla::shell::translateToolkit(app, language);
    const std::optional<QString> startFile = fileToOpen(QApplication::arguments());
    if (!startFile) return 2;

    // Before anything polls the hot key: a program already running on this
    // display takes the request, and this one ends.
    pointilla::shell::SingleInstance instance(
        pointilla::shell::SingleInstance::defaultRuntimeFolder(), desktopName);
    switch (instance.claim(*startFile)) {
        case pointilla::shell::SingleInstance::Role::HandedOver:
            return 0;
        case pointilla::shell::SingleInstance::Role::Failed:
            std::fprintf(stderr, "%s\n",
                         pointilla::messages::programLine(
                             "Pointilla", pointilla::messages::instanceNotAnsweringMessage())
                             .c_str());
            return 1;
        case pointilla::shell::SingleInstance::Role::Alone:
            std::fprintf(
                stderr, "%s\n",
                pointilla::messages::singleInstanceRefusalMessage(instance.refusal()).c_str());
            break;
        case pointilla::shell::SingleInstance::Role::First:
            break;
    }
    if (notes.fellBackFrom) {
        const std::string warning =
            pointilla::messages::xwaylandFallbackMessage(*notes.fellBackFrom);
        std::fprintf(stderr, "%s\n",
                     pointilla::messages::programLine("Pointilla", warning).c_str());
        QMessageBox::warning(nullptr, QStringLiteral("Pointilla"), QString::fromStdString(warning));
    }
    QApplication::setWindowIcon(pointilla::shell::applicationIcon());
    // Hiding the window into the tray must not end the program; only the
    // confirmed quit does.
    QApplication::setQuitOnLastWindowClosed(false);
    pointilla::shell::Form1::useDesignFont();
    trellis::host::setMessageHandler(showLibraryMessage);

    const std::filesystem::path executable =
        pointilla::platform::pathFromQString(QApplication::applicationFilePath());
    const std::filesystem::path programDirectory = executable.parent_path();

    auto created = pointilla::settings::createTrellisControl(executable);
    std::unique_ptr<pointilla::settings::RegistryControl> control;
    if (created) {
        control = std::move(created).value();
    } else {
        // The host's own reason goes to the log; the person reads French.
        std::fprintf(stderr, "pointilla: %s\n",
                     pointilla::messages::hostFailureText(created.error().cause).c_str());
        QMessageBox::warning(
            nullptr, QString::fromStdString(pointilla::messages::settingsBoxTitle()),
            QString::fromStdString(pointilla::messages::controlFailureMessage(created.error()) +
                                   "\n\n" + pointilla::messages::defaultSettingsNotice()));
        control = std::make_unique<pointilla::settings::MemoryRegistryControl>();
    }
    // The settings key is the machine's; a user who may not write it keeps
    // their own settings under the same path of HKEY_CURRENT_USER.
    pointilla::settings::MachineOrUserRegistryControl registry(*control);

    pointilla::shell::QtScenarioFileDialog fileDialogs;
    pointilla::shell::Form1 form({registry, *desktop, fileDialogs, programDirectory,
                                  pointilla::shell::helpPage(programDirectory, language)});
    pointilla::shell::sayDisplayLossInFrench([&form] {
        const auto& playback = form.playback();
        return playback.playing() || playback.lostDesktop() ? playback.numligne() : 0;
    });
    QObject::connect(&instance, &pointilla::shell::SingleInstance::activationRequested, &form,
                     &pointilla::shell::Form1::activateFromOutside);
    if (notes.backend == "gnome") {
        if (auto* options = form.findChild<QMenu*>(QStringLiteral("options")))
            pointilla::shell::offerGnomeHelper(*options, form, programDirectory);
        if (!desktop->keyboard().hearsCombinations()) {
            form.statusBar()->showMessage(
                QString::fromStdString(pointilla::messages::gnomeHotKeyMissingNote()));
        }
    }
    form.show();
    form.raise();
    form.activateWindow();
    if (!startFile->isEmpty()) form.openFile(*startFile);
    return QApplication::exec();
}
