#include "store/SqliteStatement.h"

#include "store/SqliteConnection.h"
#include "store/Utf8Text.h"

#include <sqlite3.h>

namespace dd_sarvik_2_2 {
namespace store {

SqliteStatement::SqliteStatement(const SqliteConnection& connection, const char* sql)
{
    if (sqlite3_prepare_v2(connection.handle(), sql, -1, &m_statement, nullptr) != SQLITE_OK) {
        sqlite3_finalize(m_statement);
        m_statement = nullptr;
        m_failed = true;
    }
}

SqliteStatement::~SqliteStatement()
{
    sqlite3_finalize(m_statement);
}

void SqliteStatement::bindInteger(int position, std::int64_t value)
{
    sqlite3_bind_int64(m_statement, position, value);
}

void SqliteStatement::bindReal(int position, double value)
{
    sqlite3_bind_double(m_statement, position, value);
}

void SqliteStatement::bindText(int position, const std::wstring& value)
{
    const std::string text = Utf8Text::fromWide(value);
    sqlite3_bind_text64(m_statement, position, text.data(), text.size(), SQLITE_TRANSIENT,
                        SQLITE_UTF8);
}

void SqliteStatement::bindBlob(int position, const void* data, std::size_t size)
{
    // SQLite binds a null pointer as NULL; an empty chunk must stay a (zero-length) blob.
    static const char empty = 0;
    sqlite3_bind_blob64(m_statement, position, size ? data : &empty, size, SQLITE_STATIC);
}

void SqliteStatement::bindNull(int position)
{
    sqlite3_bind_null(m_statement, position);
}

bool SqliteStatement::execute()
{
    const int rc = sqlite3_step(m_statement);
    sqlite3_reset(m_statement);
    sqlite3_clear_bindings(m_statement);
    m_failed = rc != SQLITE_DONE;
    return !m_failed;
}

bool SqliteStatement::nextRow()
{
    const int rc = sqlite3_step(m_statement);
    m_failed = rc != SQLITE_ROW && rc != SQLITE_DONE;
    return rc == SQLITE_ROW;
}

SqliteStatement::ColumnType SqliteStatement::columnType(int column) const
{
    switch (sqlite3_column_type(m_statement, column)) {
    case SQLITE_INTEGER:
        return ColumnType::integer;
    case SQLITE_FLOAT:
        return ColumnType::real;
    case SQLITE_TEXT:
        return ColumnType::text;
    case SQLITE_BLOB:
        return ColumnType::blob;
    default:
        return ColumnType::null;
    }
}

std::int64_t SqliteStatement::integerColumn(int column) const
{
    return sqlite3_column_int64(m_statement, column);
}

double SqliteStatement::realColumn(int column) const
{
    return sqlite3_column_double(m_statement, column);
}

std::wstring SqliteStatement::textColumn(int column) const
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column));
    const auto size = static_cast<std::size_t>(sqlite3_column_bytes(m_statement, column));
    return text ? Utf8Text::toWide(std::string_view(text, size)) : std::wstring();
}

const void* SqliteStatement::blobColumn(int column) const
{
    return sqlite3_column_blob(m_statement, column);
}

std::size_t SqliteStatement::columnBytes(int column) const
{
    return static_cast<std::size_t>(sqlite3_column_bytes(m_statement, column));
}

}  // namespace store
}  // namespace dd_sarvik_2_2
