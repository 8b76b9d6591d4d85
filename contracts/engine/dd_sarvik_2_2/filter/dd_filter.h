#pragma once
// dd_filter: one named filter of a database, opened by (database, name). Writing goes to the
// database's filter store (dd_filter_store), so every dd_filter opened on the same name sees
// the same content; the object itself is a light handle and may be made and dropped freely.
//
//     dd_filter selection(db, dd_filter::selection_name);
//     selection.clear_filters();
//     selection.add_time_filter(startTick, endTick);
//
// Meaning of the content (evaluated by dd_filter_eval):
// - time items: tick intervals, both ends included. Data passes when it overlaps any of them,
//   or when there are none.
// - profile items (dd_attribute_filter): an instance passes when, for every table the items
//   name, it equals one of the plain items of that table (or there are none) and none of the
//   negated ones. So items of one table are alternatives, tables are all required, and negated
//   items exclude. Tables the evaluated data has no instance of do not restrict it.
// Every write (clear included) gives the parts it changes new timestamps; reads never do.

#include <dd_sarvik_2_2/filter/dd_attribute_filter.h>
#include <dd_sarvik_2_2/filter/dd_time_filter.h>
#include <ddb_2_2/string.h>
#include <engine_export.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace ddb_2_2 {
class database;
}

namespace dd_sarvik_2_2 {

class dd_filter_store;

class SARVIK_API dd_filter {
public:
    /// The filter every answer honours; the host sets it on "apply filter".
    static constexpr const wchar_t* global_name = L"global";
    /// The user's current selection in the timeline.
    static constexpr const wchar_t* selection_name = L"selection";
    /// The timeline's data of interest, added to the over-time queries of the timeline.
    static constexpr const wchar_t* timeline_doi_name = L"timeline_doi";

    /// Opens the filter `name` of `db`, attaching a filter store to `db` when it has none.
    dd_filter(ddb_2_2::database& db, ddb_2_2::string name);

    const ddb_2_2::string& get_name() const { return m_name; }

    void clear_filters();
    void add_time_filter(std::uint64_t startTick, std::uint64_t endTick);
    /// Adds the items of one profile filter (e.g. one item per selected row).
    void add_profile_filter(const std::vector<dd_attribute_filter>& items);

    bool has_filters() const;
    bool has_time_filters() const;
    bool has_profile_filters() const;
    std::vector<dd_time_filter> get_time_filters() const;
    std::vector<dd_attribute_filter> get_profile_filters() const;

    std::uint64_t get_profile_ts() const;
    std::uint64_t get_time_ts() const;
    /// True when the filter still has these timestamps, i.e. was not written since they were read.
    bool check_timestamp(std::uint64_t profileTs, std::uint64_t timeTs) const;

private:
    std::shared_ptr<dd_filter_store> m_store;
    ddb_2_2::string m_name;
};

}  // namespace dd_sarvik_2_2
