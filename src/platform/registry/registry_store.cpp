#include "platform/registry/registry_store.h"

#include <system_error>

#include "codepage/cp1252.h"
#include "platform/registry/name_fold.h"

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
    kSlotCount
};

// Names live in the database as UTF-8 so that the file reads well with any tool.
std::string stored(std::string_view cp1252) { return cp1252ToUtf8(cp1252); }
std::string storedFold(std::string_view cp1252) { return cp1252ToUtf8(foldName(cp1252)); }
std::string fromStored(std::string_view utf8) {
    auto bytes = codepage::utf8ToCp1252(utf8);
    return bytes ? *bytes : std::string(utf8);
}

}  // namespace

KeyId rootKeyId(int rootIndex) { return rootIndex + 1; }

std::unique_ptr<RegistryStore> RegistryStore::open(const std::filesystem::path& file,
                                                   std::string* error) {
    const auto fail = [&](const std::string& why) -> std::unique_ptr<RegistryStore> {
        if (error) *error = why;
        return nullptr;
    };
    std::error_code ec;
    if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path(), ec);
    sqlite3* raw = nullptr;
    const int rc =
        sqlite3_open_v2(file.c_str(), &raw,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    SqliteConnection db(raw);
    if (rc != SQLITE_OK) {
        return fail("cannot open the registry store " + file.string() + ": " +
                    (raw ? sqlite3_errmsg(raw) : sqlite3_errstr(rc)));
    }
    sqlite3_busy_timeout(db.get(), 10000);
    std::unique_ptr<RegistryStore> store(new RegistryStore(std::move(db)));
    // Two processes may meet on a fresh file: the schema goes in under a write lock.
    if (!store->exec("PRAGMA journal_mode=WAL") || !store->exec("PRAGMA synchronous=NORMAL") ||
        !store->exec("BEGIN IMMEDIATE")) {
        return fail("cannot prepare the registry store " + file.string() + ": " +
                    sqlite3_errmsg(store->db_.get()));
    }
    bool ok = store->exec(kSchema);
    for (int i = 0; ok && i < kRootCount; ++i) {
        sqlite3_stmt* raw_stmt = nullptr;
        sqlite3_prepare_v2(store->db_.get(),
                           "INSERT OR IGNORE INTO keys(id, parent, name, fold) VALUES(?,0,?,?)", -1,
                           &raw_stmt, nullptr);
        SqliteStatement stmt(raw_stmt);
        StatementUse use(stmt.get());
        use.bind(1, rootKeyId(i)).bindText(2, kRootNames[i]).bindText(3, kRootNames[i]);
        ok = use.step() == SQLITE_DONE;
    }
    ok = ok && store->exec("COMMIT");
    if (!ok) {
        const std::string why = sqlite3_errmsg(store->db_.get());
        store->exec("ROLLBACK");
        return fail("the registry store " + file.string() + " is not usable: " + why);
    }
    return store;
}

RegistryStore::RegistryStore(SqliteConnection db) : db_(std::move(db)) {
    statements_.resize(kSlotCount);
}

RegistryStore::~RegistryStore() {
    statements_.clear();  // statements go before their connection
}

bool RegistryStore::exec(const char* sql) {
    return sqlite3_exec(db_.get(), sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

sqlite3_stmt* RegistryStore::statement(int slot, const char* sql) {
    auto& cached = statements_[static_cast<std::size_t>(slot)];
    if (!cached) {
        sqlite3_stmt* raw = nullptr;
        if (sqlite3_prepare_v3(db_.get(), sql, -1, SQLITE_PREPARE_PERSISTENT, &raw, nullptr) !=
            SQLITE_OK) {
            sqlite3_finalize(raw);
            return nullptr;
        }
        cached.reset(raw);
    }
    return cached.get();
}

bool RegistryStore::beginWrite() {
    if (batchDepth_ > 0) return true;
    return exec("BEGIN IMMEDIATE");
}

LONG RegistryStore::endWrite(bool ok) {
    if (batchDepth_ > 0) return ok ? ERROR_SUCCESS : ERROR_REGISTRY_IO_FAILED;
    if (ok && exec("COMMIT")) return ERROR_SUCCESS;
    exec("ROLLBACK");
    return ERROR_REGISTRY_IO_FAILED;
}

bool RegistryStore::keyExists(KeyId key) {
    auto* s = statement(kKeyExists, "SELECT 1 FROM keys WHERE id=?");
    if (!s) return false;
    StatementUse use(s);
    use.bind(1, key);
    return use.step() == SQLITE_ROW;
}

std::optional<KeyId> RegistryStore::findChild(KeyId parent, std::string_view name) {
    auto* s = statement(kFindChild, "SELECT id FROM keys WHERE parent=? AND fold=?");
    if (!s) return std::nullopt;
    StatementUse use(s);
    use.bind(1, parent).bindText(2, storedFold(name));
    if (use.step() != SQLITE_ROW) return std::nullopt;
    return use.integer(0);
}

LONG RegistryStore::createChild(KeyId parent, std::string_view name, KeyId* child, bool* created) {
    if (created) *created = false;
    if (auto existing = findChild(parent, name)) {
        *child = *existing;
        return ERROR_SUCCESS;
    }
    if (!beginWrite()) return ERROR_REGISTRY_IO_FAILED;
    // Another process may have created it between our look-up and our lock.
    if (auto existing = findChild(parent, name)) {
        *child = *existing;
        return endWrite(true);
    }
    if (!keyExists(parent)) {
        endWrite(false);
        return ERROR_KEY_DELETED;
    }
    bool ok = false;
    if (auto* s = statement(kInsertKey, "INSERT INTO keys(parent, name, fold) VALUES(?,?,?)")) {
        StatementUse use(s);
        use.bind(1, parent).bindText(2, stored(name)).bindText(3, storedFold(name));
        ok = use.step() == SQLITE_DONE;
    }
    if (ok) *child = sqlite3_last_insert_rowid(db_.get());
    const LONG status = endWrite(ok);
    if (status == ERROR_SUCCESS && created) *created = true;
    return status;
}

LONG RegistryStore::deleteKey(KeyId key) {
    if (key <= kRootCount) return ERROR_ACCESS_DENIED;
    if (!beginWrite()) return ERROR_REGISTRY_IO_FAILED;
    if (!keyExists(key)) {
        endWrite(false);
        return ERROR_KEY_DELETED;
    }
    {
        auto* s = statement(kCountChildren, "SELECT 1 FROM keys WHERE parent=? LIMIT 1");
        if (!s) return endWrite(false);
        StatementUse use(s);
        use.bind(1, key);
        if (use.step() == SQLITE_ROW) {
            endWrite(false);
            return ERROR_ACCESS_DENIED;
        }
    }
    bool ok = false;
    if (auto* s = statement(kDeleteKeyValues, "DELETE FROM vals WHERE key=?")) {
        StatementUse use(s);
        use.bind(1, key);
        ok = use.step() == SQLITE_DONE;
    }
    if (auto* s = statement(kDeleteKey, "DELETE FROM keys WHERE id=?"); ok && s) {
        StatementUse use(s);
        use.bind(1, key);
        ok = use.step() == SQLITE_DONE;
    }
    return endWrite(ok);
}

LONG RegistryStore::queryValue(KeyId key, std::string_view name, StoredValue* value) {
    auto* s = statement(kQueryValue, "SELECT type, data FROM vals WHERE key=? AND fold=?");
    if (!s) return ERROR_REGISTRY_IO_FAILED;
    StatementUse use(s);
    use.bind(1, key).bindText(2, storedFold(name));
    if (use.step() != SQLITE_ROW) return ERROR_FILE_NOT_FOUND;
    value->type = static_cast<DWORD>(use.integer(0));
    value->data = use.blob(1);
    return ERROR_SUCCESS;
}

LONG RegistryStore::setValue(KeyId key, std::string_view name, DWORD type, std::string_view data) {
    if (!beginWrite()) return ERROR_REGISTRY_IO_FAILED;
    if (!keyExists(key)) {
        endWrite(false);
        return ERROR_KEY_DELETED;
    }
    // An existing value keeps its place in the creation order and its name's case.
    bool ok = false;
    int changed = 0;
    if (auto* s =
            statement(kUpdateValue, "UPDATE vals SET type=?, data=? WHERE key=? AND fold=?")) {
        StatementUse use(s);
        use.bind(1, type).bindBlob(2, data).bind(3, key).bindText(4, storedFold(name));
        ok = use.step() == SQLITE_DONE;
        changed = sqlite3_changes(db_.get());
    }
    if (ok && changed == 0) {
        auto* s = statement(kInsertValue,
                            "INSERT INTO vals(key, name, fold, type, data) VALUES(?,?,?,?,?)");
        ok = s != nullptr;
        if (s) {
            StatementUse use(s);
            use.bind(1, key).bindText(2, stored(name)).bindText(3, storedFold(name));
            use.bind(4, type).bindBlob(5, data);
            ok = use.step() == SQLITE_DONE;
        }
    }
    return endWrite(ok);
}

LONG RegistryStore::deleteValue(KeyId key, std::string_view name) {
    if (!beginWrite()) return ERROR_REGISTRY_IO_FAILED;
    bool ok = false;
    int changed = 0;
    if (auto* s = statement(kDeleteValue, "DELETE FROM vals WHERE key=? AND fold=?")) {
        StatementUse use(s);
        use.bind(1, key).bindText(2, storedFold(name));
        ok = use.step() == SQLITE_DONE;
        changed = sqlite3_changes(db_.get());
    }
    const LONG status = endWrite(ok);
    if (status == ERROR_SUCCESS && changed == 0) return ERROR_FILE_NOT_FOUND;
    return status;
}

std::vector<std::string> RegistryStore::subKeyNames(KeyId key) {
    std::vector<std::string> names;
    auto* s = statement(kSubKeyNames, "SELECT name FROM keys WHERE parent=? ORDER BY fold");
    if (!s) return names;
    StatementUse use(s);
    use.bind(1, key);
    while (use.step() == SQLITE_ROW) names.push_back(fromStored(use.text(0)));
    return names;
}

std::vector<std::string> RegistryStore::valueNames(KeyId key) {
    std::vector<std::string> names;
    auto* s = statement(kValueNames, "SELECT name FROM vals WHERE key=? ORDER BY id");
    if (!s) return names;
    StatementUse use(s);
    use.bind(1, key);
    while (use.step() == SQLITE_ROW) names.push_back(fromStored(use.text(0)));
    return names;
}

KeyInfo RegistryStore::keyInfo(KeyId key) {
    KeyInfo info;
    if (auto* s =
            statement(kKeyInfoSubKeys,
                      "SELECT count(*), ifnull(max(length(name)),0) FROM keys WHERE parent=?")) {
        StatementUse use(s);
        use.bind(1, key);
        if (use.step() == SQLITE_ROW) {
            info.subKeys = static_cast<DWORD>(use.integer(0));
            info.maxSubKeyLen = static_cast<DWORD>(use.integer(1));
        }
    }
    if (auto* s = statement(kKeyInfoValues,
                            "SELECT count(*), ifnull(max(length(name)),0), "
                            "ifnull(max(length(data)),0) FROM vals WHERE key=?")) {
        StatementUse use(s);
        use.bind(1, key);
        if (use.step() == SQLITE_ROW) {
            info.values = static_cast<DWORD>(use.integer(0));
            info.maxValueNameLen = static_cast<DWORD>(use.integer(1));
            info.maxValueLen = static_cast<DWORD>(use.integer(2));
        }
    }
    return info;
}

std::int64_t RegistryStore::dataVersion() {
    auto* s = statement(kDataVersion, "PRAGMA data_version");
    if (!s) return -1;
    StatementUse use(s);
    return use.step() == SQLITE_ROW ? use.integer(0) : -1;
}

RegistryStore::Batch::Batch(RegistryStore& store) : store_(store) {
    if (store_.batchDepth_ == 0 && !store_.exec("BEGIN IMMEDIATE")) return;
    ++store_.batchDepth_;
    active_ = true;
}

RegistryStore::Batch::~Batch() {
    if (!active_) return;
    if (--store_.batchDepth_ == 0) store_.exec("ROLLBACK");
}

bool RegistryStore::Batch::commit() {
    if (!active_) return false;
    active_ = false;
    if (--store_.batchDepth_ > 0) return true;
    if (store_.exec("COMMIT")) return true;
    store_.exec("ROLLBACK");
    return false;
}

}  // namespace pointilla::registry
