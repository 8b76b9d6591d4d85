#pragma once
// dd_filter_eval: evaluates named filters of a database for worker threads.
//
// Construction takes one snapshot of the named filters (by default the global filter); later
// writes do not affect it, so one evaluation is consistent however long it runs. Data passes
// when it passes every named filter (see dd_filter for what one filter means).
//
//     dd_filter_eval eval(db, query.get_filters());
//     reduced_attribute_filter rows;
//     eval.reduce_profile_filter(L"dd_thread", rows);
//     if (rows.check_filter(ddb_2_2::index(row)) && eval.check_time(start, end)) ...
//
// The reductions made so far are kept in a table-name map (a concurrent hash map from table
// name to reduction), so the threads of one parallel query share them and each table is reduced
// once. All operations are const and safe to call from several threads at once.

#include <dd_sarvik_2_2/filter/dd_filter_state.h>
#include <dd_sarvik_2_2/filter/reduced_attribute_filter.h>
#include <ddb_2_2/index.h>
#include <ddb_2_2/string.h>
#include <engine_export.h>

#include <tbb/concurrent_hash_map.h>

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace ddb_2_2 {
class database;
}

namespace dd_sarvik_2_2 {

class TimeRanges;

class SARVIK_API dd_filter_eval {
public:
    // Nodes come from the ordinary heap, not the task library's own allocator: memory that
    // allocator hands from one thread to another is invisible to the thread checker, which then
    // takes a node built where an ended thread's node lay for a race.
    using table_name_map =
        tbb::concurrent_hash_map<ddb_2_2::string, std::shared_ptr<const reduced_attribute_filter>,
                                 tbb::tbb_hash_compare<ddb_2_2::string>,
                                 std::allocator<std::pair<const ddb_2_2::string,
                                                          std::shared_ptr<const reduced_attribute_filter>>>>;
    /// Half-open tick intervals [first, second), sorted and disjoint.
    using tick_ranges = std::vector<std::pair<std::uint64_t, std::uint64_t>>;

    /// Evaluates the global filter of `db`.
    explicit dd_filter_eval(const ddb_2_2::database& db);
    /// Evaluates all of `filterNames` together; no names, or no filter store, let everything pass.
    dd_filter_eval(const ddb_2_2::database& db, const std::vector<ddb_2_2::string>& filterNames);
    /// Evaluates given states (e.g. taken earlier from a store).
    explicit dd_filter_eval(std::vector<std::shared_ptr<const dd_filter_state>> states);
    ~dd_filter_eval();
    dd_filter_eval(const dd_filter_eval&) = delete;
    dd_filter_eval& operator=(const dd_filter_eval&) = delete;

    /// The snapshot evaluated, one state per filter name.
    const std::vector<std::shared_ptr<const dd_filter_state>>& get_states() const { return m_states; }

    bool has_filters() const;
    bool has_time_filter() const;

    /// Fills `out` with the profile items that name `table`.
    void reduce_profile_filter(const ddb_2_2::string& table, reduced_attribute_filter& out) const;
    /// Shared reduction of `table` from the table-name map; never null.
    std::shared_ptr<const reduced_attribute_filter> get_reduced(const ddb_2_2::string& table) const;
    /// Whether the instance `i` of `table` passes the profile items.
    bool check_filter(const ddb_2_2::string& table, ddb_2_2::index i) const;

    /// Whether data spanning [start, end) (an instant when start == end) overlaps the time items.
    bool check_time(std::uint64_t start, std::uint64_t end) const;
    /// The ticks the time items let through; meaningful when has_time_filter(), and then empty
    /// when no tick passes.
    const tick_ranges& get_time_ranges() const { return m_halfOpenRanges; }
    /// Appends the parts of [start, end) that the time items let through (an instant that passes
    /// is appended as itself).
    void clip_time(std::uint64_t start, std::uint64_t end, tick_ranges& out) const;

private:
    std::vector<std::shared_ptr<const dd_filter_state>> m_states;
    std::unique_ptr<TimeRanges> m_time;
    tick_ranges m_halfOpenRanges;
    mutable table_name_map m_reduced;
};

}  // namespace dd_sarvik_2_2
