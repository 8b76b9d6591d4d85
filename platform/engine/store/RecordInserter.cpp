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

void bindValue(SqliteStatement& statement, int position, const StoredValue& value)
{
    if (const auto* integer = std::get_if<std::int64_t>(&value))
        statement.bindInteger(position, *integer);
    else if (const auto* real = std::get_if<double>(&value))
        statement.bindReal(position, *real);
    else if (const auto* text = std::get_if<std::wstring>(&value))
        statement.bindText(position, *text);
    else
        statement.bindNull(position);
}

// Writes `records` as blobs of at most ResultSchema::chunkSize records each.
template <class Record>
bool insertChunks(SqliteConnection& connection, const char* chunkTable, std::int64_t tableId,
                  const std::vector<Record>& records)
{
    const std::string sql = std::string("INSERT INTO ") + chunkTable + " VALUES (?, ?, ?, ?)";
    SqliteStatement insert(connection, sql.c_str());
    std::int64_t sequence = 0;
    for (std::size_t first = 0; first < records.size(); first += ResultSchema::chunkSize) {
        const std::size_t count = std::min(ResultSchema::chunkSize, records.size() - first);
        const std::string blob = RecordChunkCodec::encode(records.data() + first, count);
        insert.bindInteger(1, tableId);
        insert.bindInteger(2, sequence++);
        insert.bindInteger(3, static_cast<std::int64_t>(count));
        insert.bindBlob(4, blob.data(), blob.size());
        if (!insert.execute())
            return false;
    }
    return insert.prepared();
}

// Writes one header row per table, its id numbered from 0 in column 1, each followed by the
// table's records in chunks. `bindHeader(statement, table)` binds the other columns and returns
// the records to chunk.
template <class Table, class BindHeader>
bool insertChunkedTables(SqliteConnection& connection, const char* headerSql, const char* chunkTable,
                         const std::vector<Table>& tables, BindHeader bindHeader)
{
    SqliteStatement insert(connection, headerSql);
    std::int64_t id = 0;
    for (const Table& table : tables) {
        insert.bindInteger(1, id);
        const auto& rows = bindHeader(insert, table);
        if (!insert.execute() || !insertChunks(connection, chunkTable, id, rows))
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
    SqliteStatement table(m_connection, "INSERT INTO attribute_table VALUES (?, ?, ?)");
    SqliteStatement column(m_connection, "INSERT INTO attribute_column VALUES (?, ?, ?, ?)");
    SqliteStatement value(m_connection, "INSERT INTO attribute_value VALUES (?, ?, ?, ?)");
    std::int64_t id = 0;
    for (const AttributeTableRecord& record : records.attributeTables) {
        table.bindInteger(1, id);
        table.bindText(2, record.name);
        table.bindInteger(3, static_cast<std::int64_t>(record.instances.size()));
        if (!table.execute())
            return false;
        for (std::size_t position = 0; position < record.columns.size(); ++position) {
            column.bindInteger(1, id);
            column.bindInteger(2, static_cast<std::int64_t>(position));
            column.bindText(3, record.columns[position].name);
            column.bindText(4, record.columns[position].referencedTable);
            if (!column.execute())
                return false;
        }
        for (std::size_t instance = 0; instance < record.instances.size(); ++instance) {
            const std::vector<StoredValue>& cells = record.instances[instance];
            for (std::size_t position = 0; position < cells.size(); ++position) {
                if (std::holds_alternative<std::monostate>(cells[position]))
                    continue;
                value.bindInteger(1, id);
                value.bindInteger(2, static_cast<std::int64_t>(instance));
                value.bindInteger(3, static_cast<std::int64_t>(position));
                bindValue(value, 4, cells[position]);
                if (!value.execute())
                    return false;
            }
        }
        ++id;
    }
    return table.prepared() && column.prepared() && value.prepared();
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
        m_connection, "INSERT INTO sample_table VALUES (?, ?, ?, ?)", "sample_chunk", records.sampleTables,
        [](SqliteStatement& insert, const SampleTableRecord& table) -> const auto& {
            insert.bindText(2, table.name);
            insert.bindText(3, table.attributeTable);
            insert.bindInteger(4, static_cast<std::int64_t>(table.samples.size()));
            return table.samples;
        });
}

bool RecordInserter::insertBandTables(const ResultRecords& records)
{
    return insertChunkedTables(
        m_connection, "INSERT INTO band_table VALUES (?, ?, ?, ?, ?, ?, ?)", "band_chunk", records.bandTables,
        [](SqliteStatement& insert, const BandTableRecord& table) -> const auto& {
            insert.bindText(2, table.name);
            insert.bindInteger(3, static_cast<std::int64_t>(table.kind));
            insert.bindText(4, table.attributeTable);
            insert.bindText(5, table.keyName);
            insert.bindInteger(6, table.keyValue);
            insert.bindInteger(7, static_cast<std::int64_t>(table.objects.size()));
            return table.objects;
        });
}

bool RecordInserter::insertTimedAttributes(const ResultRecords& records)
{
    return insertChunkedTables(
        m_connection, "INSERT INTO timed_attribute VALUES (?, ?, ?, ?)", "timed_value_chunk",
        records.timedAttributes, [](SqliteStatement& insert, const TimedAttributeRecord& attribute) -> const auto& {
            insert.bindText(2, attribute.table);
            insert.bindText(3, attribute.attribute);
            insert.bindInteger(4, static_cast<std::int64_t>(attribute.values.size()));
            return attribute.values;
        });
}

}  // namespace store
}  // namespace dd_sarvik_2_2
