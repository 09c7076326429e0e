#pragma once

// A thin owner of SQLite's C handles: the connection and its prepared statements close
// themselves, and every failing call becomes a SqliteError carrying SQLite's own message and
// primary result code, so that the library above reads as a sequence of statements.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace astrodesk {

class SqliteError : public std::runtime_error {
  public:
    SqliteError(int code, const std::string& message) : std::runtime_error(message), code_(code) {}
    int code() const { return code_ & 0xff; } // the primary result code (SQLITE_BUSY, ...)

  private:
    int code_;
};

class SqliteStatement;

class SqliteConnection {
  public:
    enum class Access { ReadOnly, ReadWrite, ReadWriteCreate };
    SqliteConnection(const std::string& path, Access access);
    ~SqliteConnection();
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;

    // Runs statements that return no rows.
    void Execute(const std::string& sql);
    SqliteStatement Prepare(std::string_view sql);
    std::int64_t IntegerOf(const std::string& sql); // the first column of the first row
    std::int64_t LastInsertedId() const;
    int Changes() const; // rows changed by the last statement
    void SetBusyTimeout(int milliseconds);
    [[noreturn]] void Fail(int code) const;

  private:
    sqlite3* handle_ = nullptr;
};

class SqliteStatement {
  public:
    SqliteStatement(SqliteConnection& connection, sqlite3_stmt* statement)
        : connection_(&connection), statement_(statement) {}
    ~SqliteStatement();
    SqliteStatement(SqliteStatement&& other) noexcept;
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;
    SqliteStatement& operator=(SqliteStatement&&) = delete;

    // Parameters count from 1, as in SQL's "?1".
    void Bind(int index, std::string_view text);
    void Bind(int index, std::int64_t value);
    void Bind(int index, std::optional<int> value); // NULL when empty
    // Advances to the next row; false when there is none.
    bool Step();
    void Reset(); // ready to run again with new parameters
    std::string TextAt(int column) const;
    std::int64_t IntegerAt(int column) const;
    bool IsNullAt(int column) const;

  private:
    SqliteConnection* connection_;
    sqlite3_stmt* statement_;
};

} // namespace astrodesk
