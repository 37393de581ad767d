// The settings key's start-up and the option that hides the window while
// playing, on the in-memory registry control.

#include "settings/settings.h"

#include <gtest/gtest.h>

#include "settings/memory_registry_control.h"

namespace pointilla::shell {
namespace {

const std::string kKey = "HKEY_LOCAL_MACHINE\\software\\Pointilla\\Pointilla";
const std::string kCle1 = "cl\u00e91";
const std::string kCle2 = "cl\u00e92";
const std::string kCle3 = "cl\u00e93";

TEST(SettingsKey, IsBuiltFromTheTitleTwice) {
    EXPECT_EQ(settings::settingsKeyFor("Pointilla"), kKey);
    EXPECT_EQ(settings::settingsKeyFor("Autre"), "HKEY_LOCAL_MACHINE\\software\\Autre\\Autre");
}

TEST(PrepareSettings, FirstStartCreatesTheKeysAndWritesEveryDefaultInOrder) {
    settings::MemoryRegistryControl store;
    settings::prepareSettings(store, "Pointilla");

    EXPECT_TRUE(store.hasKey("HKEY_LOCAL_MACHINE\\software\\Pointilla"));
    EXPECT_TRUE(store.hasKey(kKey));
    const std::vector<std::string> expected = {
        "CurrentKey=HKEY_LOCAL_MACHINE\\software",
        "CreateAKey(Pointilla)",
        "CurrentKey=HKEY_LOCAL_MACHINE\\software\\Pointilla",
        "CreateAKey(Pointilla)",
        "CurrentKey=" + kKey,
        "KeyExists(" + kCle1 + ",0)",
        "SetStringVal(" + kCle1 + ",1)",
        "KeyExists(" + kCle2 + ",0)",
        "SetStringVal(" + kCle2 + ",1)",
        "KeyExists(" + kCle3 + ",0)",
        "SetStringVal(" + kCle3 + ",0)",
        "KeyExists(Visible,0)",
        "SetStringVal(Visible,1)",
        "KeyExists(redlec,0)",
        "SetStringVal(redlec,0)",
    };
    EXPECT_EQ(store.calls(), expected);
}

TEST(PrepareSettings, KeepsPresentValuesWhateverTheyHoldAndRefillsEmptyOnes) {
    settings::MemoryRegistryControl store;
    store.putValue(kKey, kCle1, "0");
    store.putValue(kKey, kCle2, "");  // present but empty: rewritten
    store.putValue(kKey, kCle3, "5");
    store.putValue(kKey, "Visible", "n'importe quoi");
    store.putValue(kKey, "redlec", "1");
    settings::prepareSettings(store, "Pointilla");

    EXPECT_EQ(store.value(kKey, kCle1), "0");
    EXPECT_EQ(store.value(kKey, kCle2), "1");
    EXPECT_EQ(store.value(kKey, kCle3), "5");
    EXPECT_EQ(store.value(kKey, "Visible"), "n'importe quoi");
    EXPECT_EQ(store.value(kKey, "redlec"), "1");
}

TEST(PrepareSettings, AStoreThatCannotBeWrittenLeavesEverythingMissingWithoutFailing) {
    settings::MemoryRegistryControl store;
    store.setReadOnly(true);
    settings::prepareSettings(store, "Pointilla");
    EXPECT_FALSE(store.value(kKey, kCle1).has_value());
    EXPECT_EQ(settings::readSetting(store, "Pointilla", kCle1), "");
}

TEST(HideWhilePlaying, CheckMarkUnlessTheValueIsExactlyZero) {
    settings::MemoryRegistryControl store;
    for (const auto& [stored, checked] : std::vector<std::pair<std::string, bool>>{
             {"0", false}, {"1", true}, {"oui", true}, {"", true}, {" 0", true}}) {
        store.putValue(kKey, "redlec", stored);
        EXPECT_EQ(settings::hideWhilePlayingChecked(store, "Pointilla"), checked)
            << "'" << stored << "'";
    }
}

TEST(HideWhilePlaying, ToggleSwapsZeroAndOneAndLeavesAnythingElse) {
    settings::MemoryRegistryControl store;
    store.putValue(kKey, "redlec", "0");
    EXPECT_TRUE(settings::toggleHideWhilePlaying(store, "Pointilla"));
    EXPECT_EQ(store.value(kKey, "redlec"), "1");
    EXPECT_FALSE(settings::toggleHideWhilePlaying(store, "Pointilla"));
    EXPECT_EQ(store.value(kKey, "redlec"), "0");

    store.putValue(kKey, "redlec", "2");
    EXPECT_TRUE(settings::toggleHideWhilePlaying(store, "Pointilla"));
    EXPECT_EQ(store.value(kKey, "redlec"), "2");
}

TEST(HideWhilePlaying, ToggleSetsTheCurrentKeyItselfFirst) {
    settings::MemoryRegistryControl store;
    store.putValue(kKey, "redlec", "0");
    store.setCurrentKey("HKEY_LOCAL_MACHINE\\software\\Ailleurs");
    store.clearCalls();
    settings::toggleHideWhilePlaying(store, "Pointilla");
    ASSERT_FALSE(store.calls().empty());
    EXPECT_EQ(store.calls().front(), "CurrentKey=" + kKey);
    EXPECT_EQ(store.value(kKey, "redlec"), "1");
}

}  // namespace
}  // namespace pointilla::shell
