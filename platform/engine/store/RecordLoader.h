#pragma once
// Loads ResultRecords from a connection whose schema version and tables ResultReader has
// already checked. Content that contradicts itself (chunk counts, value positions, band kinds)
// is reported as StoreCode::corrupt; the progress callback is asked after every chunk. Given a
// sample sink, samples are checked and handed over chunk by chunk instead of being kept.

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
    RecordLoader(SqliteConnection& connection, std::uintmax_t fileBytes, const ReadProgress& progress,
                 const SampleSink& samples = {});

    StoreStatus load(ResultRecords& records);
    /// Why a streamed sample was refused (the records are inconsistent); empty otherwise.
    const std::wstring& sampleProblem() const { return m_sampleProblem; }

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
    /// Decodes the table's chunks into `out`; after every `runLength` records decoded (and at
    /// the end of each chunk), `takeChunk(out, first)` may take the decoded records away
    /// (first = index of out's first record in the table), false to stop.
    template <class Record, class TakeChunk>
    StoreStatus loadChunks(const char* chunkTable, std::int64_t tableId, std::size_t itemCount,
                           std::vector<Record>& out, TakeChunk takeChunk, std::size_t runLength);
    template <class Record>
    StoreStatus loadChunks(const char* chunkTable, std::int64_t tableId, std::size_t itemCount,
                           std::vector<Record>& out);
    StoreStatus streamSamples(ResultRecords& records);

    StoreStatus databaseError() const;

    SqliteConnection& m_connection;
    const std::uintmax_t m_fileBytes;
    const ReadProgress& m_progress;
    const SampleSink& m_samples;
    std::wstring m_sampleProblem;
    std::size_t m_itemsDone = 0;
    std::size_t m_itemsTotal = 0;
};

}  // namespace store
}  // namespace dd_sarvik_2_2
