#include "store/RecordInserter.h"

#include "store/RecordChunkCodec.h"
#include <dd_sarvik_2_2/store/ResultRecords.h>
#include "store/ResultSchema.h"
#include "store/SqliteConnection.h"
#include "store/SqliteStatement.h"

#include <algorithm>
#include <cstdint>
#include <string>

namespace dd_sarvik_2_2 {
namespace store {

namespace {

// Ticks are unsigned; SQLite integers are signed. The bits are kept, the reader casts back.
std::int64_t stored(std::uint64_t tick)
{
    return static_cast<std::int64_t>(tick);
}

// Writes `total` records as blobs of at most ResultSchema::chunkSize records each;
// `encode(first, count)` packs a run of them.
template <class Encode>
bool insertChunks(SqliteConnection& connection, const char* chunkTable, std::int64_t tableId, std::size_t total,
                  Encode encode)
{
    const std::string sql = std::string("INSERT INTO ") + chunkTable + " VALUES (?, ?, ?, ?)";
    SqliteStatement insert(connection, sql.c_str());
    std::int64_t sequence = 0;
    for (std::size_t first = 0; first < total; first += ResultSchema::chunkSize) {
        const std::size_t count = std::min(ResultSchema::chunkSize, total - first);
        const std::string blob = encode(first, count);
        insert.bindInteger(1, tableId);
        insert.bindInteger(2, sequence++);
        insert.bindInteger(3, static_cast<std::int64_t>(count));
        insert.bindBlob(4, blob.data(), blob.size());
        if (!insert.execute())
            return false;
    }
    return insert.prepared();
}

template <class Record>
bool insertRecordChunks(SqliteConnection& connection, const char* chunkTable, std::int64_t tableId,
                        const std::vector<Record>& records)
{
    return insertChunks(connection, chunkTable, tableId, records.size(), [&records](std::size_t first, std::size_t count) {
        return RecordChunkCodec::encode(records.data() + first, count);
    });
}

// An attribute table's instances, from whichever form it holds them in.
bool insertInstanceChunks(SqliteConnection& connection, std::int64_t tableId, const AttributeTableRecord& table)
{
    if (table.texts.empty())
        return insertRecordChunks(connection, "attribute_chunk", tableId, table.instances);
    return insertChunks(connection, "attribute_chunk", tableId, RecordChunkCodec::instanceCount(table),
                        [&table](std::size_t first, std::size_t count) {
                            return RecordChunkCodec::encodeTexts(table.texts, first, count);
                        });
}

// Writes one header row per table, its id numbered from 0 in column 1, each followed by the
// table's records in chunks. `bindHeader(statement, table)` binds the other columns;
// `insertRecords(id, table)` writes the table's chunks.
template <class Table, class BindHeader, class InsertRecords>
bool insertChunkedTables(SqliteConnection& connection, const char* headerSql, const std::vector<Table>& tables,
                         BindHeader bindHeader, InsertRecords insertRecords)
{
    SqliteStatement insert(connection, headerSql);
    std::int64_t id = 0;
    for (const Table& table : tables) {
        insert.bindInteger(1, id);
        bindHeader(insert, table);
        if (!insert.execute() || !insertRecords(id, table))
            return false;
        ++id;
    }
    return insert.prepared();
}

}  // namespace

RecordInserter::RecordInserter(SqliteConnection& connection)
    : m_connection(connection)
{
}

bool RecordInserter::insert(const ResultRecords& records)
{
    return insertInfo(records) && insertAttributeTables(records) && insertLifetimes(records)
        && insertSampleTables(records) && insertBandTables(records)
        && insertTimedAttributes(records);
}

bool RecordInserter::insertInfo(const ResultRecords& records)
{
    SqliteStatement insert(m_connection, "INSERT INTO result_info VALUES (?, ?, ?, ?)");
    insert.bindText(1, records.name);
    insert.bindInteger(2, stored(records.timeOrigin));
    insert.bindInteger(3, stored(records.tickFrequency));
    insert.bindInteger(4, stored(records.duration));
    return insert.execute();
}

bool RecordInserter::insertAttributeTables(const ResultRecords& records)
{
    SqliteStatement column(m_connection, "INSERT INTO attribute_column VALUES (?, ?, ?, ?)");
    for (std::size_t id = 0; id < records.attributeTables.size(); ++id) {
        const std::vector<AttributeColumn>& columns = records.attributeTables[id].columns;
        for (std::size_t position = 0; position < columns.size(); ++position) {
            column.bindInteger(1, static_cast<std::int64_t>(id));
            column.bindInteger(2, static_cast<std::int64_t>(position));
            column.bindText(3, columns[position].name);
            column.bindText(4, columns[position].referencedTable);
            if (!column.execute())
                return false;
        }
    }
    return column.prepared()
        && insertChunkedTables(
               m_connection, "INSERT INTO attribute_table VALUES (?, ?, ?)", records.attributeTables,
               [](SqliteStatement& insert, const AttributeTableRecord& table) {
                   insert.bindText(2, table.name);
                   insert.bindInteger(3, static_cast<std::int64_t>(RecordChunkCodec::instanceCount(table)));
               },
               [this](std::int64_t id, const AttributeTableRecord& table) {
                   return insertInstanceChunks(m_connection, id, table);
               });
}

bool RecordInserter::insertLifetimes(const ResultRecords& records)
{
    SqliteStatement insert(m_connection, "INSERT INTO lifetime VALUES (NULL, ?, ?, ?, ?)");
    for (const LifetimeRecord& lifetime : records.lifetimes) {
        insert.bindText(1, lifetime.table);
        insert.bindInteger(2, lifetime.index);
        insert.bindInteger(3, stored(lifetime.start));
        insert.bindInteger(4, stored(lifetime.end));
        if (!insert.execute())
            return false;
    }
    return insert.prepared();
}

bool RecordInserter::insertSampleTables(const ResultRecords& records)
{
    return insertChunkedTables(
        m_connection, "INSERT INTO sample_table VALUES (?, ?, ?, ?)", records.sampleTables,
        [](SqliteStatement& insert, const SampleTableRecord& table) {
            insert.bindText(2, table.name);
            insert.bindText(3, table.attributeTable);
            insert.bindInteger(4, static_cast<std::int64_t>(table.samples.size()));
        },
        [this](std::int64_t id, const SampleTableRecord& table) {
            return insertRecordChunks(m_connection, "sample_chunk", id, table.samples);
        });
}

bool RecordInserter::insertBandTables(const ResultRecords& records)
{
    return insertChunkedTables(
        m_connection, "INSERT INTO band_table VALUES (?, ?, ?, ?, ?, ?, ?)", records.bandTables,
        [](SqliteStatement& insert, const BandTableRecord& table) {
            insert.bindText(2, table.name);
            insert.bindInteger(3, static_cast<std::int64_t>(table.kind));
            insert.bindText(4, table.attributeTable);
            insert.bindText(5, table.keyName);
            insert.bindInteger(6, table.keyValue);
            insert.bindInteger(7, static_cast<std::int64_t>(table.objects.size()));
        },
        [this](std::int64_t id, const BandTableRecord& table) {
            return insertRecordChunks(m_connection, "band_chunk", id, table.objects);
        });
}

bool RecordInserter::insertTimedAttributes(const ResultRecords& records)
{
    return insertChunkedTables(
        m_connection, "INSERT INTO timed_attribute VALUES (?, ?, ?, ?)", records.timedAttributes,
        [](SqliteStatement& insert, const TimedAttributeRecord& attribute) {
            insert.bindText(2, attribute.table);
            insert.bindText(3, attribute.attribute);
            insert.bindInteger(4, static_cast<std::int64_t>(attribute.values.size()));
        },
        [this](std::int64_t id, const TimedAttributeRecord& attribute) {
            return insertRecordChunks(m_connection, "timed_value_chunk", id, attribute.values);
        });
}

}  // namespace store
}  // namespace dd_sarvik_2_2
