// What "Activer le raccourci sur GNOME…" reads of gsettings and writes back.

#include "shell/gnome_helper_entry.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace pointilla::shell {
namespace {

TEST(GnomeHelperEntry, ReadsTheEnabledExtensionsAsGsettingsPrintsThem) {
    struct Case {
        const char* printed;
        std::optional<QStringList> items;
    };
    const std::vector<Case> cases{
        {"@as []", QStringList()},
        {"[]", QStringList()},
        {"['a@b.org']\n", QStringList{"a@b.org"}},
        {"['a@b.org', 'ding@rastersoft.com']", QStringList{"a@b.org", "ding@rastersoft.com"}},
        {"['a' 'b']", std::nullopt},
        {"['a', ]", std::nullopt},
        {"['it\\'s']", std::nullopt},
        {"", std::nullopt},
        {"No such schema \u201corg.gnome.shell\u201d", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(parseGsettingsList(QString::fromUtf8(c.printed)), c.items) << c.printed;
    }
}

TEST(GnomeHelperEntry, WritesAListGsettingsReadsBack) {
    const QStringList items{"a@b.org", "pointilla-helper-43@pointilla.org"};
    EXPECT_EQ(gsettingsList(items), "['a@b.org', 'pointilla-helper-43@pointilla.org']");
    EXPECT_EQ(parseGsettingsList(gsettingsList(items)), items);
    EXPECT_EQ(gsettingsList({}), "[]");
}

}  // namespace
}  // namespace pointilla::shell
