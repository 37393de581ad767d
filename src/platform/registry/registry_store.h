#pragma once
// The persistent hierarchical key/value store that stands in for the Windows
// registry: one SQLite file in WAL mode holding every root. Names and data are
// Windows-1252 bytes at this interface; names compare without regard to case and
// keep the case they were created with. Every write is its own transaction unless
// a Batch is open.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry/sqlite_handles.h"
#include "platform/registry/win_types.h"

namespace pointilla::registry {

using KeyId = std::int64_t;

// The seven predefined roots, in the order of their handle values 0x80000000...
inline constexpr int kRootCount = 7;
KeyId rootKeyId(int rootIndex);  // rootIndex 0..6

struct KeyInfo {
    DWORD subKeys = 0;
    DWORD maxSubKeyLen = 0;  // characters, without terminator
    DWORD values = 0;
    DWORD maxValueNameLen = 0;
    DWORD maxValueLen = 0;  // bytes
};

struct StoredValue {
    DWORD type = REG_NONE;
    std::string data;
};

class RegistryStore {
  public:
    // Opens (creating when needed, with its parent directory) the store file.
    // On failure returns nullptr and a reason in error.
    static std::unique_ptr<RegistryStore> open(const std::filesystem::path& file,
                                               std::string* error);
    ~RegistryStore();
    RegistryStore(const RegistryStore&) = delete;
    RegistryStore& operator=(const RegistryStore&) = delete;

    bool keyExists(KeyId key);
    std::optional<KeyId> findChild(KeyId parent, std::string_view name);
    // Creates the child when missing; created tells whether it was new.
    LONG createChild(KeyId parent, std::string_view name, KeyId* child, bool* created);
    // Fails with ERROR_ACCESS_DENIED when the key has sub-keys.
    LONG deleteKey(KeyId key);

    LONG queryValue(KeyId key, std::string_view name, StoredValue* value);
    LONG setValue(KeyId key, std::string_view name, DWORD type, std::string_view data);
    LONG deleteValue(KeyId key, std::string_view name);

    // Sub-key names in case-insensitive alphabetical order; value names in the
    // order the values were created.
    std::vector<std::string> subKeyNames(KeyId key);
    std::vector<std::string> valueNames(KeyId key);
    KeyInfo keyInfo(KeyId key);

    // Changes whenever another connection commits; lets callers drop caches.
    std::int64_t dataVersion();

    // Groups writes into one transaction: all of them land, or none.
    class Batch {
      public:
        explicit Batch(RegistryStore& store);
        ~Batch();  // rolls back unless committed
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;
        bool commit();
        bool active() const { return active_; }

      private:
        RegistryStore& store_;
        bool active_ = false;
    };

  private:
    explicit RegistryStore(SqliteConnection db);
    bool exec(const char* sql);
    sqlite3_stmt* statement(int slot, const char* sql);
    bool beginWrite();
    LONG endWrite(bool ok);

    SqliteConnection db_;
    std::vector<SqliteStatement> statements_;
    int batchDepth_ = 0;
};

}  // namespace pointilla::registry
