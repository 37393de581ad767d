#pragma once
// The persistent hierarchical key/value store that stands in for the Windows
// registry: one SQLite file in WAL mode holding every root. Names and data are
// Windows-1252 bytes at this interface; names compare without regard to case and
// keep the case they were created with. Every write is its own transaction unless
// a Batch is open; reads never wait on a writer (they see the last commit).

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/result.h"
#include "platform/registry/sqlite_handles.h"
#include "platform/registry/win_types.h"

namespace pointilla::registry {

using KeyId = std::int64_t;

// The seven predefined roots, in the order of their handle values 0x80000000...
inline constexpr int kRootCount = 7;
KeyId rootKeyId(int rootIndex);  // rootIndex 0..6

// Windows allows a key tree 512 levels deep; a root is level 0.
inline constexpr int kMaxKeyDepth = 512;

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

// Why an operation did not do what was asked: the registry status to answer
// with, and, when the store itself failed (busy, read-only, damaged, full),
// its reason in words; a plain registry outcome such as a missing value has none.
struct StoreError {
    LONG status = ERROR_REGISTRY_IO_FAILED;
    std::string reason;
};
template <class T>
using StoreResult = Result<T, StoreError>;
using StoreStatus = Status<StoreError>;

class RegistryStore {
  public:
    // Opens the store file, creating it (and its folder) when missing. Opening
    // takes no write lock unless the file holds no registry yet; a file that
    // cannot be written is opened for reading. The error is a reason in words.
    static Result<std::unique_ptr<RegistryStore>, std::string> open(
        const std::filesystem::path& file);
    ~RegistryStore();
    RegistryStore(const RegistryStore&) = delete;
    RegistryStore& operator=(const RegistryStore&) = delete;

    StoreResult<bool> keyExists(KeyId key);
    StoreResult<std::optional<KeyId>> findChild(KeyId parent, std::string_view name);
    // Levels below its root (a root is 0).
    StoreResult<int> depth(KeyId key);
    // Creates the child when missing; created tells whether it was new.
    StoreResult<KeyId> createChild(KeyId parent, std::string_view name, bool* created);
    // Fails with ERROR_ACCESS_DENIED when the key has sub-keys.
    StoreStatus deleteKey(KeyId key);

    StoreResult<StoredValue> queryValue(KeyId key, std::string_view name);
    StoreStatus setValue(KeyId key, std::string_view name, DWORD type, std::string_view data);
    StoreStatus deleteValue(KeyId key, std::string_view name);

    // Sub-key names in case-insensitive alphabetical order; value names in the
    // order the values were created.
    StoreResult<std::vector<std::string>> subKeyNames(KeyId key);
    StoreResult<std::vector<std::string>> valueNames(KeyId key);
    StoreResult<KeyInfo> keyInfo(KeyId key);

    // Changes whenever another connection commits; lets callers drop caches.
    // None when it cannot be read.
    std::optional<std::int64_t> dataVersion();

    // Groups writes into one transaction: all of them land, or none.
    class Batch {
      public:
        explicit Batch(RegistryStore& store);
        ~Batch();  // rolls back unless committed
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;
        StoreStatus commit();
        bool active() const { return active_; }
        const StoreError& failure() const { return failure_; }

      private:
        RegistryStore& store_;
        bool active_ = false;
        StoreError failure_;
    };

    // Holds one read transaction: every read meanwhile sees the same commit.
    // Writes on this connection fail until it ends.
    class Snapshot {
      public:
        explicit Snapshot(RegistryStore& store);
        ~Snapshot();
        Snapshot(const Snapshot&) = delete;
        Snapshot& operator=(const Snapshot&) = delete;
        bool active() const { return active_; }

      private:
        RegistryStore& store_;
        bool active_ = false;
    };

  private:
    RegistryStore(SqliteConnection db, std::filesystem::path file);
    StoreStatus prepareSchema();
    StoreError failure(int sqliteCode) const;
    StoreStatus exec(const char* sql);
    void rollback();
    void rollbackUnlessBatched();
    StoreResult<sqlite3_stmt*> statement(int slot, const char* sql);
    StoreStatus beginWrite();
    StoreStatus endWrite(StoreStatus outcome);

    SqliteConnection db_;
    std::filesystem::path file_;
    std::vector<SqliteStatement> statements_;
    int batchDepth_ = 0;
    int snapshotDepth_ = 0;
};

}  // namespace pointilla::registry
