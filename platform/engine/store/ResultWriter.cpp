#include <dd_sarvik_2_2/store/ResultWriter.h>

#include "store/RecordInserter.h"
#include "store/RecordValidator.h"
#include <dd_sarvik_2_2/store/ResultRecords.h>
#include "store/ResultSchema.h"
#include "store/SqliteConnection.h"
#include "store/Utf8Text.h"

#include <exception>
#include <system_error>
#include <vector>

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

// The folders create_directories would make for `directory`, deepest first.
std::vector<std::filesystem::path> missingFolders(const std::filesystem::path& directory)
{
    std::vector<std::filesystem::path> missing;
    std::error_code error;
    for (std::filesystem::path folder = directory; !folder.empty() && !std::filesystem::exists(folder, error);
         folder = folder.parent_path()) {
        missing.push_back(folder);
        if (folder == folder.parent_path())
            break;
    }
    return missing;
}

// Undoes a failed write: the temporary file and every folder the write made (only while empty).
void removeLeftovers(const std::filesystem::path& temporary, const std::vector<std::filesystem::path>& madeFolders)
{
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    for (const std::filesystem::path& folder : madeFolders)
        std::filesystem::remove(folder, ignored);
}

}  // namespace

StoreStatus ResultWriter::write(const std::filesystem::path& directory,
                                const ResultRecords& records) const
{
    const std::filesystem::path target = directory / ResultSchema::fileName;
    const std::filesystem::path temporary
        = directory / (std::string(ResultSchema::fileName) + ".tmp");
    std::vector<std::filesystem::path> madeFolders;
    try {
        const std::wstring problem = RecordValidator::findProblem(records);
        if (!problem.empty())
            return failure(target, L"the records are inconsistent: " + problem + L".");
        std::error_code error;
        madeFolders = missingFolders(directory);
        std::filesystem::create_directories(directory, error);
        if (error) {
            removeLeftovers(temporary, madeFolders);
            return failure(target, Utf8Text::toWide(error.message()));
        }
        std::filesystem::remove(temporary, error);

        StoreStatus status = writeDatabase(temporary, records);
        if (status.ok()) {
            std::filesystem::rename(temporary, target, error);
            if (error)
                status = failure(target, Utf8Text::toWide(error.message()));
        }
        if (!status.ok())
            removeLeftovers(temporary, madeFolders);
        return status;
    } catch (const std::exception& exception) {
        removeLeftovers(temporary, madeFolders);
        return failure(target, Utf8Text::toWide(exception.what()));
    }
}

}  // namespace store
}  // namespace dd_sarvik_2_2
