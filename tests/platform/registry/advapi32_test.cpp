// Registry semantics of the store behind the advapi32 functions.

#include "platform/registry/advapi32.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstring>
#include <string>
#include <vector>

#include "support/registry_store.h"

TRELLIS_TEMP_STORE();

namespace {

// An open key that closes itself; fails the test when it cannot be opened.
struct Key {
    HKEY h = nullptr;
    ~Key() {
        if (h) RegCloseKey(h);
    }
};

LONG create(HKEY root, const char* path, Key& key) { return RegCreateKeyA(root, path, &key.h); }

LONG setText(HKEY key, const char* name, const std::string& text, DWORD type = REG_SZ) {
    return RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(text.data()),
                          static_cast<DWORD>(text.size()));
}

std::string readBytes(HKEY key, const char* name, DWORD* type = nullptr) {
    DWORD size = 0;
    DWORD t = 0;
    if (RegQueryValueExA(key, name, nullptr, &t, nullptr, &size) != ERROR_SUCCESS) return "<none>";
    std::string data(size, '\0');
    EXPECT_EQ(RegQueryValueExA(key, name, nullptr, &t, reinterpret_cast<BYTE*>(data.data()), &size),
              ERROR_SUCCESS);
    if (type) *type = t;
    return data;
}

std::vector<std::string> subKeys(HKEY key) {
    std::vector<std::string> names;
    char buffer[256];
    LONG status = ERROR_SUCCESS;
    for (DWORD i = 0; (status = RegEnumKeyA(key, i, buffer, sizeof buffer)) == ERROR_SUCCESS; ++i) {
        names.emplace_back(buffer);
    }
    EXPECT_EQ(status, ERROR_NO_MORE_ITEMS);
    return names;
}

std::vector<std::string> valueNames(HKEY key) {
    std::vector<std::string> names;
    char buffer[256];
    for (DWORD i = 0;; ++i) {
        DWORD length = sizeof buffer;
        if (RegEnumValueA(key, i, buffer, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            break;
        }
        EXPECT_EQ(length, std::strlen(buffer));
        names.emplace_back(buffer);
    }
    return names;
}

TEST(RegistryStore, CreatingAKeyCreatesItsParentsAndReportsWhetherItWasNew) {
    HKEY key = nullptr;
    DWORD disposition = 0;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Parents\\A\\B\\C", 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));
    RegCloseKey(key);
    Key middle;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Parents\\A\\B", 0, KEY_READ, &middle.h),
              ERROR_SUCCESS);
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "parents\\a\\b\\c", 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, static_cast<DWORD>(REG_OPENED_EXISTING_KEY));
    RegCloseKey(key);
    Key missing;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Parents\\Nope", 0, KEY_READ, &missing.h),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(missing.h, nullptr);
}

TEST(RegistryStore, NamesIgnoreCaseButKeepTheCaseTheyWereCreatedWith) {
    Key key;
    ASSERT_EQ(create(HKEY_CURRENT_USER, "Case\\MixedName", key), ERROR_SUCCESS);
    ASSERT_EQ(setText(key.h, "ValueName", "first"), ERROR_SUCCESS);
    ASSERT_EQ(setText(key.h, "VALUENAME", "second"), ERROR_SUCCESS);
    EXPECT_EQ(readBytes(key.h, "valuename"), "second");
    EXPECT_EQ(valueNames(key.h), std::vector<std::string>{"ValueName"});
    // Windows-1252 letters fold too: "clé1" and "CLÉ1" are one name.
    ASSERT_EQ(setText(key.h,
                      "cl\xE9"
                      "1",
                      "accent"),
              ERROR_SUCCESS);
    EXPECT_EQ(readBytes(key.h,
                        "CL\xC9"
                        "1"),
              "accent");
    Key parent;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "CASE", 0, KEY_READ, &parent.h), ERROR_SUCCESS);
    EXPECT_EQ(subKeys(parent.h), std::vector<std::string>{"MixedName"});
}

TEST(RegistryStore, SubKeysEnumerateAlphabeticallyAndValuesInCreationOrder) {
    Key key;
    ASSERT_EQ(create(HKEY_CURRENT_USER, "Order", key), ERROR_SUCCESS);
    for (const char* name : {"beta", "Alpha", "gamma", "ALPHA2", "Delta"}) {
        Key child;
        ASSERT_EQ(create(key.h, name, child), ERROR_SUCCESS);
    }
    EXPECT_EQ(subKeys(key.h),
              (std::vector<std::string>{"Alpha", "ALPHA2", "beta", "Delta", "gamma"}));
    for (const char* name : {"z", "a", "M"}) ASSERT_EQ(setText(key.h, name, name), ERROR_SUCCESS);
    ASSERT_EQ(setText(key.h, "A", "rewritten"), ERROR_SUCCESS);  // keeps its place
    EXPECT_EQ(valueNames(key.h), (std::vector<std::string>{"z", "a", "M"}));
}

TEST(RegistryStore, TypedDataComeBackAsBytesWithTheirType) {
    Key key;
    ASSERT_EQ(create(HKEY_CURRENT_USER, "Types", key), ERROR_SUCCESS);
    const std::string binary("\x00\x01\xFF\x00", 4);
    const std::string multi("one\0two\0\0", 9);
    const DWORD number = 0xDEADBEEF;
    ASSERT_EQ(setText(key.h, "sz", "text"), ERROR_SUCCESS);
    ASSERT_EQ(setText(key.h, "expand", "%PATH%", REG_EXPAND_SZ), ERROR_SUCCESS);
    ASSERT_EQ(setText(key.h, "bin", binary, REG_BINARY), ERROR_SUCCESS);
    ASSERT_EQ(setText(key.h, "empty", "", REG_BINARY), ERROR_SUCCESS);
    ASSERT_EQ(setText(key.h, "multi", multi, REG_MULTI_SZ), ERROR_SUCCESS);
    ASSERT_EQ(
        RegSetValueExA(key.h, "dword", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), 4),
        ERROR_SUCCESS);
    DWORD type = 0;
    EXPECT_EQ(readBytes(key.h, "sz", &type), "text");
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(readBytes(key.h, "expand", &type), "%PATH%");
    EXPECT_EQ(type, REG_EXPAND_SZ);
    EXPECT_EQ(readBytes(key.h, "bin", &type), binary);
    EXPECT_EQ(type, REG_BINARY);
    EXPECT_EQ(readBytes(key.h, "empty", &type), "");
    EXPECT_EQ(type, REG_BINARY);
    EXPECT_EQ(readBytes(key.h, "multi", &type), multi);
    EXPECT_EQ(type, REG_MULTI_SZ);
    EXPECT_EQ(readBytes(key.h, "dword", &type), std::string("\xEF\xBE\xAD\xDE", 4));
    EXPECT_EQ(type, REG_DWORD);
    EXPECT_EQ(readBytes(key.h, "missing"), "<none>");
}

TEST(RegistryStore, ATooSmallBufferGivesMoreDataAndTheSizeNeeded) {
    Key key;
    ASSERT_EQ(create(HKEY_CURRENT_USER, "Buffers", key), ERROR_SUCCESS);
    ASSERT_EQ(setText(key.h, "long", std::string(300, 'x')), ERROR_SUCCESS);
    char buffer[10] = {};
    DWORD size = sizeof buffer;
    DWORD type = 0;
    EXPECT_EQ(
        RegQueryValueExA(key.h, "long", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size),
        ERROR_MORE_DATA);
    EXPECT_EQ(size, 300u);
    char name[3];
    DWORD nameSize = sizeof name;
    EXPECT_EQ(RegEnumValueA(key.h, 0, name, &nameSize, nullptr, nullptr, nullptr, nullptr),
              ERROR_MORE_DATA);
    Key child;
    ASSERT_EQ(create(key.h, "abcdef", child), ERROR_SUCCESS);
    EXPECT_EQ(RegEnumKeyA(key.h, 0, name, sizeof name), ERROR_MORE_DATA);
    EXPECT_EQ(RegEnumKeyA(key.h, 1, name, sizeof name), ERROR_NO_MORE_ITEMS);
}

TEST(RegistryStore, AKeyOpenedForReadingCannotBeWritten) {
    Key made;
    ASSERT_EQ(create(HKEY_CURRENT_USER, "ReadOnly", made), ERROR_SUCCESS);
    Key reading;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "ReadOnly", 0, KEY_READ, &reading.h), ERROR_SUCCESS);
    EXPECT_EQ(setText(reading.h, "v", "x"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteValueA(reading.h, "v"), ERROR_ACCESS_DENIED);
    Key writing;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "ReadOnly", 0, KEY_WRITE, &writing.h),
              ERROR_SUCCESS);
    EXPECT_EQ(setText(writing.h, "v", "x"), ERROR_SUCCESS);
    EXPECT_EQ(readBytes(writing.h, "v"), "<none>");  // KEY_WRITE does not allow queries
}

TEST(RegistryStore, AKeyWithSubKeysCannotBeDeletedAndDeletionTakesItsValues) {
    Key leaf;
    ASSERT_EQ(create(HKEY_CURRENT_USER, "Deletion\\Parent\\Leaf", leaf), ERROR_SUCCESS);
    ASSERT_EQ(setText(leaf.h, "v", "x"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Deletion\\Parent"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Deletion\\Parent\\Leaf"), ERROR_SUCCESS);
    // The old handle now names a deleted key.
    EXPECT_EQ(setText(leaf.h, "v", "y"), ERROR_KEY_DELETED);
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Deletion\\Parent"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Deletion\\Parent"), ERROR_FILE_NOT_FOUND);
    Key again;
    ASSERT_EQ(create(HKEY_CURRENT_USER, "Deletion\\Parent\\Leaf", again), ERROR_SUCCESS);
    EXPECT_EQ(readBytes(again.h, "v"), "<none>");
}

TEST(RegistryStore, KeyInfoCountsSubKeysAndValuesWithTheirLongestNames) {
    Key key;
    ASSERT_EQ(create(HKEY_CURRENT_USER, "Info", key), ERROR_SUCCESS);
    Key a, b;
    ASSERT_EQ(create(key.h, "short", a), ERROR_SUCCESS);
    ASSERT_EQ(create(key.h, "muchlonger", b), ERROR_SUCCESS);
    ASSERT_EQ(setText(key.h, "n", "12345"), ERROR_SUCCESS);
    ASSERT_EQ(setText(key.h, "name3", "1"), ERROR_SUCCESS);
    DWORD subKeyCount = 0, maxSubKey = 0, valueCount = 0, maxValueName = 0, maxValue = 0;
    ASSERT_EQ(RegQueryInfoKeyA(key.h, nullptr, nullptr, nullptr, &subKeyCount, &maxSubKey, nullptr,
                               &valueCount, &maxValueName, &maxValue, nullptr, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(subKeyCount, 2u);
    EXPECT_EQ(maxSubKey, 10u);
    EXPECT_EQ(valueCount, 2u);
    EXPECT_EQ(maxValueName, 5u);
    EXPECT_EQ(maxValue, 5u);
}

TEST(RegistryStore, PerformanceAndDynamicDataOpenButHoldAndTakeNothing) {
    for (HKEY root : {HKEY_PERFORMANCE_DATA, HKEY_DYN_DATA}) {
        Key created;
        EXPECT_EQ(create(root, "Anything", created), ERROR_ACCESS_DENIED);
        Key opened;
        ASSERT_EQ(RegOpenKeyExA(root, "", 0, KEY_ALL_ACCESS, &opened.h), ERROR_SUCCESS);
        EXPECT_EQ(setText(opened.h, "v", "x"), ERROR_ACCESS_DENIED);
        EXPECT_TRUE(subKeys(opened.h).empty());
    }
}

TEST(RegistryStore, BadHandlesAndPathsFailCleanly) {
    char name[16];
    EXPECT_EQ(RegEnumKeyA(reinterpret_cast<HKEY>(0x7777), 0, name, sizeof name),
              ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCloseKey(reinterpret_cast<HKEY>(0x7777)), ERROR_INVALID_HANDLE);
    Key key;
    EXPECT_EQ(create(HKEY_CURRENT_USER, "Bad\\\\Path", key), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(create(HKEY_CURRENT_USER, std::string(256, 'k').c_str(), key),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Bad\\\\Path", 0, KEY_READ, &key.h),
              ERROR_FILE_NOT_FOUND);
}

TEST(RegistryStore, DataOutliveTheConnectionAndAnAbandonedBatchWritesNothing) {
    {
        Key key;
        ASSERT_EQ(create(HKEY_LOCAL_MACHINE, "Persist", key), ERROR_SUCCESS);
        ASSERT_EQ(setText(key.h, "kept", "yes"), ERROR_SUCCESS);
        pointilla::registry::WriteBatch batch;
        ASSERT_TRUE(batch.begun());
        ASSERT_EQ(setText(key.h, "dropped", "no"), ERROR_SUCCESS);
        Key inside;
        ASSERT_EQ(create(key.h, "DroppedKey", inside), ERROR_SUCCESS);
    }  // the batch rolls back here
    pointilla::registry::useStoreAt(pointilla::registry::defaultStorePath());
    Key key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Persist", 0, KEY_READ, &key.h), ERROR_SUCCESS);
    EXPECT_EQ(readBytes(key.h, "kept"), "yes");
    EXPECT_EQ(readBytes(key.h, "dropped"), "<none>");
    EXPECT_TRUE(subKeys(key.h).empty());
}

// Windows stops a key tree at 512 levels; deeper ones are refused whole, with the
// reason, whether the path comes at once or from an already deep key.
TEST(RegistryStore, KeysDeeperThan512LevelsAreRefusedWhenCreated) {
    std::string path = "Deep";
    for (int level = 2; level <= 512; ++level) path += "\\k";
    Key deepest;
    ASSERT_EQ(create(HKEY_CURRENT_USER, path.c_str(), deepest), ERROR_SUCCESS);
    Key refused;
    const auto tooDeep =
        pointilla::registry::explained([&] { return create(deepest.h, "one\\more", refused); });
    ASSERT_FALSE(tooDeep);
    EXPECT_NE(tooDeep.error().words.find("512 niveaux"), std::string::npos);
    EXPECT_NE(create(HKEY_CURRENT_USER, ("Other\\" + path).c_str(), refused), ERROR_SUCCESS);
    Key none;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Other", 0, KEY_READ, &none.h),
              ERROR_FILE_NOT_FOUND);
}

// Another connection's commit stays out of an open snapshot and shows after it.
TEST(RegistryStore, AReadSnapshotSeesOneCommitWhileOthersWrite) {
    Key key;
    ASSERT_EQ(create(HKEY_CURRENT_USER, "Snap", key), ERROR_SUCCESS);
    ASSERT_EQ(setText(key.h, "v", "before"), ERROR_SUCCESS);
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(pointilla::registry::defaultStorePath().c_str(), &other), SQLITE_OK);
    {
        const pointilla::registry::ReadSnapshot snapshot;
        ASSERT_TRUE(snapshot.active());
        EXPECT_EQ(readBytes(key.h, "v"), "before");
        ASSERT_EQ(sqlite3_exec(other,
                               "UPDATE vals SET data=CAST('after' AS BLOB) WHERE name='v' AND "
                               "key=(SELECT id FROM keys WHERE name='Snap')",
                               nullptr, nullptr, nullptr),
                  SQLITE_OK);
        EXPECT_EQ(readBytes(key.h, "v"), "before");
    }
    EXPECT_EQ(readBytes(key.h, "v"), "after");
    sqlite3_close(other);
}

TEST(RegistryStore, DefaultFileFollowsTheEnvironment) {
    const std::string saved = std::getenv("TRELLIS_REGISTRY");
    ::setenv("TRELLIS_REGISTRY", "/somewhere/else.db", 1);
    EXPECT_EQ(pointilla::registry::defaultStorePath(), "/somewhere/else.db");
    ::unsetenv("TRELLIS_REGISTRY");
    ::setenv("XDG_DATA_HOME", "/xdg", 1);
    EXPECT_EQ(pointilla::registry::defaultStorePath(), "/xdg/trellis/registry.db");
    ::setenv("TRELLIS_REGISTRY", saved.c_str(), 1);
}

}  // namespace
