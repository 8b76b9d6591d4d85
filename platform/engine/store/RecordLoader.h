#pragma once
// Loads ResultRecords from a connection whose schema version and tables ResultReader has
// already checked. Content that contradicts itself (chunk counts, value positions, band kinds)
// is reported as StoreCode::corrupt; the progress callback is asked after every chunk.

#include "store/ResultReader.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace dd_sarvik_2_2 {
namespace store {

class SqliteConnection;

class RecordLoader {
public:
    /// fileBytes bounds the item counts a sound file can claim.
    RecordLoader(SqliteConnection& connection, std::uintmax_t fileBytes,
                 const ReadProgress& progress);

    StoreStatus load(ResultRecords& records);

private:
    StoreStatus loadInfo(ResultRecords& records);
    StoreStatus loadAttributeTables(ResultRecords& records);
    StoreStatus loadLifetimes(ResultRecords& records);
    StoreStatus loadSampleTables(ResultRecords& records);
    StoreStatus loadBandTables(ResultRecords& records);
    StoreStatus loadTimedAttributes(ResultRecords& records);
    StoreStatus countItems();

    template <class Table, class Record, class ReadHeader>
    StoreStatus loadChunkedTables(const char* sql, const char* chunkTable, std::vector<Table>& tables,
                                  std::vector<Record> Table::*records, ReadHeader readHeader);
    template <class Record>
    StoreStatus loadChunks(const char* chunkTable, std::int64_t tableId, std::size_t itemCount,
                           std::vector<Record>& out);

    StoreStatus databaseError() const;

    SqliteConnection& m_connection;
    const std::uintmax_t m_fileBytes;
    const ReadProgress& m_progress;
    std::size_t m_itemsDone = 0;
    std::size_t m_itemsTotal = 0;
};

}  // namespace store
}  // namespace dd_sarvik_2_2
