#pragma once
// dd_filter_timestamp_list: the timestamps a filter display is saved with, so that its owner can
// tell later whether the display still shows the current filter. The list lives in the
// database's filter store under the display's name and outlives whoever saved it.
//
//     for (const dd_filter_timestamp& t : dd_filter_timestamp_list::get_filter_timestamps(name, db))
//         current &= dd_filter(db, t.get_filter_name()).check_timestamp(t.get_profile_ts(), t.get_time_ts());
//     ...recompute, then:
//     dd_filter_timestamp_list(name, dd_filter_timestamp::get_profile_filter_ts(name, db),
//                              dd_filter_timestamp::get_time_filter_ts(name, db)).set_filter_timestamp(db);

#include <dd_sarvik_2_2/filter/dd_filter.h>
#include <dd_sarvik_2_2/filter/dd_filter_timestamp.h>
#include <ddb_2_2/string.h>
#include <engine_export.h>

#include <cstdint>
#include <vector>

namespace ddb_2_2 {
class database;
}

namespace dd_sarvik_2_2 {

class SARVIK_API dd_filter_timestamp_list {
public:
    /// The list saved for `name`; empty when none was saved (or the display was cleared since).
    static std::vector<dd_filter_timestamp> get_filter_timestamps(const ddb_2_2::string& name,
                                                                  const ddb_2_2::database& db);

    /// A list for `name` with one entry: the timestamps of the filter `filterName` (the global
    /// filter, which filter displays follow).
    dd_filter_timestamp_list(ddb_2_2::string name, std::uint64_t profileTs, std::uint64_t timeTs,
                             ddb_2_2::string filterName = dd_filter::global_name);

    const ddb_2_2::string& get_name() const { return m_name; }
    const std::vector<dd_filter_timestamp>& get_timestamps() const { return m_timestamps; }
    void add(dd_filter_timestamp timestamp) { m_timestamps.push_back(std::move(timestamp)); }

    /// Saves the list under its name in the filter store of `db`, replacing an older one.
    void set_filter_timestamp(ddb_2_2::database& db) const;

private:
    ddb_2_2::string m_name;
    std::vector<dd_filter_timestamp> m_timestamps;
};

}  // namespace dd_sarvik_2_2
