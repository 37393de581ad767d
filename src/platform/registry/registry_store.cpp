#include "platform/registry/registry_store.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <system_error>
#include <thread>

#include "codepage/cp1252.h"
#include "messages/privacy_messages.h"
#include "messages/store_messages.h"
#include "platform/posix/unique_fd.h"
#include "platform/registry/name_fold.h"
#include "platform/registry/ofd_locks.h"

namespace pointilla::registry {
namespace {

using codepage::cp1252ToUtf8;

constexpr const char* kRootNames[kRootCount] = {
    "HKEY_CLASSES_ROOT",     "HKEY_CURRENT_USER",   "HKEY_LOCAL_MACHINE", "HKEY_USERS",
    "HKEY_PERFORMANCE_DATA", "HKEY_CURRENT_CONFIG", "HKEY_DYN_DATA",
};

constexpr const char* kSchema = R"sql(
CREATE TABLE IF NOT EXISTS keys(
    id INTEGER PRIMARY KEY,
    parent INTEGER NOT NULL,
    name TEXT NOT NULL,
    fold TEXT NOT NULL,
    UNIQUE(parent, fold));
CREATE TABLE IF NOT EXISTS vals(
    id INTEGER PRIMARY KEY,
    key INTEGER NOT NULL,
    name TEXT NOT NULL,
    fold TEXT NOT NULL,
    type INTEGER NOT NULL,
    data BLOB NOT NULL,
    UNIQUE(key, fold));
CREATE INDEX IF NOT EXISTS vals_by_creation ON vals(key, id);
)sql";

// Slots of the cached prepared statements.
enum Slot {
    kKeyExists,
    kFindChild,
    kInsertKey,
    kCountChildren,
    kDeleteKeyValues,
    kDeleteKey,
    kQueryValue,
    kUpdateValue,
    kInsertValue,
    kDeleteValue,
    kSubKeyNames,
    kValueNames,
    kKeyInfoSubKeys,
    kKeyInfoValues,
    kDataVersion,
    kDepth,
    kSlotCount
};

// Names live in the database as UTF-8 so that the file reads well with any tool.
std::string stored(std::string_view cp1252) { return cp1252ToUtf8(cp1252); }
std::string storedFold(std::string_view cp1252) { return cp1252ToUtf8(foldName(cp1252)); }
std::string fromStored(std::string_view utf8) {
    auto bytes = codepage::utf8ToCp1252(utf8);
    return bytes ? *bytes : std::string(utf8);
}

// How long a writer waits for another process's transaction before it gives up
// and says the store is busy; readers never wait.
constexpr int kBusyMilliseconds = 5000;

// A file name as an SQLite URI path.
std::string uriPath(const std::filesystem::path& file) {
    std::string out;
    for (const char c : std::filesystem::absolute(file).string()) {
        if (c == '%' || c == '?' || c == '#') {
            constexpr const char* kHex = "0123456789ABCDEF";
            out += '%';
            out += kHex[(static_cast<unsigned char>(c) >> 4) & 0xF];
            out += kHex[static_cast<unsigned char>(c) & 0xF];
        } else {
            out += c;
        }
    }
    return out;
}

// Every setting is the user's own: folders made for the store admit no one
// else, and the store is made 0600 before SQLite opens it (its journal and
// shared-memory files take the store's mode).
void createPrivately(const std::filesystem::path& file) {
    std::error_code ec;
    const std::filesystem::path folder = file.parent_path();
    std::vector<std::filesystem::path> missing;
    for (auto at = folder; !at.empty() && !std::filesystem::exists(at, ec); at = at.parent_path()) {
        missing.push_back(at);
        if (at == at.parent_path()) break;
    }
    for (auto level = missing.rbegin(); level != missing.rend(); ++level) {
        ::mkdir(level->c_str(), 0700);  // a failure shows when the store is opened
    }
    const platform::posix::UniqueFd created(
        ::open(file.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600));
}

// A store others could read, as older versions left it, is made the owner's
// alone once this program may write it; said once, when it happens.
void tightenAccess(const std::filesystem::path& file) {
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0 || (st.st_mode & 077) == 0) return;
    const mode_t tight = st.st_mode & 0700;
    if (::chmod(file.c_str(), tight) != 0) return;  // not ours to change
    for (const char* companion : {"-wal", "-shm", "-journal"}) {
        ::chmod((file.string() + companion).c_str(), tight);  // absent ones need nothing
    }
    std::fprintf(stderr, "%s\n",
                 messages::storeTightenedMessage(file.string(), st.st_mode, tight).c_str());
}

SqliteConnection connect(const std::string& name, int flags, int* status) {
    sqlite3* raw = nullptr;
    *status = sqlite3_open_v2(name.c_str(), &raw, flags | SQLITE_OPEN_NOMUTEX, nullptr);
    return SqliteConnection(raw);
}

}  // namespace

KeyId rootKeyId(int rootIndex) { return rootIndex + 1; }

Result<std::unique_ptr<RegistryStore>, std::string> RegistryStore::open(
    const std::filesystem::path& file) {
    useOpenFileDescriptionLocks();
    std::error_code ec;
    createPrivately(file);
    int rc = SQLITE_OK;
    SqliteConnection db = connect(file.string(), SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, &rc);
    if (rc == SQLITE_OK && sqlite3_db_readonly(db.get(), "main") == 0) tightenAccess(file);
    if (rc != SQLITE_OK) db = connect(file.string(), SQLITE_OPEN_READONLY, &rc);
    if (rc != SQLITE_OK) {
        return fail(messages::storeNotOpened(file.string(),
                                             db ? sqlite3_errmsg(db.get()) : sqlite3_errstr(rc)));
    }
    sqlite3_busy_timeout(db.get(), kBusyMilliseconds);
    std::unique_ptr<RegistryStore> store(new RegistryStore(std::move(db), file));
    auto prepared = store->prepareSchema();
    // A reader that cannot create the files a WAL reader shares (a read-only
    // folder) reads the file as it stands: with no WAL beside it, and none
    // creatable, no one can be writing it.
    if (!prepared && sqlite3_db_readonly(store->db_.get(), "main") == 1 &&
        !std::filesystem::exists(file.string() + "-wal", ec)) {
        SqliteConnection fixed = connect("file:" + uriPath(file) + "?immutable=1",
                                         SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, &rc);
        if (rc == SQLITE_OK) {
            store.reset(new RegistryStore(std::move(fixed), file));
            prepared = store->prepareSchema();
        }
    }
    if (!prepared) return fail(prepared.error().reason);
    return store;
}

RegistryStore::RegistryStore(SqliteConnection db, std::filesystem::path file)
    : db_(std::move(db)), file_(std::move(file)) {
    statements_.resize(kSlotCount);
}

RegistryStore::~RegistryStore() {
    statements_.clear();  // statements go before their connection
}

StoreError RegistryStore::failure(int sqliteCode) const {
    using messages::StoreTrouble;
    const std::string words = db_ ? sqlite3_errmsg(db_.get()) : sqlite3_errstr(sqliteCode);
    const auto said = [&](LONG status, StoreTrouble trouble) {
        return StoreError{status, messages::storeTrouble(trouble, file_.string(), words)};
    };
    switch (sqliteCode & 0xFF) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return said(ERROR_BUSY, StoreTrouble::Busy);
        case SQLITE_READONLY:
        case SQLITE_PERM:
            return said(ERROR_ACCESS_DENIED, StoreTrouble::ReadOnly);
        case SQLITE_FULL:
            return said(ERROR_DISK_FULL, StoreTrouble::DiskFull);
        case SQLITE_CORRUPT:
        case SQLITE_NOTADB:
            return said(ERROR_REGISTRY_CORRUPT, StoreTrouble::Damaged);
        case SQLITE_NOMEM:
            return said(ERROR_NOT_ENOUGH_MEMORY, StoreTrouble::OutOfMemory);
        default:
            return said(ERROR_REGISTRY_IO_FAILED, StoreTrouble::InputOutput);
    }
}

void RegistryStore::rollback() { sqlite3_exec(db_.get(), "ROLLBACK", nullptr, nullptr, nullptr); }

StoreStatus RegistryStore::exec(const char* sql) {
    const int rc = sqlite3_exec(db_.get(), sql, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) return fail(failure(rc));
    return {};
}

StoreStatus RegistryStore::prepareSchema() {
    // Look first: a store that holds its registry needs no lock at all.
    const auto count = [&](const char* sql) -> StoreResult<sqlite3_int64> {
        sqlite3_stmt* raw = nullptr;
        const int rc = sqlite3_prepare_v2(db_.get(), sql, -1, &raw, nullptr);
        SqliteStatement stmt(raw);
        if (rc != SQLITE_OK) return fail(failure(rc));
        StatementUse use(stmt.get());
        const int step = use.step();
        if (step != SQLITE_ROW) return fail(failure(step));
        return use.integer(0);
    };
    auto tables =
        count("SELECT count(*) FROM sqlite_master WHERE type='table' AND name IN ('keys','vals')");
    if (!tables) return fail(tables.error());
    if (*tables == 2) {
        auto roots = count("SELECT count(*) FROM keys WHERE parent=0 AND id BETWEEN 1 AND 7");
        if (!roots) return fail(roots.error());
        if (*roots == kRootCount) return exec("PRAGMA synchronous=NORMAL");
    }
    if (sqlite3_db_readonly(db_.get(), "main") == 1) {
        return fail(StoreError{ERROR_ACCESS_DENIED,
                               messages::storeReadOnlyWithoutRegistry(file_.string())});
    }
    // Two processes may meet on a fresh file: the schema goes in under a write lock.
    // Switching a new file to WAL can report "busy" at once, without waiting on the
    // busy handler, while the other process does the same; such a step is retried.
    const auto retrying = [&](const char* sql) -> StoreStatus {
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(kBusyMilliseconds);
        for (;;) {
            const int rc = sqlite3_exec(db_.get(), sql, nullptr, nullptr, nullptr);
            const int primary = rc & 0xFF;
            if (rc == SQLITE_OK) return {};
            if ((primary != SQLITE_BUSY && primary != SQLITE_LOCKED) ||
                std::chrono::steady_clock::now() >= deadline) {
                return fail(failure(rc));
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    };
    for (const char* step :
         {"PRAGMA journal_mode=WAL", "PRAGMA synchronous=NORMAL", "BEGIN IMMEDIATE"}) {
        if (auto done = retrying(step); !done) return done;
    }
    auto done = exec(kSchema);
    for (int i = 0; done && i < kRootCount; ++i) {
        sqlite3_stmt* raw = nullptr;
        sqlite3_prepare_v2(db_.get(),
                           "INSERT OR IGNORE INTO keys(id, parent, name, fold) VALUES(?,0,?,?)", -1,
                           &raw, nullptr);
        SqliteStatement stmt(raw);
        StatementUse use(stmt.get());
        use.bind(1, rootKeyId(i)).bindText(2, kRootNames[i]).bindText(3, kRootNames[i]);
        if (const int rc = use.step(); rc != SQLITE_DONE) done = fail(failure(rc));
    }
    if (done) done = exec("COMMIT");
    if (!done) rollback();
    return done;
}

StoreResult<sqlite3_stmt*> RegistryStore::statement(int slot, const char* sql) {
    auto& cached = statements_[static_cast<std::size_t>(slot)];
    if (!cached) {
        sqlite3_stmt* raw = nullptr;
        const int rc =
            sqlite3_prepare_v3(db_.get(), sql, -1, SQLITE_PREPARE_PERSISTENT, &raw, nullptr);
        if (rc != SQLITE_OK) {
            sqlite3_finalize(raw);
            return fail(failure(rc));
        }
        cached.reset(raw);
    }
    return cached.get();
}

void RegistryStore::rollbackUnlessBatched() {
    if (batchDepth_ == 0) rollback();
}

StoreStatus RegistryStore::beginWrite() {
    if (batchDepth_ > 0) return {};
    return exec("BEGIN IMMEDIATE");
}

StoreStatus RegistryStore::endWrite(StoreStatus outcome) {
    if (batchDepth_ > 0) return outcome;
    if (outcome) {
        outcome = exec("COMMIT");
        if (outcome) return outcome;
    }
    rollback();
    return outcome;
}

// Runs a prepared statement that answers at most one row.
#define STORE_STATEMENT(name, slot, sql)                      \
    auto name##Prepared = statement(slot, sql);               \
    if (!name##Prepared) return fail(name##Prepared.error()); \
    StatementUse name(*name##Prepared)

StoreResult<bool> RegistryStore::keyExists(KeyId key) {
    STORE_STATEMENT(use, kKeyExists, "SELECT 1 FROM keys WHERE id=?");
    use.bind(1, key);
    const int rc = use.step();
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    return fail(failure(rc));
}

StoreResult<std::optional<KeyId>> RegistryStore::findChild(KeyId parent, std::string_view name) {
    STORE_STATEMENT(use, kFindChild, "SELECT id FROM keys WHERE parent=? AND fold=?");
    use.bind(1, parent).bindText(2, storedFold(name));
    const int rc = use.step();
    if (rc == SQLITE_ROW) return std::optional<KeyId>(use.integer(0));
    if (rc == SQLITE_DONE) return std::optional<KeyId>();
    return fail(failure(rc));
}

StoreResult<int> RegistryStore::depth(KeyId key) {
    STORE_STATEMENT(use, kDepth,
                    "WITH RECURSIVE up(id, level) AS (SELECT parent, 0 FROM keys WHERE id=? "
                    "UNION ALL SELECT k.parent, up.level + 1 FROM keys k JOIN up ON k.id = up.id "
                    "WHERE up.level <= 100000) SELECT max(level) FROM up");
    use.bind(1, key);
    const int rc = use.step();
    if (rc != SQLITE_ROW) return fail(failure(rc));
    return static_cast<int>(use.integer(0));
}

StoreResult<KeyId> RegistryStore::createChild(KeyId parent, std::string_view name, bool* created) {
    if (created) *created = false;
    auto existing = findChild(parent, name);
    if (!existing) return fail(existing.error());
    if (*existing) return **existing;
    if (auto begun = beginWrite(); !begun) return fail(begun.error());
    // Another process may have created it between our look-up and our lock.
    existing = findChild(parent, name);
    if (!existing || *existing) {
        auto ended = endWrite(existing ? StoreStatus() : StoreStatus(fail(existing.error())));
        if (!ended) return fail(ended.error());
        return **existing;
    }
    auto parentThere = keyExists(parent);
    if (!parentThere || !*parentThere) {
        rollbackUnlessBatched();
        return fail(parentThere ? StoreError{ERROR_KEY_DELETED, {}} : parentThere.error());
    }
    StoreStatus inserted;
    {
        STORE_STATEMENT(use, kInsertKey, "INSERT INTO keys(parent, name, fold) VALUES(?,?,?)");
        use.bind(1, parent).bindText(2, stored(name)).bindText(3, storedFold(name));
        if (const int rc = use.step(); rc != SQLITE_DONE) inserted = fail(failure(rc));
    }
    const KeyId child = sqlite3_last_insert_rowid(db_.get());
    if (auto ended = endWrite(std::move(inserted)); !ended) return fail(ended.error());
    if (created) *created = true;
    return child;
}

StoreStatus RegistryStore::deleteKey(KeyId key) {
    if (key <= kRootCount) return fail(StoreError{ERROR_ACCESS_DENIED, {}});
    if (auto begun = beginWrite(); !begun) return begun;
    const auto run = [&]() -> StoreStatus {
        auto there = keyExists(key);
        if (!there) return fail(there.error());
        if (!*there) return fail(StoreError{ERROR_KEY_DELETED, {}});
        {
            STORE_STATEMENT(use, kCountChildren, "SELECT 1 FROM keys WHERE parent=? LIMIT 1");
            use.bind(1, key);
            const int rc = use.step();
            if (rc == SQLITE_ROW) return fail(StoreError{ERROR_ACCESS_DENIED, {}});
            if (rc != SQLITE_DONE) return fail(failure(rc));
        }
        {
            STORE_STATEMENT(use, kDeleteKeyValues, "DELETE FROM vals WHERE key=?");
            use.bind(1, key);
            if (const int rc = use.step(); rc != SQLITE_DONE) return fail(failure(rc));
        }
        STORE_STATEMENT(use, kDeleteKey, "DELETE FROM keys WHERE id=?");
        use.bind(1, key);
        if (const int rc = use.step(); rc != SQLITE_DONE) return fail(failure(rc));
        return {};
    };
    return endWrite(run());
}

StoreResult<StoredValue> RegistryStore::queryValue(KeyId key, std::string_view name) {
    STORE_STATEMENT(use, kQueryValue, "SELECT type, data FROM vals WHERE key=? AND fold=?");
    use.bind(1, key).bindText(2, storedFold(name));
    const int rc = use.step();
    if (rc == SQLITE_DONE) return fail(StoreError{ERROR_FILE_NOT_FOUND, {}});
    if (rc != SQLITE_ROW) return fail(failure(rc));
    return StoredValue{static_cast<DWORD>(use.integer(0)), use.blob(1)};
}

StoreStatus RegistryStore::setValue(KeyId key, std::string_view name, DWORD type,
                                    std::string_view data) {
    if (auto begun = beginWrite(); !begun) return begun;
    const auto run = [&]() -> StoreStatus {
        auto there = keyExists(key);
        if (!there) return fail(there.error());
        if (!*there) return fail(StoreError{ERROR_KEY_DELETED, {}});
        // An existing value keeps its place in the creation order and its name's case.
        {
            STORE_STATEMENT(use, kUpdateValue,
                            "UPDATE vals SET type=?, data=? WHERE key=? AND fold=?");
            use.bind(1, type).bindBlob(2, data).bind(3, key).bindText(4, storedFold(name));
            if (const int rc = use.step(); rc != SQLITE_DONE) return fail(failure(rc));
            if (sqlite3_changes(db_.get()) > 0) return {};
        }
        STORE_STATEMENT(use, kInsertValue,
                        "INSERT INTO vals(key, name, fold, type, data) VALUES(?,?,?,?,?)");
        use.bind(1, key).bindText(2, stored(name)).bindText(3, storedFold(name));
        use.bind(4, type).bindBlob(5, data);
        if (const int rc = use.step(); rc != SQLITE_DONE) return fail(failure(rc));
        return {};
    };
    return endWrite(run());
}

StoreStatus RegistryStore::deleteValue(KeyId key, std::string_view name) {
    if (auto begun = beginWrite(); !begun) return begun;
    int changed = 0;
    const auto run = [&]() -> StoreStatus {
        STORE_STATEMENT(use, kDeleteValue, "DELETE FROM vals WHERE key=? AND fold=?");
        use.bind(1, key).bindText(2, storedFold(name));
        if (const int rc = use.step(); rc != SQLITE_DONE) return fail(failure(rc));
        changed = sqlite3_changes(db_.get());
        return {};
    };
    auto status = endWrite(run());
    if (status && changed == 0) return fail(StoreError{ERROR_FILE_NOT_FOUND, {}});
    return status;
}

namespace {
// Collects the first column of every row; an error part-way is no end of the list.
template <class Failure>
StoreResult<std::vector<std::string>> names(StatementUse& use, Failure&& failure) {
    std::vector<std::string> out;
    for (;;) {
        const int rc = use.step();
        if (rc == SQLITE_DONE) return out;
        if (rc != SQLITE_ROW) return fail(failure(rc));
        out.push_back(fromStored(use.text(0)));
    }
}
}  // namespace

StoreResult<std::vector<std::string>> RegistryStore::subKeyNames(KeyId key) {
    STORE_STATEMENT(use, kSubKeyNames, "SELECT name FROM keys WHERE parent=? ORDER BY fold");
    use.bind(1, key);
    return names(use, [&](int rc) { return failure(rc); });
}

StoreResult<std::vector<std::string>> RegistryStore::valueNames(KeyId key) {
    STORE_STATEMENT(use, kValueNames, "SELECT name FROM vals WHERE key=? ORDER BY id");
    use.bind(1, key);
    return names(use, [&](int rc) { return failure(rc); });
}

StoreResult<KeyInfo> RegistryStore::keyInfo(KeyId key) {
    KeyInfo info;
    {
        STORE_STATEMENT(use, kKeyInfoSubKeys,
                        "SELECT count(*), ifnull(max(length(name)),0) FROM keys WHERE parent=?");
        use.bind(1, key);
        if (const int rc = use.step(); rc != SQLITE_ROW) return fail(failure(rc));
        info.subKeys = static_cast<DWORD>(use.integer(0));
        info.maxSubKeyLen = static_cast<DWORD>(use.integer(1));
    }
    STORE_STATEMENT(use, kKeyInfoValues,
                    "SELECT count(*), ifnull(max(length(name)),0), "
                    "ifnull(max(length(data)),0) FROM vals WHERE key=?");
    use.bind(1, key);
    if (const int rc = use.step(); rc != SQLITE_ROW) return fail(failure(rc));
    info.values = static_cast<DWORD>(use.integer(0));
    info.maxValueNameLen = static_cast<DWORD>(use.integer(1));
    info.maxValueLen = static_cast<DWORD>(use.integer(2));
    return info;
}

std::optional<std::int64_t> RegistryStore::dataVersion() {
    auto s = statement(kDataVersion, "PRAGMA data_version");
    if (!s) return std::nullopt;
    StatementUse use(*s);
    if (use.step() != SQLITE_ROW) return std::nullopt;
    return use.integer(0);
}

RegistryStore::Batch::Batch(RegistryStore& store) : store_(store) {
    if (store_.batchDepth_ == 0) {
        auto begun = store_.exec("BEGIN IMMEDIATE");
        if (!begun) {
            failure_ = begun.error();
            return;
        }
    }
    ++store_.batchDepth_;
    active_ = true;
}

RegistryStore::Batch::~Batch() {
    if (!active_) return;
    if (--store_.batchDepth_ == 0) store_.rollback();
}

StoreStatus RegistryStore::Batch::commit() {
    if (!active_) return fail(failure_);
    active_ = false;
    if (--store_.batchDepth_ > 0) return {};
    auto committed = store_.exec("COMMIT");
    if (!committed) store_.rollback();
    return committed;
}

RegistryStore::Snapshot::Snapshot(RegistryStore& store) : store_(store) {
    if (store_.snapshotDepth_ == 0 && store_.batchDepth_ == 0) {
        // BEGIN alone defers the read; the first read fixes the view.
        if (!store_.exec("BEGIN") || !store_.keyExists(rootKeyId(0))) {
            store_.rollback();
            return;
        }
    }
    ++store_.snapshotDepth_;
    active_ = true;
}

RegistryStore::Snapshot::~Snapshot() {
    if (!active_) return;
    if (--store_.snapshotDepth_ == 0 && store_.batchDepth_ == 0) store_.rollback();  // read only
}

}  // namespace pointilla::registry
