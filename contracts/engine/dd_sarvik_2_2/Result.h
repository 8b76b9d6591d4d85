#pragma once
// An opened analysis result: its database of tables, its clock (time origin and tick frequency),
// and the queries the timeline asks of it. Made by Sarvik::result_open, which owns it.
//
// Queries may run on several worker threads at once; the result itself is not changed by them
// (tables added at run time go through the database's own lock).
//
// Table data types (check_instance_table_type): 1 attribute table, 2 global instants,
// 3 per-row single band, 4 per-row single multi band, 5 row lifetimes, 6 samples,
// 7 timed attribute series, 35 global durations.

#include <dd_sarvik_2_2/dd_attr_overtime.h>
#include <dd_sarvik_2_2/dd_overtime_data.h>
#include <dd_sarvik_2_2/dd_overtime_derived_data.h>
#include <ddb_2_2/index.h>
#include <ddb_2_2/paged_bucket.h>
#include <ddb_2_2/pageable_database.h>
#include <engine_export.h>

#include <cstdint>
#include <memory>

namespace dd_sarvik_2_2 {

class dd_manipulator_manager;
class dd_overtime_derived_query;
class dd_overtime_query;
class dd_progress_impl;

class SARVIK_API Result {
public:
    using overtime_bucket = ddb_2_2::paged_bucket<dd_overtime_data>;

    /// Table data types, see the file comment.
    enum table_data_type : int {
        attribute_data = 1,
        global_instant_data = 2,
        single_band_data = 3,
        single_multi_band_data = 4,
        lifetime_data = 5,
        sample_data = 6,
        timed_attribute_data = 7,
        global_duration_data = 35,
    };

    Result(std::unique_ptr<ddb_2_2::pageable_database> database, ddb_2_2::string name,
           std::uint64_t timeOrigin, std::uint64_t tickFrequency, std::uint64_t duration);
    ~Result();
    Result(const Result&) = delete;
    Result& operator=(const Result&) = delete;

    ddb_2_2::pageable_database& get_database() { return *m_database; }
    const ddb_2_2::pageable_database& get_database() const { return *m_database; }
    const ddb_2_2::string& get_name() const { return m_name; }
    std::uint64_t get_time_origin() const { return m_timeOrigin; }
    std::uint64_t get_tick_frequency() const { return m_tickFrequency; }
    /// Ticks from the time origin to the end of the collection.
    std::uint64_t get_duration() const { return m_duration; }

    /// True when `table` exists and holds data of `dataType`.
    bool check_instance_table_type(const ddb_2_2::string& table, int dataType) const;
    /// The data type of a table; 0 when there is no such table.
    int get_table_data_type(const ddb_2_2::string& table) const;

    /// Positions `it` on the answer of `query` for `row` (an axis instance index) in `bucket`.
    /// The first call for a query computes every row of its row range at once (on all cores) and reports to
    /// `progress`; later calls with the same bucket and query only position. Entries: see
    /// dd_overtime_data. False, with `it` invalid, when the query is cancelled, its width is
    /// empty, or no sample table answers it.
    bool get_overtime_data(overtime_bucket& bucket, overtime_bucket::const_iterator& it,
                           const dd_overtime_query& query, const ddb_2_2::index& row,
                           dd_progress_impl* progress) const;

    /// As get_overtime_data for every added query of a derived query (their running totals go
    /// to `bucket`); positions `it` on the row's `count` evaluated values.
    bool get_overtime_derived_data(overtime_bucket& bucket, dd_overtime_derived_data::const_iterator& it,
                                   const dd_overtime_derived_query& query, const ddb_2_2::index& row,
                                   dd_progress_impl* progress) const;

    /// The values of `path` ("counter.value") over [start, end) in `count` buckets. Its points
    /// are the timed series of `path` when the result has one, else the objects of the global
    /// band table `instanceTable` at their start, each carrying the path's value of its
    /// instance. A bucket holds the largest point inside it, or the last value before it (0
    /// before the first point). False when neither source exists.
    bool get_instance_value_walker(dd_attr_overtime::forward_iterator& walker, const ddb_2_2::string& instanceTable,
                                   const ddb_2_2::string& path, std::uint64_t start, std::uint64_t end,
                                   int count) const;
    /// As above with the points of one instance of the path's table only: the series of one
    /// counter where the table holds several.
    bool get_instance_value_walker(dd_attr_overtime::forward_iterator& walker, const ddb_2_2::string& instanceTable,
                                   const ddb_2_2::string& path, const ddb_2_2::index& instance, std::uint64_t start,
                                   std::uint64_t end, int count) const;
    /// The smallest and largest value of `path` for `instance` over the whole result (the range
    /// its graph spans at any zoom); false when the instance has no point.
    bool get_instance_value_range(const ddb_2_2::string& instanceTable, const ddb_2_2::string& path,
                                  const ddb_2_2::index& instance, double& min, double& max) const;

    /// A label for an attribute path: its last name with '_' shown as spaces, capitalised
    /// ("dd_thread.start_time" gives "Start time").
    ddb_2_2::string get_sarvik_display_name(const ddb_2_2::string& attributePath) const;

    /// Sets the result's time base and the display names of every attribute of its tables.
    void initialize_manipulator_manager(dd_manipulator_manager& manager) const;

private:
    std::unique_ptr<ddb_2_2::pageable_database> m_database;
    ddb_2_2::string m_name;
    std::uint64_t m_timeOrigin;
    std::uint64_t m_tickFrequency;
    std::uint64_t m_duration;
};

}  // namespace dd_sarvik_2_2
