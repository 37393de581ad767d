#include "shell/gnome_helper_entry.h"

// Windows has no GNOME Shell: the entry is never offered there.
namespace pointilla::shell {

void offerGnomeHelper(QMenu& /*options*/, QWidget& /*window*/,
                      const std::filesystem::path& /*programDirectory*/) {}

QString gnomeHelperUuid(int /*major*/) { return {}; }

std::optional<QStringList> parseGsettingsList(const QString& /*printed*/) { return std::nullopt; }

QString gsettingsList(const QStringList& /*items*/) { return {}; }

}  // namespace pointilla::shell
