// Every way a result directory can be unreadable ends in a non-zero code, a text naming the
// problem, and empty records: never a crash or an exception.

#include "ScratchDirectory.h"

#include "store/ResultReader.h"

#include <dd_sarvik_2_2/store/GeneratorOptions.h>
#include <dd_sarvik_2_2/store/ResultGenerator.h>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <fstream>
#include <string>

using namespace dd_sarvik_2_2::store;

namespace {

class ResultReaderError : public ::testing::Test {
protected:
    // A small valid result in the temporary directory, to be damaged by each test.
    void writeValidResult()
    {
        GeneratorOptions options;
        options.threads = 3;
        options.samples = 1000;
        ASSERT_TRUE(ResultGenerator(options).writeTo(m_directory.path()).ok());
    }

    void runSql(const std::string& sql)
    {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open((m_directory.path() / "result.sqlite").c_str(), &db), SQLITE_OK);
        const int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
        sqlite3_close(db);
        ASSERT_EQ(rc, SQLITE_OK) << sql;
    }

    // Reads and checks the failure: its code, a text containing `fragment`, empty records.
    void expectFailure(const std::filesystem::path& directory, StoreCode code,
                       const std::wstring& fragment)
    {
        ResultRecords records;
        records.name = L"stale";
        const StoreStatus status = ResultReader().read(directory, records);
        EXPECT_EQ(status.code, code) << status.message;
        EXPECT_NE(status.value(), 0);
        EXPECT_NE(status.message.find(fragment), std::wstring::npos) << status.message;
        EXPECT_TRUE(records.name.empty());
        EXPECT_TRUE(records.attributeTables.empty());
    }

    ScratchDirectory m_directory;
};

TEST_F(ResultReaderError, missingDirectoryOrFile)
{
    expectFailure(m_directory.path() / "absent", StoreCode::missingDirectory, L"does not exist");
    expectFailure(m_directory.path(), StoreCode::missingFile, L"holds no result.sqlite");
    std::filesystem::create_directory(m_directory.path() / "result.sqlite");
    expectFailure(m_directory.path(), StoreCode::missingFile, L"holds no result.sqlite");
    std::ofstream(m_directory.path() / "plain") << "x";
    expectFailure(m_directory.path() / "plain", StoreCode::missingDirectory, L"is not a directory");
}

TEST_F(ResultReaderError, textFileOrEmptyFileNamedLikeTheDatabase)
{
    std::ofstream(m_directory.path() / "result.sqlite")
        << "name,start,end\nmain,0,100\nthis is a text file and not a database at all\n";
    expectFailure(m_directory.path(), StoreCode::notDatabase, L"is not a result database");

    // SQLite takes an empty file for an empty database: it lacks every table.
    std::ofstream(m_directory.path() / "result.sqlite", std::ios::trunc);
    expectFailure(m_directory.path(), StoreCode::missingTable, L"schema_version, result_info");
}

// One damage done to a freshly written valid result, and the failure it must give.
struct SqlDamage {
    const char* sql;
    StoreCode code;
    const wchar_t* fragment;
};

TEST_F(ResultReaderError, damagedResultsAreRefusedWithTheirCause)
{
    const SqlDamage damages[] = {
        {"UPDATE schema_version SET version = 99", StoreCode::wrongVersion, L"has schema version 99"},
        {"DELETE FROM schema_version", StoreCode::corrupt, L"records no schema version"},
        {"DROP TABLE band_chunk; DROP TABLE lifetime", StoreCode::missingTable, L"lifetime, band_chunk"},
        {"UPDATE sample_chunk SET data = substr(data, 1, 10)", StoreCode::corrupt, L"sample_chunk cannot be decoded"},
        {"UPDATE band_table SET item_count = item_count + 1 WHERE name = 'wait_state'", StoreCode::corrupt,
         L"fewer records"},
        {"UPDATE sample_table SET item_count = 1000000000000", StoreCode::corrupt, L"exceed the size of the file"},
        {"UPDATE band_table SET kind = 9 WHERE name = 'wait_state'", StoreCode::corrupt, L"band table 'wait_state'"},
        {"UPDATE attribute_chunk SET data = substr(data, 1, 7) WHERE table_id = 0", StoreCode::corrupt,
         L"attribute_chunk cannot be decoded"},
        {"DELETE FROM attribute_column WHERE position = 2 AND table_id ="
         " (SELECT id FROM attribute_table WHERE name = 'dd_wait')",
         StoreCode::corrupt, L"lies outside it"},
        // Sound blobs and tables whose content contradicts itself.
        {"UPDATE attribute_column SET referenced_table = 'global_task' WHERE name = 'signal_cs'",
         StoreCode::corrupt, L"is inconsistent: column 'signal_cs' of 'dd_wait' refers to an instance"},
    };
    for (const SqlDamage& damage : damages) {
        SCOPED_TRACE(damage.sql);
        writeValidResult();
        runSql(damage.sql);
        expectFailure(m_directory.path(), damage.code, damage.fragment);
    }
}

TEST_F(ResultReaderError, cancelingFromProgressStopsTheRead)
{
    writeValidResult();
    ResultRecords records;
    int calls = 0;
    const StoreStatus status = ResultReader().read(m_directory.path(), records,
                                                   [&](std::size_t, std::size_t) {
                                                       ++calls;
                                                       return false;
                                                   });
    EXPECT_EQ(status.code, StoreCode::canceled);
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(records.sampleTables.empty());
}

}  // namespace
