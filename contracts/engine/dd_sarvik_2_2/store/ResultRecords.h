#pragma once
// Changes since the first version (for the result store): attribute tables may hold text-only
// instances column by column (TextColumnRecord), written as any other instances; one rule added
// below under "Names" that the generator must follow.
// The content of one analysis result as plain records: what the result store writes to and reads
// from "result.sqlite", what the generator and the trace importer produce, and what the engine
// builds its tables from when a result is opened. No behaviour lives here.
//
// Times are engine ticks (unsigned 64-bit) on the result's own clock: a tick t lies
// (t - timeOrigin) / tickFrequency seconds after the start of the collection.
// Rows are indices into the thread table ("dd_thread"): row r is the r-th thread instance.
//
// Names: the engine keeps every table of a result in one registry by name, so attribute tables,
// sample tables, band tables and timed series (registered as "<table>.<attribute>") must have
// different names, with one exception: a band table may share its name with an attribute table
// (typically the table of its objects' attributes); both stay reachable.

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace dd_sarvik_2_2 {
namespace store {

/// One attribute value: absent, integer, floating point or text.
using StoredValue = std::variant<std::monostate, std::int64_t, double, std::wstring>;

/// A named column of an attribute table. A column that references another table holds, per
/// instance, the integer index of an instance of `referencedTable` (a nested table).
struct AttributeColumn {
    std::wstring name;
    std::wstring referencedTable;   // empty for a plain value column
};

/// The texts of one column of an attribute table, in UTF-8, end to end: text i is
/// utf8[ends[i - 1], ends[i]), the first from 0. A table of hundreds of thousands of text-only
/// instances (an importer's markers) costs two allocations a column this way, where a record
/// per instance and a wide string per cell cost more than the rest of the import.
struct TextColumnRecord {
    std::string utf8;
    std::vector<std::uint64_t> ends;
};

/// Instances x named attributes, e.g. "dd_thread" (name, process) or "function" (name, module).
struct AttributeTableRecord {
    std::wstring name;
    std::vector<AttributeColumn> columns;
    std::vector<std::vector<StoredValue>> instances;   // instances[i][column], one entry per column
    /// In place of `instances`, which then stays empty: one text column per column, all of one
    /// length, none referencing a table. Written as instances of text cells, and read back so.
    std::vector<TextColumnRecord> texts = {};
};

/// Lifetime of one instance of an attribute table (a row of the timeline), kept in the band table
/// of row lifetimes ("dd_band").
struct LifetimeRecord {
    std::wstring table;             // attribute table the instance belongs to, e.g. "dd_thread"
    std::int32_t index = 0;         // instance index in that table
    std::uint64_t start = 0;
    std::uint64_t end = 0;
};

/// Activity of a thread: an interval [start, end) spent in one instance of a restricting
/// attribute table (e.g. a function), with a count (e.g. sampled events). Over-time queries of
/// time, count and instance count are answered from these.
struct SampleRecord {
    std::int32_t row = 0;           // thread instance
    std::uint64_t start = 0;
    std::uint64_t end = 0;          // end == start for an instant sample
    std::uint32_t count = 1;
    std::int32_t instanceIndex = 0; // instance of SampleTableRecord::attributeTable
};

struct SampleTableRecord {
    std::wstring name;              // e.g. "dd_sample"
    std::wstring attributeTable;    // table the samples' instanceIndex refers to, e.g. "function"
    std::vector<SampleRecord> samples;   // sorted by (row, start)
};

/// An object of a per-row band table: an instant (start == end) or a duration.
struct BandObjectRecord {
    std::int32_t row = 0;
    std::uint64_t start = 0;
    std::uint64_t end = 0;
    std::int32_t value = 0;         // carried through to the layers unchanged
    std::int32_t instanceIndex = 0; // instance of the table's attribute table (tooltips)
    std::int32_t sourceRow = -1;    // multi-band tables only: the row that signalled (transitions)
};

enum class BandTableKind : int {
    singleBand = 1,        // per-row instants and durations ("dd_single_band_obj")
    singleMultiBand = 2,   // per-row states naming a source row ("dd_single_multi_band_obj")
    globalInstants = 3,    // no row, data type 2 ("dd_global_band_obj")
    globalDurations = 4,   // no row, data type 35 ("dd_global_band_obj2")
};

struct BandTableRecord {
    std::wstring name;              // e.g. "marker_instant", "wait_state", "global_event"
    BandTableKind kind = BandTableKind::singleBand;
    std::wstring attributeTable;    // attribute table of the objects' instanceIndex
    std::wstring keyName;           // the timeline key's name (global tables: the key to ask for)
    std::int32_t keyValue = 0;      // the timeline key's 32-bit integer
    std::vector<BandObjectRecord> objects;   // sorted by (row, start); row ignored for globals
};

/// A value that changes over time for one instance of an attribute table (a counter), read by
/// attribute-over-time walkers.
struct TimedValueRecord {
    std::int32_t instanceIndex = 0;
    std::uint64_t tick = 0;
    double value = 0.0;
};

struct TimedAttributeRecord {
    std::wstring table;             // attribute table, e.g. "counter"
    std::wstring attribute;         // attribute name, e.g. "value"
    std::vector<TimedValueRecord> values;    // sorted by (instanceIndex, tick)
};

struct ResultRecords {
    static constexpr int currentSchemaVersion = 2;

    std::wstring name;                  // shown in titles
    std::uint64_t timeOrigin = 0;       // tick of the collection start
    std::uint64_t tickFrequency = 1000000000;   // ticks per second
    std::uint64_t duration = 0;         // ticks from timeOrigin to the collection end
    std::vector<AttributeTableRecord> attributeTables;
    std::vector<LifetimeRecord> lifetimes;
    std::vector<SampleTableRecord> sampleTables;
    std::vector<BandTableRecord> bandTables;
    std::vector<TimedAttributeRecord> timedAttributes;
};

}  // namespace store
}  // namespace dd_sarvik_2_2
