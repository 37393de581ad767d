#pragma once
// "Options > Activer le raccourci sur GNOME…": puts Pointilla's GNOME Shell
// helper where the shell finds it (unless an installation of the program put
// it there already) and enables it for the person, from the next login on.

#include <QString>
#include <QStringList>
#include <filesystem>
#include <optional>

class QMenu;
class QWidget;

namespace pointilla::shell {

// Adds the entry to `options`; the helper's files are looked for beside the
// program (programDirectory/../share/gnome-shell/extensions).
void offerGnomeHelper(QMenu& options, QWidget& window,
                      const std::filesystem::path& programDirectory);

// A list of strings as gsettings prints it ("@as []", "['a', 'b']"); nullopt
// for anything else. And a list written back in the form gsettings takes.
std::optional<QStringList> parseGsettingsList(const QString& printed);
QString gsettingsList(const QStringList& items);

// The helper build GNOME Shell `major` loads, by its uuid (empty for a
// version it does not serve).
QString gnomeHelperUuid(int major);

}  // namespace pointilla::shell
