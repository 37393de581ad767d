#pragma once
// Owning handles for a SQLite connection and its prepared statements.

#include <sqlite3.h>

#include <memory>
#include <string>
#include <string_view>

namespace pointilla::registry {

struct SqliteCloser {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
struct StatementFinalizer {
    void operator()(sqlite3_stmt* stmt) const { sqlite3_finalize(stmt); }
};
using SqliteConnection = std::unique_ptr<sqlite3, SqliteCloser>;
using SqliteStatement = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;

// A prepared statement that is reset and cleared when the user is done with it,
// so cached statements never hold a read transaction open.
class StatementUse {
  public:
    explicit StatementUse(sqlite3_stmt* stmt) : stmt_(stmt) {}
    ~StatementUse() {
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
    }
    StatementUse(const StatementUse&) = delete;
    StatementUse& operator=(const StatementUse&) = delete;

    StatementUse& bind(int index, sqlite3_int64 value) {
        sqlite3_bind_int64(stmt_, index, value);
        return *this;
    }
    StatementUse& bindText(int index, std::string_view text) {
        sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()),
                          SQLITE_TRANSIENT);
        return *this;
    }
    StatementUse& bindBlob(int index, std::string_view bytes) {
        // A zero-length blob still binds as a blob, never as NULL.
        sqlite3_bind_blob(stmt_, index, bytes.empty() ? "" : bytes.data(),
                          static_cast<int>(bytes.size()), SQLITE_TRANSIENT);
        return *this;
    }
    int step() { return sqlite3_step(stmt_); }
    sqlite3_int64 integer(int column) const { return sqlite3_column_int64(stmt_, column); }
    std::string text(int column) const {
        const auto* p = sqlite3_column_text(stmt_, column);
        return p ? std::string(reinterpret_cast<const char*>(p),
                               static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column)))
                 : std::string();
    }
    std::string blob(int column) const {
        const void* p = sqlite3_column_blob(stmt_, column);
        const int n = sqlite3_column_bytes(stmt_, column);
        return p ? std::string(static_cast<const char*>(p), static_cast<std::size_t>(n))
                 : std::string();
    }

  private:
    sqlite3_stmt* stmt_;
};

}  // namespace pointilla::registry
