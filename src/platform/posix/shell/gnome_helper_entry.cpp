#include "shell/gnome_helper_entry.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include "common/result.h"
#include "messages/gnome_helper_messages.h"

namespace pointilla::shell {
namespace {

using messages::GnomeHelperFailure;
using Failure = std::pair<GnomeHelperFailure, std::string>;

constexpr int kProgramPatienceMs = 10'000;
const QString kExtensionsFolder = QStringLiteral("gnome-shell/extensions");

// Standard output of a short program, or why there is none.
Result<QString, std::string> run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(kProgramPatienceMs) ||
        process.exitStatus() != QProcess::NormalExit)
        return fail(program.toStdString() + " : " + process.errorString().toStdString());
    if (process.exitCode() != 0)
        return fail(QString::fromLocal8Bit(process.readAllStandardError()).trimmed().toStdString());
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

Result<QString, Failure> helperUuid() {
    auto printed = run(QStringLiteral("gnome-shell"), {QStringLiteral("--version")});
    if (!printed) return fail(Failure{GnomeHelperFailure::NoShell, printed.error()});
    // "GNOME Shell 43.9"
    const auto match = QRegularExpression(QStringLiteral("(\\d+)\\.")).match(printed.value());
    const QString uuid = match.hasMatch() ? gnomeHelperUuid(match.captured(1).toInt()) : QString();
    if (uuid.isEmpty())
        return fail(Failure{GnomeHelperFailure::UnknownVersion, printed.value().toStdString()});
    return uuid;
}

// True when the shell finds the helper already (an installation of the
// program put it into a system folder).
bool installedForEveryone(const QString& uuid) {
    for (const QString& data :
         QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
        if (data == QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)) continue;
        if (QFileInfo::exists(data + "/" + kExtensionsFolder + "/" + uuid + "/metadata.json"))
            return true;
    }
    return false;
}

// Copies the helper into the person's own extensions folder: a fresh copy
// beside it first, put in place only once complete.
Status<Failure> copyForThePerson(const QString& uuid,
                                 const std::filesystem::path& programDirectory) {
    const QDir source(QString::fromStdString(
        (programDirectory / ".." / "share" / "gnome-shell" / "extensions" / uuid.toStdString())
            .lexically_normal()
            .string()));
    const QStringList files = source.entryList(QDir::Files);
    if (!source.exists(QStringLiteral("metadata.json")))
        return fail(Failure{GnomeHelperFailure::NoFiles, source.path().toStdString()});
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                           "/" + kExtensionsFolder;
    const QString target = folder + "/" + uuid;
    const QString fresh = folder + "/." + uuid + ".new";
    const QString old = folder + "/." + uuid + ".old";
    QDir(fresh).removeRecursively();
    QDir(old).removeRecursively();
    const auto copyFailed = [&](const QString& what) {
        QDir(fresh).removeRecursively();
        return fail(Failure{GnomeHelperFailure::CopyFailed, what.toStdString()});
    };
    if (!QDir().mkpath(fresh)) return copyFailed(fresh);
    for (const QString& file : files) {
        if (!QFile::copy(source.filePath(file), fresh + "/" + file)) return copyFailed(file);
    }
    if (QFileInfo::exists(target) && !QDir().rename(target, old)) return copyFailed(target);
    if (!QDir().rename(fresh, target)) {
        QDir().rename(old, target);
        return copyFailed(target);
    }
    QDir(old).removeRecursively();
    return {};
}

Status<Failure> enable(const QString& uuid) {
    const QString schema = QStringLiteral("org.gnome.shell");
    const QString key = QStringLiteral("enabled-extensions");
    auto printed = run(QStringLiteral("gsettings"), {QStringLiteral("get"), schema, key});
    if (!printed) return fail(Failure{GnomeHelperFailure::EnableFailed, printed.error()});
    auto enabled = parseGsettingsList(printed.value());
    if (!enabled)
        return fail(Failure{GnomeHelperFailure::EnableFailed, printed.value().toStdString()});
    if (enabled->contains(uuid)) return {};
    enabled->append(uuid);
    auto set = run(QStringLiteral("gsettings"),
                   {QStringLiteral("set"), schema, key, gsettingsList(*enabled)});
    if (!set) return fail(Failure{GnomeHelperFailure::EnableFailed, set.error()});
    return {};
}

Status<Failure> installHelper(const std::filesystem::path& programDirectory) {
    auto uuid = helperUuid();
    if (!uuid) return fail(uuid.error());
    if (!installedForEveryone(uuid.value())) {
        auto copied = copyForThePerson(uuid.value(), programDirectory);
        if (!copied) return copied;
    }
    return enable(uuid.value());
}

}  // namespace

QString gnomeHelperUuid(int major) {
    if (major == 43 || major == 44) return QStringLiteral("pointilla-helper-43@pointilla.org");
    if (major >= 45 && major <= 47) return QStringLiteral("pointilla-helper@pointilla.org");
    return {};
}

std::optional<QStringList> parseGsettingsList(const QString& printed) {
    const QString text = printed.trimmed();
    if (text == QStringLiteral("@as []")) return QStringList();
    static const QRegularExpression whole(
        QStringLiteral("^\\[\\s*('[^'\\\\]*'\\s*(,\\s*'[^'\\\\]*'\\s*)*)?\\]$"));
    if (!whole.match(text).hasMatch()) return std::nullopt;
    static const QRegularExpression item(QStringLiteral("'([^'\\\\]*)'"));
    QStringList items;
    for (const auto& match : item.globalMatch(text)) items.append(match.captured(1));
    return items;
}

QString gsettingsList(const QStringList& items) {
    QStringList quoted;
    for (const QString& item : items) quoted.append("'" + item + "'");
    return "[" + quoted.join(QStringLiteral(", ")) + "]";
}

void offerGnomeHelper(QMenu& options, QWidget& window,
                      const std::filesystem::path& programDirectory) {
    QAction* entry = options.addAction(QString::fromStdString(messages::gnomeHelperEntryCaption()));
    entry->setObjectName(QStringLiteral("raccourcignome"));
    QObject::connect(entry, &QAction::triggered, &window, [&window, programDirectory] {
        const auto installed = installHelper(programDirectory);
        if (installed) {
            QMessageBox::information(
                &window, QStringLiteral("Pointilla"),
                QString::fromStdString(messages::gnomeHelperInstalledMessage()));
        } else {
            QMessageBox::warning(&window, QStringLiteral("Pointilla"),
                                 QString::fromStdString(messages::gnomeHelperFailedMessage(
                                     installed.error().first, installed.error().second)));
        }
    });
}

}  // namespace pointilla::shell
