// The filling of the four lists at start-up and the keeping of the hot-key choice.

#include "capture/hot_key_combos.h"

#include <QComboBox>
#include <QTest>
#include <map>
#include <string>
#include <utility>
#include <vector>

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

class HotKeyCombosTest : public QObject {
    Q_OBJECT

  private slots:
    void emptyStoreSelectsCtrlAltOne() {
        MemorySettings settings;
        Lists lists;
        lists.fill(settings);
        QCOMPARE(lists.combo1.count(), 2);
        QCOMPARE(lists.combo2.count(), 3);
        QCOMPARE(lists.combo3.count(), 47);
        QCOMPARE(lists.combo4.count(), 60);
        QCOMPARE(lists.combo1.currentText(), QStringLiteral("CTRL"));
        QCOMPARE(lists.combo2.currentText(), QStringLiteral("ALT"));
        QCOMPARE(lists.combo3.currentText(), QStringLiteral("1"));
        QCOMPARE(lists.combo4.currentText(), QStringLiteral("1"));
        QCOMPARE(lists.combo3.itemText(13), QStringLiteral("F5"));
        QCOMPARE(lists.combo4.itemText(59), QStringLiteral("60"));
        QVERIFY(settings.writes.empty());
    }

    void storedIndicesSelectTheirEntries() {
        MemorySettings settings;
        settings.values = {{"clé1", "0"}, {"clé2", "2"}, {"clé3", "5"}};
        Lists lists;
        lists.fill(settings);
        QCOMPARE(lists.combo1.currentText(), QString());
        QCOMPARE(lists.combo1.currentIndex(), 0);
        QCOMPARE(lists.combo2.currentText(), QStringLiteral("SHIFT"));
        QCOMPARE(lists.combo3.currentText(), QStringLiteral("6"));
    }

    void unusableStoredIndicesFallBackToTheDefaults() {
        MemorySettings settings;
        settings.values = {{"clé1", "2"}, {"clé2", "ALT"}, {"clé3", "-3"}};
        Lists lists;
        lists.fill(settings);
        QCOMPARE(lists.combo1.currentText(), QStringLiteral("CTRL"));
        QCOMPARE(lists.combo2.currentText(), QStringLiteral("ALT"));
        QCOMPARE(lists.combo3.currentText(), QStringLiteral("1"));

        settings.values = {{"clé3", "47"}};
        lists.fill(settings);
        QCOMPARE(lists.combo3.currentText(), QStringLiteral("1"));
    }

    void fillingAgainReplacesTheEntriesAndResetsTheDelay() {
        MemorySettings settings;
        Lists lists;
        lists.fill(settings);
        lists.combo4.setCurrentIndex(30);
        lists.fill(settings);
        QCOMPARE(lists.combo3.count(), 47);
        QCOMPARE(lists.combo4.count(), 60);
        QCOMPARE(lists.combo4.currentIndex(), 0);
    }

    void pickingF5StoresThirteenAndTheNextStartShowsIt() {
        MemorySettings settings;
        Lists lists;
        lists.fill(settings);
        persistHotKeyChoices(&lists.combo1, &lists.combo2, &lists.combo3, settings);
        lists.combo3.setCurrentIndex(12);  // "F4": a program's choice, stores nothing
        QVERIFY(settings.writes.empty());

        QTest::keyClick(&lists.combo3, Qt::Key_Down);  // the user steps to "F5"
        QCOMPARE(lists.combo3.currentText(), QStringLiteral("F5"));
        QCOMPARE(settings.writes.size(), std::size_t{1});
        QCOMPARE(settings.values.at("clé3"), std::string("13"));

        Lists nextStart;
        nextStart.fill(settings);
        QCOMPARE(nextStart.combo3.currentText(), QStringLiteral("F5"));
    }

    void eachListStoresIntoItsOwnValue() {
        MemorySettings settings;
        Lists lists;
        lists.fill(settings);
        persistHotKeyChoices(&lists.combo1, &lists.combo2, &lists.combo3, settings);
        QTest::keyClick(&lists.combo1, Qt::Key_Up);    // "CTRL" -> ""
        QTest::keyClick(&lists.combo2, Qt::Key_Down);  // "ALT" -> "SHIFT"
        QCOMPARE(settings.values.at("clé1"), std::string("0"));
        QCOMPARE(settings.values.at("clé2"), std::string("2"));
        QVERIFY(settings.values.count("clé3") == 0);

        // Filling again selects programmatically: nothing more is written.
        const auto writesBefore = settings.writes.size();
        lists.fill(settings);
        QCOMPARE(settings.writes.size(), writesBefore);
        QCOMPARE(lists.combo1.currentIndex(), 0);
        QCOMPARE(lists.combo2.currentText(), QStringLiteral("SHIFT"));
    }
};

}  // namespace pointilla::capture

QTEST_MAIN(pointilla::capture::HotKeyCombosTest)
#include "hot_key_combos_test.moc"
