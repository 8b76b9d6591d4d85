#include "store/SqliteConnection.h"

#include "store/Utf8Text.h"

#include <sqlite3.h>

namespace dd_sarvik_2_2 {
namespace store {

SqliteConnection::~SqliteConnection()
{
    close();
}

bool SqliteConnection::open(const std::filesystem::path& file, Mode mode)
{
    close();
    const int flags = mode == Mode::readOnly ? SQLITE_OPEN_READONLY
                                             : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    // A failed open still hands back a connection that carries the error text.
    return sqlite3_open_v2(file.string().c_str(), &m_db, flags | SQLITE_OPEN_NOMUTEX, nullptr)
        == SQLITE_OK;
}

bool SqliteConnection::execute(const char* sql)
{
    return sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

bool SqliteConnection::close()
{
    const bool closed = sqlite3_close(m_db) == SQLITE_OK;
    m_db = nullptr;
    return closed;
}

int SqliteConnection::errorCode() const
{
    return m_db ? sqlite3_errcode(m_db) & 0xFF : SQLITE_NOMEM;
}

std::wstring SqliteConnection::errorText() const
{
    return Utf8Text::toWide(m_db ? sqlite3_errmsg(m_db) : "out of memory");
}

}  // namespace store
}  // namespace dd_sarvik_2_2
