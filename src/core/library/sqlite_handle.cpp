#include "library/sqlite_handle.hpp"

#include <sqlite3.h>

namespace astrodesk {

SqliteConnection::SqliteConnection(const std::string& path, Access access) {
    const int flags = access == Access::ReadOnly    ? SQLITE_OPEN_READONLY
                      : access == Access::ReadWrite ? SQLITE_OPEN_READWRITE
                                                    : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    const int code = sqlite3_open_v2(path.c_str(), &handle_, flags | SQLITE_OPEN_NOMUTEX, nullptr);
    if (code != SQLITE_OK) {
        const std::string message = handle_ ? sqlite3_errmsg(handle_) : sqlite3_errstr(code);
        sqlite3_close(handle_);
        throw SqliteError(code, message);
    }
    sqlite3_extended_result_codes(handle_, 1);
}

SqliteConnection::~SqliteConnection() {
    sqlite3_close(handle_);
}

void SqliteConnection::Fail(int code) const {
    throw SqliteError(code, sqlite3_errmsg(handle_));
}

void SqliteConnection::Execute(const std::string& sql) {
    char* message = nullptr;
    const int code = sqlite3_exec(handle_, sql.c_str(), nullptr, nullptr, &message);
    if (code == SQLITE_OK) return;
    const std::string text = message ? message : sqlite3_errstr(code);
    sqlite3_free(message);
    throw SqliteError(code, text);
}

SqliteStatement SqliteConnection::Prepare(std::string_view sql) {
    sqlite3_stmt* statement = nullptr;
    const int code =
        sqlite3_prepare_v2(handle_, sql.data(), static_cast<int>(sql.size()), &statement, nullptr);
    if (code != SQLITE_OK) Fail(code);
    return SqliteStatement(*this, statement);
}

std::int64_t SqliteConnection::IntegerOf(const std::string& sql) {
    SqliteStatement statement = Prepare(sql);
    return statement.Step() ? statement.IntegerAt(0) : 0;
}

std::int64_t SqliteConnection::LastInsertedId() const {
    return sqlite3_last_insert_rowid(handle_);
}

int SqliteConnection::Changes() const {
    return sqlite3_changes(handle_);
}

void SqliteConnection::SetBusyTimeout(int milliseconds) {
    sqlite3_busy_timeout(handle_, milliseconds);
}

SqliteStatement::~SqliteStatement() {
    sqlite3_finalize(statement_);
}

SqliteStatement::SqliteStatement(SqliteStatement&& other) noexcept
    : connection_(other.connection_), statement_(other.statement_) {
    other.statement_ = nullptr;
}

void SqliteStatement::Bind(int index, std::string_view text) {
    const int code = sqlite3_bind_text(statement_, index, text.data(),
                                       static_cast<int>(text.size()), SQLITE_TRANSIENT);
    if (code != SQLITE_OK) connection_->Fail(code);
}

void SqliteStatement::Bind(int index, std::int64_t value) {
    const int code = sqlite3_bind_int64(statement_, index, value);
    if (code != SQLITE_OK) connection_->Fail(code);
}

void SqliteStatement::Bind(int index, std::optional<int> value) {
    const int code =
        value ? sqlite3_bind_int(statement_, index, *value) : sqlite3_bind_null(statement_, index);
    if (code != SQLITE_OK) connection_->Fail(code);
}

bool SqliteStatement::Step() {
    const int code = sqlite3_step(statement_);
    if (code == SQLITE_ROW) return true;
    if (code == SQLITE_DONE) return false;
    connection_->Fail(code);
}

void SqliteStatement::Reset() {
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
}

std::string SqliteStatement::TextAt(int column) const {
    const auto* text = sqlite3_column_text(statement_, column);
    return text ? std::string(reinterpret_cast<const char*>(text),
                              static_cast<std::size_t>(sqlite3_column_bytes(statement_, column)))
                : std::string();
}

std::int64_t SqliteStatement::IntegerAt(int column) const {
    return sqlite3_column_int64(statement_, column);
}

bool SqliteStatement::IsNullAt(int column) const {
    return sqlite3_column_type(statement_, column) == SQLITE_NULL;
}

} // namespace astrodesk
