#pragma once
// One prepared statement of the result store, reused for every row it writes or reads: bind,
// step, read columns. Errors leave the text on the connection (SqliteConnection::errorText).

#include <cstddef>
#include <cstdint>
#include <string>

struct sqlite3_stmt;

namespace dd_sarvik_2_2 {
namespace store {

class SqliteConnection;

class SqliteStatement {
public:
    enum class ColumnType { integer, real, text, blob, null };

    SqliteStatement(const SqliteConnection& connection, const char* sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    /// False when the statement could not be prepared (e.g. a missing table).
    bool prepared() const { return m_statement != nullptr; }

    void bindInteger(int position, std::int64_t value);
    void bindReal(int position, double value);
    void bindText(int position, const std::wstring& value);
    void bindBlob(int position, const void* data, std::size_t size);
    void bindNull(int position);

    /// Runs a statement that returns no rows, then makes it ready for the next bindings.
    bool execute();
    /// Steps to the next result row; false at the end or on an error (see failed()).
    bool nextRow();
    bool failed() const { return m_failed; }

    ColumnType columnType(int column) const;
    std::int64_t integerColumn(int column) const;
    double realColumn(int column) const;
    std::wstring textColumn(int column) const;
    const void* blobColumn(int column) const;
    std::size_t columnBytes(int column) const;

private:
    sqlite3_stmt* m_statement = nullptr;
    bool m_failed = false;
};

}  // namespace store
}  // namespace dd_sarvik_2_2
