#include "store/ResultReader.h"

#include "store/RecordLoader.h"
#include "store/RecordValidator.h"
#include "store/ResultSchema.h"
#include "store/SqliteConnection.h"
#include "store/SqliteStatement.h"
#include "store/Utf8Text.h"

#include <exception>
#include <set>
#include <string>
#include <system_error>

namespace dd_sarvik_2_2 {
namespace store {

namespace {

std::wstring quotedPath(const std::filesystem::path& path)
{
    return L"'" + Utf8Text::toWide(path.string()) + L"'";
}

// Names of the tables present, or a status telling why the file cannot be asked.
StoreStatus listTables(SqliteConnection& connection, const std::filesystem::path& file,
                       std::set<std::string>& names)
{
    SqliteStatement tables(connection, "SELECT name FROM sqlite_master WHERE type = 'table'");
    while (tables.nextRow())
        names.insert(Utf8Text::fromWide(tables.textColumn(0)));
    if (!tables.failed())
        return {};
    return {StoreCode::notDatabase,
            L"The result file " + quotedPath(file) + L" is not a result database ("
                + connection.errorText() + L")."};
}

StoreStatus checkVersion(SqliteConnection& connection, const std::filesystem::path& file)
{
    const std::string sql = std::string("SELECT version FROM ") + ResultSchema::versionTable;
    SqliteStatement version(connection, sql.c_str());
    if (!version.nextRow() || version.columnType(0) != SqliteStatement::ColumnType::integer)
        return {StoreCode::corrupt,
                L"The result file " + quotedPath(file) + L" records no schema version."};
    const std::int64_t found = version.integerColumn(0);
    if (found == ResultRecords::currentSchemaVersion)
        return {};
    return {StoreCode::wrongVersion,
            L"The result file " + quotedPath(file) + L" has schema version " + std::to_wstring(found)
                + L"; this program reads version "
                + std::to_wstring(ResultRecords::currentSchemaVersion) + L"."};
}

StoreStatus checkTables(const std::set<std::string>& present, const std::filesystem::path& file)
{
    std::wstring missing;
    for (const std::string& name : ResultSchema::tableNames()) {
        if (present.count(name) == 0)
            missing += (missing.empty() ? L"" : L", ") + Utf8Text::toWide(name);
    }
    if (missing.empty())
        return {};
    return {StoreCode::missingTable,
            L"The result file " + quotedPath(file) + L" lacks the table(s) " + missing + L"."};
}

StoreStatus readFile(const std::filesystem::path& directory, ResultRecords& records, const SampleSink& samples,
                     const ReadProgress& progress)
{
    std::error_code error;
    if (!std::filesystem::is_directory(directory, error)) {
        const bool exists = std::filesystem::exists(directory, error);
        return {StoreCode::missingDirectory,
                L"The result directory " + quotedPath(directory)
                    + (exists ? L" is not a directory." : L" does not exist.")};
    }
    const std::filesystem::path file = directory / ResultSchema::fileName;
    if (!std::filesystem::is_regular_file(file, error))
        return {StoreCode::missingFile,
                L"The result directory " + quotedPath(directory) + L" holds no "
                    + Utf8Text::toWide(ResultSchema::fileName) + L"."};
    const std::uintmax_t fileBytes = std::filesystem::file_size(file, error);

    SqliteConnection connection;
    if (!connection.open(file, SqliteConnection::Mode::readOnly))
        return {StoreCode::notDatabase, L"The result file " + quotedPath(file)
                                            + L" cannot be opened (" + connection.errorText()
                                            + L")."};
    // Records are read once, chunk after chunk: a page cache would only hold pages that are
    // never read again, on top of the memory the result itself takes.
    connection.execute("PRAGMA cache_size=-256");
    std::set<std::string> tables;
    StoreStatus status = listTables(connection, file, tables);
    if (!status.ok())
        return status;
    // The version decides which tables to expect, so it is checked before the others.
    if (tables.count(ResultSchema::versionTable) == 0)
        return checkTables(tables, file);
    status = checkVersion(connection, file);
    if (status.ok())
        status = checkTables(tables, file);
    std::wstring problem;
    if (status.ok()) {
        RecordLoader loader(connection, error ? 0 : fileBytes, progress, samples);
        status = loader.load(records);
        problem = loader.sampleProblem();
    }
    if (!status.ok() && problem.empty())
        return status;
    if (problem.empty())
        problem = RecordValidator::findProblem(records);
    if (problem.empty())
        return {};
    return {StoreCode::corrupt,
            L"The result file " + quotedPath(file) + L" is inconsistent: " + problem + L"."};
}

}  // namespace

StoreStatus ResultReader::canceled()
{
    return {StoreCode::canceled, L"Opening the result was canceled."};
}

StoreStatus ResultReader::read(const std::filesystem::path& directory, ResultRecords& records,
                               const ReadProgress& progress) const
{
    return read(directory, records, SampleSink(), progress);
}

StoreStatus ResultReader::read(const std::filesystem::path& directory, ResultRecords& records,
                               const SampleSink& samples, const ReadProgress& progress) const
{
    StoreStatus status;
    try {
        records = ResultRecords();
        status = readFile(directory, records, samples, progress);
    } catch (const std::exception& exception) {
        status = {StoreCode::corrupt, L"The result in " + quotedPath(directory)
                                          + L" cannot be read: "
                                          + Utf8Text::toWide(exception.what())};
    }
    if (!status.ok())
        records = ResultRecords();
    return status;
}

}  // namespace store
}  // namespace dd_sarvik_2_2
