#pragma once
// An over-time query: one quantity per answered row and per time bucket, answered by
// Result::get_overtime_data as running totals in a paged bucket of dd_overtime_data.
//
// Build it like this: set_data_source, set_data_width(start, end, count), the filters, the axis
// (set_axis_instance_and_attr, which splits the answer into rows), then one sub-query per
// restriction with `query += sub`, where each sub-query was init'ed with
// ("dd_thread", instance table, attribute path [, value]).
//
// Meaning, for each row (an instance of the axis table, e.g. a thread; without an axis there is
// one row 0 holding everything) and each of `count` buckets of [start, end):
// - data source 2 (time): ticks of the row's samples that lie inside the bucket, exact to the tick;
// - data source 1 (count): sum of the counts of the row's samples whose start lies in the bucket;
// - data source 0 (instance count): number of the row's samples active in the bucket.
// Samples come from the sample table named by a sub-query's instance table (or, when no sample
// table has that name, the one whose attribute table heads the attribute path). Every sub-query
// restricts the samples (they must pass all of them): the attribute path "function.name" walks
// from the sample's attribute instance through the named columns (following referenced tables);
// with a value the final attribute must equal it, without one it must be present; a path that is
// only a table name does not restrict.
// Filters are named filters of the database's filter store; a sample passes when its row and its
// attribute instance pass every named filter and its time overlaps their time items (time data
// counts only the ticks inside them). A new query holds the global filter; clear_filters removes
// every name.

#include <ddb_2_2/string.h>
#include <ddb_2_2/variant.h>
#include <engine_export.h>

#include <cstdint>
#include <vector>

namespace dd_sarvik_2_2 {

class SARVIK_API dd_overtime_query {
public:
    enum data_src : std::int32_t {
        data_src_instance_count = 0,
        data_src_count = 1,
        data_src_time = 2,
    };

    /// One restriction of the samples (see the file comment).
    struct restriction {
        ddb_2_2::string table;            // the table the answer is about, "dd_thread"
        ddb_2_2::string instance_table;   // the sample table
        ddb_2_2::string attribute_path;   // "function" or "function.name" or "a.ref.name"
        ddb_2_2::variant value;
        bool has_value = false;
    };

    dd_overtime_query();

    /// Makes this query a single restriction; returns false for an empty attribute path.
    bool init(const ddb_2_2::string& table, const ddb_2_2::string& instanceTable,
              const ddb_2_2::string& attributePath);
    bool init(const ddb_2_2::string& table, const ddb_2_2::string& instanceTable,
              const ddb_2_2::string& attributePath, const ddb_2_2::variant& value);

    /// Appends the restrictions of `sub`; data source, width, filters and axis stay this query's.
    dd_overtime_query& operator+=(const dd_overtime_query& sub);

    void set_data_source(data_src source) { m_source = source; }
    void set_data_source(int source) { m_source = static_cast<data_src>(source); }
    data_src get_data_source() const { return m_source; }

    void set_data_width(std::uint64_t start, std::uint64_t end, int count);
    std::uint64_t get_start() const { return m_start; }
    std::uint64_t get_end() const { return m_end; }
    int get_count() const { return m_count; }

    void add_filter(const ddb_2_2::string& name);
    void clear_filters() { m_filters.clear(); }
    const std::vector<ddb_2_2::string>& get_filters() const { return m_filters; }

    /// Splits the answer into the instances of `attributeTable`; `instanceTable` names where
    /// those rows come from (e.g. "dd_band") and is informative only.
    void set_axis_instance_and_attr(const ddb_2_2::string& attributeTable,
                                    const ddb_2_2::string& instanceTable);
    const ddb_2_2::string& get_axis_table() const { return m_axisTable; }
    /// Answers only the axis rows [first, first + count) (by default every row), so that a
    /// caller reading tens of thousands of rows can take them a block at a time and hold only
    /// one block's answer instead of every row's.
    void set_row_range(std::int32_t first, std::int32_t count);
    std::int32_t get_first_row() const { return m_firstRow; }
    /// Rows answered from get_first_row() on; negative: every row.
    std::int32_t get_row_count() const { return m_rowCount; }
    const ddb_2_2::string& get_axis_instance_table() const { return m_axisInstanceTable; }

    const std::vector<restriction>& get_restrictions() const { return m_restrictions; }

    /// A text that tells queries with different answers apart (sources, restrictions, width,
    /// filters, axis); answers of different queries can share one bucket under it.
    ddb_2_2::string get_signature() const;

private:
    data_src m_source = data_src_time;
    std::uint64_t m_start = 0;
    std::uint64_t m_end = 0;
    int m_count = 0;
    std::vector<ddb_2_2::string> m_filters;
    ddb_2_2::string m_axisTable;
    ddb_2_2::string m_axisInstanceTable;
    std::int32_t m_firstRow = 0;
    std::int32_t m_rowCount = -1;
    std::vector<restriction> m_restrictions;
};

}  // namespace dd_sarvik_2_2
