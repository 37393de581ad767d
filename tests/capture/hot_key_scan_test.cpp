#include "capture/hot_key_scan.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "capture/hot_key_lists.h"
#include "platform/desktop/virtual_keys.h"
#include "platform/testing/recording_desktop.h"

namespace pointilla::capture {
namespace {

using namespace platform::vk;
using platform::testing::RecordingDesktop;

const HotKeyChoice kStock{"CTRL", "ALT", "1"};

bool heldWith(const std::set<int>& keys, const HotKeyChoice& choice) {
    RecordingDesktop desktop;
    for (const int key : keys) desktop.setKeyDown(key, true);
    return isHotKeyHeld(desktop.keyboard(), choice);
}

ScannedKeys scanOf(const std::set<int>& keys) {
    RecordingDesktop desktop;
    for (const int key : keys) desktop.setKeyDown(key, true);
    return scanHotKeys(desktop.keyboard());
}

TEST(HotKeyScanTable, QueriesTheKeysInTheirFixedOrder) {
    const std::vector<int> expected{
        0x11, 0x12, 0x10,                                                  // modifiers
        0x79, 0x7A, 0x7B,                                                  // F10..F12
        0x78, 0x77, 0x75, 0x76, 0x74, 0x73, 0x72, 0x71, 0x70,              // F9 F8 F6 F7 F5..F1
        0x39, 0x38, 0x37, 0x35, 0x36, 0x33, 0x34, 0x31, 0x32, 0x30,        // top-row digits
        0x5A, 0x59, 0x58, 0x57, 0x56, 0x55, 0x54, 0x53, 0x52, 0x51, 0x50,  // Z..P
        0x4F, 0x4E, 0x4D, 0x4C, 0x4B, 0x4A, 0x49, 0x48, 0x47, 0x46, 0x45,  // O..E
        0x44, 0x43, 0x42, 0x41,                                            // D..A
        0x61, 0x62, 0x63, 0x64, 0x65, 0x66, 0x67, 0x68, 0x69};             // keypad 1..9
    std::vector<int> actual;
    for (const ScanKey& entry : hotKeyScanTable()) actual.push_back(entry.virtualKey);
    EXPECT_EQ(actual, expected);
}

// Each code's text follows from the code itself, whatever its place in the order.
TEST(HotKeyScanTable, EveryKeyWritesItsOwnTextIntoItsSlot) {
    for (const ScanKey& entry : hotKeyScanTable()) {
        const int vk = entry.virtualKey;
        SCOPED_TRACE(vk);
        std::string expected;
        ScanSlot slot = ScanSlot::Key;
        if (vk == 0x11) {
            expected = "CTRL", slot = ScanSlot::FirstModifier;
        } else if (vk == 0x12) {
            expected = "ALT", slot = ScanSlot::SecondModifier;
        } else if (vk == 0x10) {
            expected = "SHIFT", slot = ScanSlot::SecondModifier;
        } else if (vk >= 0x70 && vk <= 0x7B) {
            expected = "F" + std::to_string(vk - 0x70 + 1);
        } else if ((vk >= 0x30 && vk <= 0x39) || (vk >= 0x41 && vk <= 0x5A)) {
            expected = std::string(1, static_cast<char>(vk));
        } else if (vk >= 0x61 && vk <= 0x69) {
            expected = std::string(1, static_cast<char>('0' + vk - 0x60));
        } else {
            ADD_FAILURE() << "unexpected key in the scan";
        }
        EXPECT_EQ(entry.text, expected);
        EXPECT_EQ(entry.slot, slot);
    }
}

TEST(HotKeyScanTable, EveryEntryOfTheKeyListCanBePressed) {
    for (const std::string& entry : hotKeyKeyEntries()) {
        bool found = false;
        for (const ScanKey& key : hotKeyScanTable()) {
            found = found || (key.slot == ScanSlot::Key && key.text == entry);
        }
        EXPECT_TRUE(found) << entry;
    }
}

TEST(HotKeyPoll, StockChoiceCapturesOnlyCtrlAltOne) {
    EXPECT_TRUE(heldWith({kCtrl, kAlt, topRowDigit(1)}, kStock));
    EXPECT_FALSE(heldWith({}, kStock));
    EXPECT_FALSE(heldWith({kCtrl, kAlt}, kStock));
    EXPECT_FALSE(heldWith({kCtrl, topRowDigit(1)}, kStock));
    EXPECT_FALSE(heldWith({kAlt, topRowDigit(1)}, kStock));
    EXPECT_FALSE(heldWith({kCtrl, kAlt, topRowDigit(2)}, kStock));
}

TEST(HotKeyPoll, ShiftAddedToTheStockChoiceStopsTheCapture) {
    EXPECT_FALSE(heldWith({kCtrl, kAlt, kShift, topRowDigit(1)}, kStock));
    EXPECT_EQ(scanOf({kAlt, kShift}).secondModifier, "SHIFT");
}

TEST(HotKeyPoll, ShiftChoiceAcceptsAltEitherWay) {
    const HotKeyChoice ctrlShift1{"CTRL", "SHIFT", "1"};
    EXPECT_TRUE(heldWith({kCtrl, kShift, topRowDigit(1)}, ctrlShift1));
    EXPECT_TRUE(heldWith({kCtrl, kShift, kAlt, topRowDigit(1)}, ctrlShift1));
    EXPECT_FALSE(heldWith({kCtrl, kAlt, topRowDigit(1)}, ctrlShift1));
}

TEST(HotKeyPoll, KeypadDigitServesLikeTheTopRowDigit) {
    EXPECT_TRUE(heldWith({kCtrl, kAlt, keypadDigit(1)}, kStock));
    // The keypad comes last in the scan, so it wins over a top-row digit.
    EXPECT_EQ(scanOf({topRowDigit(1), keypadDigit(2)}).key, "2");
    EXPECT_FALSE(heldWith({kCtrl, kAlt, topRowDigit(1), keypadDigit(2)}, kStock));
    // Keypad 0 is not part of the scan.
    EXPECT_EQ(scanOf({keypadDigit(0)}), ScannedKeys{});
}

TEST(HotKeyPoll, ALetterHeldAsWellReplacesTheDigit) {
    EXPECT_FALSE(heldWith({kCtrl, kAlt, topRowDigit(1), letter('A')}, kStock));
    EXPECT_TRUE(
        heldWith({kCtrl, kAlt, topRowDigit(1), letter('A')}, HotKeyChoice{"CTRL", "ALT", "A"}));
}

TEST(HotKeyPoll, EmptyModifierEntryMeansThatModifierUp) {
    const HotKeyChoice alt1{"", "ALT", "1"};
    EXPECT_TRUE(heldWith({kAlt, topRowDigit(1)}, alt1));
    EXPECT_FALSE(heldWith({kCtrl, kAlt, topRowDigit(1)}, alt1));

    const HotKeyChoice ctrl1{"CTRL", "", "1"};
    EXPECT_TRUE(heldWith({kCtrl, topRowDigit(1)}, ctrl1));
    EXPECT_FALSE(heldWith({kCtrl, kAlt, topRowDigit(1)}, ctrl1));
    EXPECT_FALSE(heldWith({kCtrl, kShift, topRowDigit(1)}, ctrl1));
}

TEST(HotKeyPoll, LaterKeyInTheScanWins) {
    EXPECT_EQ(scanOf({0x75, 0x76}).key, "F7");  // F6 then F7
    EXPECT_EQ(scanOf({0x78, 0x79}).key, "F9");  // F10 is queried before F9
    EXPECT_EQ(scanOf({0x35, 0x36}).key, "6");   // 5 then 6
    EXPECT_EQ(scanOf({topRowDigit(1), topRowDigit(2)}).key, "2");
    EXPECT_EQ(scanOf({topRowDigit(2), topRowDigit(0)}).key, "0");
    EXPECT_EQ(scanOf({0x5A, letter('A')}).key, "A");               // Z down to A
    EXPECT_EQ(scanOf({functionKey(5), topRowDigit(1)}).key, "1");  // digits after function keys
}

TEST(HotKeyPoll, TopRowZeroYieldsATextNoListOffers) {
    EXPECT_EQ(scanOf({kCtrl, kAlt, topRowDigit(0)}), (ScannedKeys{"CTRL", "ALT", "0"}));
    for (const std::string& entry : hotKeyKeyEntries()) {
        EXPECT_FALSE(heldWith({kCtrl, kAlt, topRowDigit(0)}, HotKeyChoice{"CTRL", "ALT", entry}));
    }
}

TEST(HotKeyPoll, ComparisonIsExactAndCaseSensitive) {
    EXPECT_FALSE(heldWith({kCtrl, kAlt, letter('A')}, HotKeyChoice{"CTRL", "ALT", "a"}));
    EXPECT_FALSE(heldWith({kCtrl, kAlt, topRowDigit(1)}, HotKeyChoice{"Ctrl", "ALT", "1"}));
    // An empty entry equals only an empty slot.
    EXPECT_TRUE(heldWith({kCtrl, kAlt}, HotKeyChoice{"CTRL", "ALT", ""}));
    EXPECT_FALSE(heldWith({kCtrl, kAlt, topRowDigit(1)}, HotKeyChoice{"CTRL", "ALT", ""}));
}

TEST(HotKeyPoll, OneEvaluationIsOneBatchedQuery) {
    RecordingDesktop desktop;
    desktop.holdOnly({kCtrl, kAlt, topRowDigit(1)});
    isHotKeyHeld(desktop.keyboard(), kStock);
    EXPECT_EQ(desktop.batchedKeyQueries(), 1);
    EXPECT_EQ(desktop.singleKeyQueries(), 0);
}

TEST(HotKeyLists, EntriesInListOrder) {
    EXPECT_EQ(firstModifierEntries(), (std::vector<std::string>{"", "CTRL"}));
    EXPECT_EQ(secondModifierEntries(), (std::vector<std::string>{"", "ALT", "SHIFT"}));
    const auto keys = hotKeyKeyEntries();
    ASSERT_EQ(keys.size(), 47u);
    EXPECT_EQ(keys[0], "1");
    EXPECT_EQ(keys[8], "9");
    EXPECT_EQ(keys[9], "F1");
    EXPECT_EQ(keys[13], "F5");
    EXPECT_EQ(keys[20], "F12");
    EXPECT_EQ(keys[21], "A");
    EXPECT_EQ(keys[46], "Z");
    const auto delays = delayEntries();
    ASSERT_EQ(delays.size(), 60u);
    EXPECT_EQ(delays.front(), "1");
    EXPECT_EQ(delays.back(), "60");
}

TEST(HotKeyLists, DefaultsMakeCtrlAltOne) {
    EXPECT_EQ(firstModifierEntries()[kFirstModifierDefaultIndex], "CTRL");
    EXPECT_EQ(secondModifierEntries()[kSecondModifierDefaultIndex], "ALT");
    EXPECT_EQ(hotKeyKeyEntries()[kHotKeyKeyDefaultIndex], "1");
    EXPECT_EQ(delayEntries()[kDelayDefaultIndex], "1");
}

TEST(HotKeyLists, StoredIndexFallsBackWhenNotANumberOrOutsideTheList) {
    EXPECT_EQ(storedListIndex("5", 47, 0), 5);
    EXPECT_EQ(storedListIndex("0", 2, 1), 0);
    EXPECT_EQ(storedListIndex("46", 47, 0), 46);
    EXPECT_EQ(storedListIndex(" 2 ", 3, 1), 2);
    EXPECT_EQ(storedListIndex("", 2, 1), 1);
    EXPECT_EQ(storedListIndex("CTRL", 2, 1), 1);
    EXPECT_EQ(storedListIndex("2x", 3, 1), 1);
    EXPECT_EQ(storedListIndex("1.5", 3, 1), 1);
    EXPECT_EQ(storedListIndex("47", 47, 0), 0);
    EXPECT_EQ(storedListIndex("-1", 47, 0), 0);
    EXPECT_EQ(storedListIndex("99999999999999999999", 47, 0), 0);
}

TEST(HotKeyLists, IndexIsStoredAsPlainDecimal) {
    EXPECT_EQ(listIndexText(13), "13");
    EXPECT_EQ(listIndexText(0), "0");
}

}  // namespace
}  // namespace pointilla::capture
