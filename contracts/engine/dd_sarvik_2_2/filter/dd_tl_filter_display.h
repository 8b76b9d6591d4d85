#pragma once
// dd_tl_filter_display: the timeline's filter band. For each row it computes the intervals where
// the global filter selects data, and stores them in the database as a single-band table
// (read with dd_single_band_table) named by get_filter_table_name. One key per row that has
// intervals (its index is the row: the instance index of the row-by table), and key -1 with
// the union of all rows, the band of an area without rows.
//
// Data of a row is selected when the row's instance passes the profile items of its table, the
// data's own instance passes those of its attribute table, and only the parts inside the time
// items count. Touching or overlapping pieces merge, so every interval is maximal.
//
// Worker thread: compute reports to `progress` (one step per row) and polls it; a cancelled
// computation stores nothing. The filter is read once at the start, so a write meanwhile
// neither tears the result nor is lost: the saved source timestamps (dd_filter_timestamp)
// describe what was computed, and the owner recomputes on its next check.

#include <dd_sarvik_2_2/filter/dd_query.h>
#include <ddb_2_2/string.h>
#include <engine_export.h>

namespace ddb_2_2 {
class database;
}

namespace dd_sarvik_2_2 {

class dd_progress_impl;

class SARVIK_API dd_tl_filter_display {
public:
    explicit dd_tl_filter_display(ddb_2_2::database& db);

    /// `name` for the row lifetimes, `name` + "." + the band table for another query.
    static ddb_2_2::string get_filter_table_name(const ddb_2_2::string& name, const dd_query& query);

    /// Removes the tables stored under `name` and forgets their timestamps.
    void clear_tl_filter_display(const ddb_2_2::string& name);

    /// Computes and stores the display `name`. `rowByTable` is the attribute table the rows are
    /// instances of; empty for an area without rows (then only key -1 is stored). Returns false
    /// when cancelled or when the query's band table does not exist.
    bool compute_tl_filter_display(const ddb_2_2::string& name, const ddb_2_2::string& rowByTable,
                                   const dd_query& query, dd_progress_impl* progress);

private:
    ddb_2_2::database& m_db;
};

}  // namespace dd_sarvik_2_2
