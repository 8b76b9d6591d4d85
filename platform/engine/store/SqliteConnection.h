#pragma once
// Owns one SQLite connection for the duration of a read or a write of the result store.
// Failures are reported as false plus the text SQLite gave, never as exceptions.

#include <filesystem>
#include <string>

struct sqlite3;

namespace dd_sarvik_2_2 {
namespace store {

class SqliteConnection {
public:
    enum class Mode { readOnly, create };

    SqliteConnection() = default;
    ~SqliteConnection();
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;

    bool open(const std::filesystem::path& file, Mode mode);
    bool execute(const char* sql);
    /// Closes now so that the file can be renamed or removed; true when SQLite let go cleanly.
    bool close();

    sqlite3* handle() const { return m_db; }
    /// Primary result code of the last failed call (SQLITE_NOTADB, ...).
    int errorCode() const;
    std::wstring errorText() const;

private:
    sqlite3* m_db = nullptr;
};

}  // namespace store
}  // namespace dd_sarvik_2_2
