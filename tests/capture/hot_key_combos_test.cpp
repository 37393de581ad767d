// The filling of the four lists at start-up and the keeping of the hot-key choice.

#include "capture/hot_key_combos.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QTest>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "support/qt_checks.h"

namespace pointilla::capture {
namespace {

class MemorySettings : public settings::Store {
  public:
    std::map<std::string, std::string, std::less<>> values;
    std::vector<std::pair<std::string, std::string>> writes;

    std::string read(std::string_view valueName) override {
        const auto found = values.find(valueName);
        return found == values.end() ? std::string() : found->second;
    }
    void write(std::string_view valueName, const std::string& text) override {
        writes.emplace_back(valueName, text);
        values[std::string(valueName)] = text;
    }
};

struct Lists {
    QComboBox combo1, combo2, combo3, combo4;
    void fill(MemorySettings& settings) {
        remplicombo(&combo1, &combo2, &combo3, &combo4, settings);
    }
};

}  // namespace

TEST(HotKeyCombos, EmptyStoreSelectsCtrlAltOne) {
    MemorySettings settings;
    Lists lists;
    lists.fill(settings);
    ASSERT_EQ(lists.combo1.count(), 2);
    ASSERT_EQ(lists.combo2.count(), 3);
    ASSERT_EQ(lists.combo3.count(), 47);
    ASSERT_EQ(lists.combo4.count(), 60);
    ASSERT_EQ(lists.combo1.currentText(), QStringLiteral("CTRL"));
    ASSERT_EQ(lists.combo2.currentText(), QStringLiteral("ALT"));
    ASSERT_EQ(lists.combo3.currentText(), QStringLiteral("1"));
    ASSERT_EQ(lists.combo4.currentText(), QStringLiteral("1"));
    ASSERT_EQ(lists.combo3.itemText(13), QStringLiteral("F5"));
    ASSERT_EQ(lists.combo4.itemText(59), QStringLiteral("60"));
    ASSERT_TRUE(settings.writes.empty());
}

TEST(HotKeyCombos, StoredIndicesSelectTheirEntries) {
    MemorySettings settings;
    settings.values = {{"clé1", "0"}, {"clé2", "2"}, {"clé3", "5"}};
    Lists lists;
    lists.fill(settings);
    ASSERT_EQ(lists.combo1.currentText(), QString());
    ASSERT_EQ(lists.combo1.currentIndex(), 0);
    ASSERT_EQ(lists.combo2.currentText(), QStringLiteral("SHIFT"));
    ASSERT_EQ(lists.combo3.currentText(), QStringLiteral("6"));
}

TEST(HotKeyCombos, UnusableStoredIndicesFallBackToTheDefaults) {
    MemorySettings settings;
    settings.values = {{"clé1", "2"}, {"clé2", "ALT"}, {"clé3", "-3"}};
    Lists lists;
    lists.fill(settings);
    ASSERT_EQ(lists.combo1.currentText(), QStringLiteral("CTRL"));
    ASSERT_EQ(lists.combo2.currentText(), QStringLiteral("ALT"));
    ASSERT_EQ(lists.combo3.currentText(), QStringLiteral("1"));

    settings.values = {{"clé3", "47"}};
    lists.fill(settings);
    ASSERT_EQ(lists.combo3.currentText(), QStringLiteral("1"));
}

TEST(HotKeyCombos, FillingAgainReplacesTheEntriesAndResetsTheDelay) {
    MemorySettings settings;
    Lists lists;
    lists.fill(settings);
    lists.combo4.setCurrentIndex(30);
    lists.fill(settings);
    ASSERT_EQ(lists.combo3.count(), 47);
    ASSERT_EQ(lists.combo4.count(), 60);
    ASSERT_EQ(lists.combo4.currentIndex(), 0);
}

TEST(HotKeyCombos, PickingF5StoresThirteenAndTheNextStartShowsIt) {
    MemorySettings settings;
    Lists lists;
    lists.fill(settings);
    persistHotKeyChoices(&lists.combo1, &lists.combo2, &lists.combo3, settings);
    lists.combo3.setCurrentIndex(12);  // "F4": a program's choice, stores nothing
    ASSERT_TRUE(settings.writes.empty());

    QTest::keyClick(&lists.combo3, Qt::Key_Down);  // the user steps to "F5"
    ASSERT_EQ(lists.combo3.currentText(), QStringLiteral("F5"));
    ASSERT_EQ(settings.writes.size(), std::size_t{1});
    ASSERT_EQ(settings.values.at("clé3"), std::string("13"));

    Lists nextStart;
    nextStart.fill(settings);
    ASSERT_EQ(nextStart.combo3.currentText(), QStringLiteral("F5"));
}

TEST(HotKeyCombos, EachListStoresIntoItsOwnValue) {
    MemorySettings settings;
    Lists lists;
    lists.fill(settings);
    persistHotKeyChoices(&lists.combo1, &lists.combo2, &lists.combo3, settings);
    QTest::keyClick(&lists.combo1, Qt::Key_Up);    // "CTRL" -> ""
    QTest::keyClick(&lists.combo2, Qt::Key_Down);  // "ALT" -> "SHIFT"
    ASSERT_EQ(settings.values.at("clé1"), std::string("0"));
    ASSERT_EQ(settings.values.at("clé2"), std::string("2"));
    ASSERT_TRUE(settings.values.count("clé3") == 0);

    // Filling again selects programmatically: nothing more is written.
    const auto writesBefore = settings.writes.size();
    lists.fill(settings);
    ASSERT_EQ(settings.writes.size(), writesBefore);
    ASSERT_EQ(lists.combo1.currentIndex(), 0);
    ASSERT_EQ(lists.combo2.currentText(), QStringLiteral("SHIFT"));
}

}  // namespace pointilla::capture
