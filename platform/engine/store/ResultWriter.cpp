#include <dd_sarvik_2_2/store/ResultWriter.h>

#include "store/RecordInserter.h"
#include "store/RecordValidator.h"
#include <dd_sarvik_2_2/store/ResultRecords.h>
#include "store/ResultSchema.h"
#include "store/SqliteConnection.h"
#include "store/Utf8Text.h"

#include <exception>
#include <system_error>

namespace dd_sarvik_2_2 {
namespace store {

namespace {

std::wstring shown(const std::filesystem::path& path)
{
    return Utf8Text::toWide(path.string());
}

StoreStatus failure(const std::filesystem::path& file, const std::wstring& cause)
{
    return {StoreCode::writeFailed,
            L"Cannot write the result file '" + shown(file) + L"': " + cause};
}

// Builds the complete database in `file`; the connection is closed before returning.
StoreStatus writeDatabase(const std::filesystem::path& file, const ResultRecords& records)
{
    SqliteConnection connection;
    // Without a journal nothing is written twice; the rename by the caller is what makes the
    // result appear all at once.
    const bool written = connection.open(file, SqliteConnection::Mode::create)
        && connection.execute("PRAGMA journal_mode=OFF; PRAGMA page_size=65536;")
        && connection.execute("BEGIN") && ResultSchema::create(connection)
        && RecordInserter(connection).insert(records) && connection.execute("COMMIT");
    if (!written)
        return failure(file, connection.errorText());
    if (!connection.close())
        return failure(file, L"the database could not be closed");
    return {};
}

}  // namespace

StoreStatus ResultWriter::write(const std::filesystem::path& directory,
                                const ResultRecords& records) const
{
    const std::filesystem::path target = directory / ResultSchema::fileName;
    const std::filesystem::path temporary
        = directory / (std::string(ResultSchema::fileName) + ".tmp");
    try {
        const std::wstring problem = RecordValidator::findProblem(records);
        if (!problem.empty())
            return failure(target, L"the records are inconsistent: " + problem + L".");
        std::error_code error;
        std::filesystem::create_directories(directory, error);
        if (error)
            return failure(target, Utf8Text::toWide(error.message()));
        std::filesystem::remove(temporary, error);

        StoreStatus status = writeDatabase(temporary, records);
        if (status.ok()) {
            std::filesystem::rename(temporary, target, error);
            if (error)
                status = failure(target, Utf8Text::toWide(error.message()));
        }
        if (!status.ok())
            std::filesystem::remove(temporary, error);
        return status;
    } catch (const std::exception& exception) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        return failure(target, Utf8Text::toWide(exception.what()));
    }
}

}  // namespace store
}  // namespace dd_sarvik_2_2
