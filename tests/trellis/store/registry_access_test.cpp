// The registry primitives on textual key paths.

#include "trellis/store/registry_access.h"

#include <gtest/gtest.h>

#include "message_capture.h"
#include "platform/registry/advapi32.h"
#include "support/registry_store.h"

// One throw-away store for the whole test program (and the library it loads).
TRELLIS_TEMP_STORE();

namespace trellis {
namespace {

using testing::Message;
using testing::MessageCapture;

const std::string kKey = "HKEY_CURRENT_USER\\Software\\Primitives";

// The status a primitive failed with, ERROR_SUCCESS when it did not.
template <class R>
LONG statusOf(const R& result) {
    return result ? LONG{ERROR_SUCCESS} : result.error();
}
std::string textAt(const std::string& keyPath, const std::string& name) {
    auto text = GetStringValue(keyPath, name);
    return text ? *text : "<status " + std::to_string(text.error()) + ">";
}

class Primitives : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(CreateKey(kKey)); }
};

TEST(SplitKeyPath, GivesTheRootHandleAndTheSubKey) {
    std::string path = "HKEY_LOCAL_MACHINE\\software\\Pointilla\\Pointilla";
    HKEY root = nullptr;
    SplitKeyPath(path, root);
    EXPECT_EQ(root, HKEY_LOCAL_MACHINE);
    EXPECT_EQ(path, "software\\Pointilla\\Pointilla");

    path = "HKEY_CURRENT_USER";
    SplitKeyPath(path, root);
    EXPECT_EQ(root, HKEY_CURRENT_USER);
    EXPECT_EQ(path, "");
}

TEST(SplitKeyPath, RejectsLowerCaseRootsTrailingBackslashesAndMissingPrefix) {
    for (const auto& rejected : std::vector<std::string>{
             "hkey_current_user\\Software", "HKEY_LOCAL_MACHINE\\software\\X\\", "SOFTWARE\\X",
             "HKEY_NOWHERE\\X", "", "HKEY"}) {
        std::string path = rejected;
        HKEY root = HKEY_USERS;
        SplitKeyPath(path, root);
        EXPECT_EQ(root, nullptr) << rejected;
        EXPECT_EQ(path, rejected);
    }
}

TEST(RootFromName, KnowsTheSevenRootsExactly) {
    EXPECT_EQ(RootFromName("HKEY_CLASSES_ROOT"), HKEY_CLASSES_ROOT);
    EXPECT_EQ(RootFromName("HKEY_USERS"), HKEY_USERS);
    EXPECT_EQ(RootFromName("HKEY_PERFORMANCE_DATA"), HKEY_PERFORMANCE_DATA);
    EXPECT_EQ(RootFromName("HKEY_CURRENT_CONFIG"), HKEY_CURRENT_CONFIG);
    EXPECT_EQ(RootFromName("HKEY_DYN_DATA"), HKEY_DYN_DATA);
    EXPECT_EQ(RootFromName("HKEY_Users"), nullptr);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(HKEY_LOCAL_MACHINE) & 0xFFFFFFFFu, 0x80000002u);
}

TEST(ValidRootKey, OnlyAsksForABackslash) {
    EXPECT_EQ(ValidRootKey("HKEY_CURRENT_USER\\x"), 0);
    EXPECT_EQ(ValidRootKey("anything\\"), 0);
    EXPECT_EQ(ValidRootKey("HKEY_CURRENT_USER"), 1010);
    EXPECT_EQ(ValidRootKey(""), 1010);
}

TEST_F(Primitives, TextsComeBackExactlyAsWrittenWhateverTheirLengthAndBlanks) {
    for (const std::string& text :
         {std::string("1"), std::string(254, 'a'), std::string(255, 'b'), std::string(4000, 'c'),
          std::string("  ab"), std::string("ab  "), std::string(" "), std::string("C:\\Temp")}) {
        ASSERT_TRUE(SetStringValue(kKey, "text", text));
        EXPECT_EQ(textAt(kKey, "text"), text) << text.size();
    }
}

TEST_F(Primitives, WindowsTwelveFiftyTwoNamesAndTextsRoundTrip) {
    ASSERT_TRUE(SetStringValue(kKey, "clé1", "Réduire €"));
    EXPECT_EQ(textAt(kKey, "CLÉ1"), "Réduire €");
    // A character with no Windows-1252 byte cannot be stored: the write fails.
    EXPECT_EQ(statusOf(SetStringValue(kKey, "clé1", "日本")), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(textAt(kKey, "clé1"), "Réduire €");
    EXPECT_EQ(statusOf(SetStringValue(kKey, "名", "x")), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(statusOf(GetStringValue(kKey, "名")), ERROR_FILE_NOT_FOUND);
}

TEST_F(Primitives, FailuresGiveTheRegistryStatus) {
    const std::string noSuchKey = "HKEY_CURRENT_USER\\Software\\NoSuchKey";
    // Rejected paths (lower-case root, trailing backslash, no "HKEY_") name no key.
    const std::vector<std::pair<LONG, LONG>> cases = {
        {statusOf(GetStringValue(kKey, "missing")), ERROR_FILE_NOT_FOUND},
        {statusOf(GetStringValue(noSuchKey, "x")), ERROR_FILE_NOT_FOUND},
        {statusOf(SetStringValue(noSuchKey, "x", "y")), ERROR_FILE_NOT_FOUND},
        {statusOf(SetStringValue("hkey_current_user\\Software\\Primitives", "x", "y")),
         ERROR_FILE_NOT_FOUND},
        {statusOf(SetStringValue(kKey + "\\", "x", "y")), ERROR_FILE_NOT_FOUND},
        {statusOf(GetDWORDValue(kKey, "missing")), ERROR_FILE_NOT_FOUND},
        {statusOf(SetDWORDValue("SOFTWARE\\X", "x", 1)), ERROR_FILE_NOT_FOUND},
        {statusOf(CreateKey("HKEY_CURRENT_USER\\Software\\X\\")), ERROR_FILE_NOT_FOUND},
        {statusOf(DeleteKey(kKey + "\\NoSuchChild")), ERROR_FILE_NOT_FOUND},
        {statusOf(GetBinaryValue(kKey, "missing")), ERROR_FILE_NOT_FOUND},
        {statusOf(GetBinaryValue("HKEY_NOWHERE\\x", "b")), ERROR_FILE_NOT_FOUND},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        EXPECT_EQ(cases[i].first, cases[i].second) << "case " << i;
    }
}

TEST_F(Primitives, NumbersRoundTripAStoredMinusOneIncluded) {
    for (const LONG number : {LONG{255}, LONG{-2}, static_cast<LONG>(0xFFFFFFFF)}) {
        ASSERT_TRUE(SetDWORDValue(kKey, "n", number));
        const auto read = GetDWORDValue(kKey, "n");
        ASSERT_TRUE(read) << number;
        EXPECT_EQ(*read, number);
    }
}

TEST_F(Primitives, TheRootKeyItselfHoldsValues) {
    ASSERT_TRUE(SetStringValue("HKEY_CURRENT_USER", "atRoot", "yes"));
    EXPECT_EQ(textAt("HKEY_CURRENT_USER", "atRoot"), "yes");
}

TEST_F(Primitives, BinaryValuesReadAsOneCharacterPerByte) {
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Primitives", 0, KEY_WRITE, &key),
              ERROR_SUCCESS);
    const BYTE bytes[] = {0x0A, 0xFF, 0x00};
    ASSERT_EQ(RegSetValueExA(key, "b", 0, REG_BINARY, bytes, 3), ERROR_SUCCESS);
    RegCloseKey(key);
    const auto read = GetBinaryValue(kKey, "b");
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, std::string("\x0A\xFF\x00", 3));
}

TEST_F(Primitives, KeysAreCreatedWithParentsAndDeletedOnlyWithoutSubKeys) {
    EXPECT_TRUE(CreateKey(kKey + "\\A\\B"));
    EXPECT_TRUE(CreateKey(kKey + "\\A\\B"));  // an existing key counts as created
    EXPECT_FALSE(DeleteKey(kKey + "\\A"));
    EXPECT_TRUE(DeleteKey(kKey + "\\A\\B"));
    EXPECT_TRUE(DeleteKey(kKey + "\\A"));
    EXPECT_EQ(statusOf(DeleteKey(kKey + "\\A")), ERROR_FILE_NOT_FOUND);
}

TEST_F(Primitives, EnumeratorsListNamesAndLeaveTheArrayAloneForAnEmptyKey) {
    ASSERT_TRUE(CreateKey(kKey + "\\Enum\\zeta"));
    ASSERT_TRUE(CreateKey(kKey + "\\Enum\\Alpha"));
    ASSERT_TRUE(SetStringValue(kKey + "\\Enum", "second", "2"));
    ASSERT_TRUE(SetDWORDValue(kKey + "\\Enum", "first", 1));
    HKEY root = HKEY_CURRENT_USER;
    std::string subKey = "Software\\Primitives\\Enum";
    std::vector<std::string> names;
    LONG count = -5;
    EXPECT_EQ(RegistryEnumerateSubKeys(root, subKey, names, count), 2);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(names, (std::vector<std::string>{"Alpha", "zeta"}));
    EXPECT_EQ(RegistryEnumerateValues(root, subKey, names, count), 2);
    EXPECT_EQ(names, (std::vector<std::string>{"second", "first"}));

    subKey = "Software\\Primitives\\Enum\\zeta";
    names = {"kept"};
    count = 9;
    EXPECT_EQ(RegistryEnumerateSubKeys(root, subKey, names, count), 0);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(names, std::vector<std::string>{"kept"});

    subKey = "Software\\Primitives\\Missing";
    count = 9;
    EXPECT_EQ(RegistryEnumerateValues(root, subKey, names, count), 0);
    EXPECT_EQ(count, 9);
}

TEST_F(Primitives, GetKeyValueGivesTextNumberOrNothingWithTheType) {
    ASSERT_TRUE(SetStringValue(kKey, "s", "texte"));
    ASSERT_TRUE(SetDWORDValue(kKey, "d", 42));
    HKEY root = HKEY_CURRENT_USER;
    std::string subKey = "Software\\Primitives";
    std::string name = "s";
    EXPECT_EQ(RegistryGetKeyValue(root, subKey, name), (KeyValue{std::string("texte"), REG_SZ}));
    name = "d";
    EXPECT_EQ(RegistryGetKeyValue(root, subKey, name), (KeyValue{LONG{42}, REG_DWORD}));
    name = "missing";
    EXPECT_EQ(RegistryGetKeyValue(root, subKey, name), (KeyValue{{}, REG_NONE}));
}

TEST(ExportRootFromName, WarnsAndFallsBackToLocalMachineForOtherNames) {
    MessageCapture capture;
    std::string name = "HKEY_USERS";
    EXPECT_EQ(ExportRootFromName(name), HKEY_USERS);
    EXPECT_TRUE(capture.messages.empty());
    name = "HKEY_CURRENT_CONFIG";
    EXPECT_EQ(ExportRootFromName(name), HKEY_LOCAL_MACHINE);
    ASSERT_EQ(capture.messages.size(), 1u);
    EXPECT_EQ(capture.messages[0],
              (Message{"Failure to pass a valid root type to the function.  HKEY_LOCAL_MACHINE "
                       "will be used",
                       "ERROR", MB_OK | MB_ICONSTOP}));
}

}  // namespace
}  // namespace trellis
