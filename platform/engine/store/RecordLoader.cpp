#include "store/RecordLoader.h"

#include "store/RecordChunkCodec.h"
#include "store/RecordValidator.h"
#include "store/SqliteConnection.h"
#include "store/SqliteStatement.h"
#include "store/Utf8Text.h"

#include <algorithm>
#include <cstdint>
#include <string>

namespace dd_sarvik_2_2 {
namespace store {

namespace {

std::uint64_t tick(std::int64_t stored)
{
    return static_cast<std::uint64_t>(stored);
}

StoreStatus corrupt(const std::wstring& what)
{
    return {StoreCode::corrupt, L"The result file is damaged: " + what + L"."};
}

// Table ids are written as 0, 1, 2, ... in record order; anything else means a damaged file.
bool isNextId(std::int64_t id, std::size_t loaded)
{
    return id == static_cast<std::int64_t>(loaded);
}

}  // namespace

RecordLoader::RecordLoader(SqliteConnection& connection, std::uintmax_t fileBytes,
                           const ReadProgress& progress, const SampleSink& samples)
    : m_connection(connection)
    , m_fileBytes(fileBytes)
    , m_progress(progress)
    , m_samples(samples)
{
}

StoreStatus RecordLoader::load(ResultRecords& records)
{
    if (StoreStatus status = countItems(); !status.ok())
        return status;
    using Step = StoreStatus (RecordLoader::*)(ResultRecords&);
    for (Step step : {&RecordLoader::loadInfo, &RecordLoader::loadAttributeTables,
                      &RecordLoader::loadLifetimes, &RecordLoader::loadSampleTables,
                      &RecordLoader::loadBandTables, &RecordLoader::loadTimedAttributes}) {
        if (StoreStatus status = (this->*step)(records); !status.ok())
            return status;
    }
    return {};
}

StoreStatus RecordLoader::countItems()
{
    // Instances are what the rest of the file refers to, so more of them than the file has bytes
    // can only come from damage; the table that claims them is named.
    SqliteStatement tables(m_connection, "SELECT name, instance_count FROM attribute_table ORDER BY id");
    std::uintmax_t instances = 0;
    while (tables.nextRow()) {
        const std::int64_t claimed = tables.integerColumn(1);
        instances += claimed < 0 ? 0 : static_cast<std::uintmax_t>(claimed);
        if (instances > m_fileBytes)
            return corrupt(L"attribute table '" + tables.textColumn(0) + L"' claims " + std::to_wstring(claimed)
                           + L" instances, more than the file can hold");
    }
    if (tables.failed())
        return databaseError();
    SqliteStatement count(m_connection,
                          "SELECT (SELECT total(instance_count) FROM attribute_table)"
                          " + (SELECT total(item_count) FROM sample_table)"
                          " + (SELECT total(item_count) FROM band_table)"
                          " + (SELECT total(item_count) FROM timed_attribute)");
    if (!count.nextRow())
        return databaseError();
    const double total = count.realColumn(0);
    // Every stored item takes at least a byte, so larger counts can only come from damage;
    // checking here keeps a damaged header from reserving absurd amounts of memory.
    if (total < 0 || total > static_cast<double>(m_fileBytes))
        return corrupt(L"the item counts exceed the size of the file");
    m_itemsTotal = static_cast<std::size_t>(total);
    return {};
}

StoreStatus RecordLoader::loadInfo(ResultRecords& records)
{
    SqliteStatement info(m_connection,
                         "SELECT name, time_origin, tick_frequency, duration FROM result_info");
    if (!info.nextRow())
        return info.failed() ? databaseError() : corrupt(L"the result information is missing");
    records.name = info.textColumn(0);
    for (int column = 1; column <= 3; ++column)
        if (info.columnType(column) != SqliteStatement::ColumnType::integer)
            return corrupt(L"the result's time origin, tick frequency or duration is not a whole number");
    const std::int64_t frequency = info.integerColumn(2);
    if (frequency <= 0)
        return corrupt(L"the tick frequency is " + std::to_wstring(frequency));
    // Ticks use the whole unsigned range, but the collection must end within it.
    const std::uint64_t origin = tick(info.integerColumn(1));
    const std::uint64_t duration = tick(info.integerColumn(3));
    if (duration > UINT64_MAX - origin)
        return corrupt(L"the collection time (origin " + std::to_wstring(origin) + L", duration "
                       + std::to_wstring(duration) + L" ticks) ends past the last tick");
    records.timeOrigin = origin;
    records.tickFrequency = tick(frequency);
    records.duration = duration;
    return {};
}

StoreStatus RecordLoader::loadAttributeTables(ResultRecords& records)
{
    StoreStatus status = loadChunkedTables(
        "SELECT id, instance_count, name FROM attribute_table ORDER BY id", "attribute_chunk",
        records.attributeTables, &AttributeTableRecord::instances,
        [](const SqliteStatement& header, bool inOrder, AttributeTableRecord& table) {
            table.name = header.textColumn(2);
            return inOrder ? StoreStatus{} : corrupt(L"attribute table '" + table.name + L"' has a bad header");
        });
    if (!status.ok())
        return status;

    SqliteStatement columns(m_connection, "SELECT table_id, position, name, referenced_table"
                                          " FROM attribute_column ORDER BY table_id, position");
    while (columns.nextRow()) {
        const std::int64_t id = columns.integerColumn(0);
        if (id < 0 || id >= static_cast<std::int64_t>(records.attributeTables.size()))
            return corrupt(L"an attribute column belongs to no table");
        AttributeTableRecord& table = records.attributeTables[static_cast<std::size_t>(id)];
        if (!isNextId(columns.integerColumn(1), table.columns.size()))
            return corrupt(L"the columns of attribute table '" + table.name + L"' have gaps");
        table.columns.push_back({columns.textColumn(2), columns.textColumn(3)});
    }
    if (columns.failed())
        return databaseError();
    // An instance written with fewer cells than columns has its last ones absent.
    for (AttributeTableRecord& table : records.attributeTables) {
        for (std::vector<StoredValue>& instance : table.instances) {
            if (instance.size() > table.columns.size())
                return corrupt(L"a value of attribute table '" + table.name + L"' lies outside it");
            instance.resize(table.columns.size());
        }
    }
    return {};
}

StoreStatus RecordLoader::loadLifetimes(ResultRecords& records)
{
    SqliteStatement lifetimes(m_connection,
                              "SELECT table_name, instance, start, end FROM lifetime ORDER BY id");
    while (lifetimes.nextRow()) {
        records.lifetimes.push_back({lifetimes.textColumn(0),
                                     static_cast<std::int32_t>(lifetimes.integerColumn(1)),
                                     tick(lifetimes.integerColumn(2)),
                                     tick(lifetimes.integerColumn(3))});
    }
    return lifetimes.failed() ? databaseError() : StoreStatus{};
}

StoreStatus RecordLoader::loadSampleTables(ResultRecords& records)
{
    if (m_samples)
        return streamSamples(records);
    return loadChunkedTables(
        "SELECT id, item_count, name, attribute_table FROM sample_table ORDER BY id", "sample_chunk",
        records.sampleTables, &SampleTableRecord::samples,
        [](const SqliteStatement& header, bool inOrder, SampleTableRecord& table) {
            table.name = header.textColumn(2);
            table.attributeTable = header.textColumn(3);
            return inOrder ? StoreStatus{} : corrupt(L"sample table '" + table.name + L"' has a bad header");
        });
}

// The sample tables' headers as loadChunkedTables reads them; the samples themselves go to the
// sink chunk by chunk, each run checked on its way (the records keep no samples to check later).
StoreStatus RecordLoader::streamSamples(ResultRecords& records)
{
    std::vector<SampleTableRecord>& tables = records.sampleTables;
    SqliteStatement headers(m_connection,
                            "SELECT id, item_count, name, attribute_table FROM sample_table ORDER BY id");
    std::vector<SampleRecord> chunk;
    while (headers.nextRow()) {
        SampleTableRecord table;
        table.name = headers.textColumn(2);
        table.attributeTable = headers.textColumn(3);
        const std::int64_t id = headers.integerColumn(0);
        if (!isNextId(id, tables.size()))
            return corrupt(L"sample table '" + table.name + L"' has a bad header");
        const auto total = static_cast<std::size_t>(headers.integerColumn(1));
        SampleRecord previous;
        const auto takeChunk = [&](std::vector<SampleRecord>& decoded, std::size_t first) {
            if (decoded.empty())
                return true;
            m_sampleProblem = RecordValidator::findSampleProblem(records, table, decoded.data(), decoded.size(),
                                                                 first, first > 0 ? &previous : nullptr);
            if (!m_sampleProblem.empty())
                return false;
            m_samples(tables.size(), total, decoded.data(), decoded.size());
            previous = decoded.back();
            decoded.clear();
            return true;
        };
        // Runs far shorter than a chunk: decoded samples are only a way into the columns.
        constexpr std::size_t sampleRun = 4096;
        StoreStatus status = loadChunks("sample_chunk", id, total, chunk, takeChunk, sampleRun);
        if (!status.ok())
            return status;
        tables.push_back(std::move(table));
    }
    return headers.failed() ? databaseError() : StoreStatus{};
}

StoreStatus RecordLoader::loadBandTables(ResultRecords& records)
{
    return loadChunkedTables(
        "SELECT id, item_count, name, kind, attribute_table, key_name, key_value FROM band_table ORDER BY id",
        "band_chunk", records.bandTables, &BandTableRecord::objects,
        [](const SqliteStatement& header, bool inOrder, BandTableRecord& table) {
            table.name = header.textColumn(2);
            const std::int64_t kind = header.integerColumn(3);
            if (!inOrder || kind < static_cast<int>(BandTableKind::singleBand)
                || kind > static_cast<int>(BandTableKind::globalDurations))
                return corrupt(L"band table '" + table.name + L"' has a bad header");
            table.kind = static_cast<BandTableKind>(kind);
            table.attributeTable = header.textColumn(4);
            table.keyName = header.textColumn(5);
            table.keyValue = static_cast<std::int32_t>(header.integerColumn(6));
            return StoreStatus{};
        });
}

StoreStatus RecordLoader::loadTimedAttributes(ResultRecords& records)
{
    return loadChunkedTables(
        "SELECT id, item_count, table_name, attribute FROM timed_attribute ORDER BY id", "timed_value_chunk",
        records.timedAttributes, &TimedAttributeRecord::values,
        [](const SqliteStatement& header, bool inOrder, TimedAttributeRecord& attribute) {
            attribute.table = header.textColumn(2);
            attribute.attribute = header.textColumn(3);
            return inOrder ? StoreStatus{}
                           : corrupt(L"timed attribute '" + attribute.attribute + L"' has a bad header");
        });
}

// Header rows carry the table's id in column 0 (0, 1, 2, ... in record order) and its record count
// in column 1; `readHeader(row, inOrder, table)` fills the table from the other columns and judges
// the header. Each sound header is followed by the table's chunked records.
template <class Table, class Record, class ReadHeader>
StoreStatus RecordLoader::loadChunkedTables(const char* sql, const char* chunkTable, std::vector<Table>& tables,
                                            std::vector<Record> Table::*records, ReadHeader readHeader)
{
    SqliteStatement headers(m_connection, sql);
    while (headers.nextRow()) {
        Table table;
        const std::int64_t id = headers.integerColumn(0);
        StoreStatus status = readHeader(headers, isNextId(id, tables.size()), table);
        if (status.ok())
            status = loadChunks(chunkTable, id, static_cast<std::size_t>(headers.integerColumn(1)), table.*records);
        if (!status.ok())
            return status;
        tables.push_back(std::move(table));
    }
    return headers.failed() ? databaseError() : StoreStatus{};
}

template <class Record>
StoreStatus RecordLoader::loadChunks(const char* chunkTable, std::int64_t tableId, std::size_t itemCount,
                                     std::vector<Record>& out)
{
    out.reserve(std::min(itemCount, m_itemsTotal));
    return loadChunks(chunkTable, tableId, itemCount, out, [](std::vector<Record>&, std::size_t) { return true; },
                      itemCount);
}

template <class Record, class TakeChunk>
StoreStatus RecordLoader::loadChunks(const char* chunkTable, std::int64_t tableId, std::size_t itemCount,
                                     std::vector<Record>& out, TakeChunk takeChunk, std::size_t runLength)
{
    const std::string sql = std::string("SELECT item_count, data FROM ") + chunkTable
        + " WHERE table_id = ? ORDER BY seq";
    SqliteStatement chunks(m_connection, sql.c_str());
    chunks.bindInteger(1, tableId);
    if (itemCount > m_itemsTotal)
        return corrupt(Utf8Text::toWide(chunkTable) + L" claims more records than the file holds");
    std::size_t loaded = 0;   // records decoded so far
    while (chunks.nextRow()) {
        const std::int64_t count = chunks.integerColumn(0);
        const void* data = chunks.blobColumn(1);
        bool taken = true;
        std::size_t held = out.size();   // records in out before the run
        const auto takeRun = [&](std::vector<Record>& decoded) {
            loaded += decoded.size() - held;
            taken = takeChunk(decoded, loaded - decoded.size());
            held = decoded.size();
            return taken;
        };
        const bool decoded = count >= 0 && loaded + static_cast<std::size_t>(count) <= itemCount
            && RecordChunkCodec::decodeRuns<Record>(data, chunks.columnBytes(1), static_cast<std::size_t>(count),
                                                    std::max<std::size_t>(runLength, 1), out, takeRun);
        if (!taken)
            return corrupt(L"a chunk of " + Utf8Text::toWide(chunkTable) + L" is inconsistent");
        if (!decoded)
            return corrupt(L"a chunk of " + Utf8Text::toWide(chunkTable) + L" cannot be decoded");
        m_itemsDone += static_cast<std::size_t>(count);
        if (m_progress && !m_progress(m_itemsDone, m_itemsTotal))
            return ResultReader::canceled();
    }
    if (chunks.failed())
        return databaseError();
    if (loaded != itemCount)
        return corrupt(Utf8Text::toWide(chunkTable) + L" holds fewer records than its table");
    return {};
}

StoreStatus RecordLoader::databaseError() const
{
    return corrupt(m_connection.errorText());
}

}  // namespace store
}  // namespace dd_sarvik_2_2
