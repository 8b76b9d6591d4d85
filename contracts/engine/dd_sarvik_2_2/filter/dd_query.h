#pragma once
// dd_query: which data a filter display covers. By default the row lifetimes (the band table
// "dd_band"): the display then shows, per row, when the row lived and passes the filter. Naming
// a per-row band table (instants, durations or states) makes the display show where that
// table's objects pass the filter instead. The display's table name depends on it
// (dd_tl_filter_display::get_filter_table_name).

#include <ddb_2_2/string.h>

namespace dd_sarvik_2_2 {

class dd_query {
public:
    dd_query() = default;
    explicit dd_query(ddb_2_2::string bandTable) : m_bandTable(std::move(bandTable)) {}

    /// Empty for the row lifetimes.
    const ddb_2_2::string& get_band_table() const { return m_bandTable; }
    bool covers_lifetimes() const { return m_bandTable.empty(); }

    friend bool operator==(const dd_query& a, const dd_query& b) { return a.m_bandTable == b.m_bandTable; }

private:
    ddb_2_2::string m_bandTable;
};

}  // namespace dd_sarvik_2_2
