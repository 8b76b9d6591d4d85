#pragma once
// dd_filter_display_registry: what each filter display of a database was last computed from
// (the timestamps of the filter states it used, and the tables it stored), and the timestamps
// its owner saved for it. Part of the database's filter store (dd_filter_store::get_displays);
// dd_tl_filter_display, dd_filter_timestamp and dd_filter_timestamp_list read and write it.
// Each operation holds one short internal lock.

#include <dd_sarvik_2_2/filter/dd_filter_timestamp.h>
#include <ddb_2_2/string.h>
#include <engine_export.h>

#include <map>
#include <mutex>
#include <vector>

namespace dd_sarvik_2_2 {

class SARVIK_API dd_filter_display_registry {
public:
    dd_filter_display_registry() = default;
    dd_filter_display_registry(const dd_filter_display_registry&) = delete;
    dd_filter_display_registry& operator=(const dd_filter_display_registry&) = delete;

    /// Records that `display` was last computed from `source` (one timestamp per filter it
    /// followed) and stored `table`, besides the tables stored for it before.
    void set_source(const ddb_2_2::string& display, std::vector<dd_filter_timestamp> source,
                    const ddb_2_2::string& table);
    /// Empty when the display was not computed (or was forgotten since).
    std::vector<dd_filter_timestamp> get_source(const ddb_2_2::string& display) const;
    /// Forgets the display's source and saved timestamps; returns the tables it had stored.
    std::vector<ddb_2_2::string> forget(const ddb_2_2::string& display);

    /// The timestamps saved for a display by its owner, replacing older ones.
    void set_saved_timestamps(const ddb_2_2::string& display, std::vector<dd_filter_timestamp> stamps);
    std::vector<dd_filter_timestamp> get_saved_timestamps(const ddb_2_2::string& display) const;

private:
    struct record {
        std::vector<dd_filter_timestamp> source;
        std::vector<ddb_2_2::string> tables;
    };

    mutable std::mutex m_lock;
    std::map<ddb_2_2::string, record> m_records;
    std::map<ddb_2_2::string, std::vector<dd_filter_timestamp>> m_savedTimestamps;
};

}  // namespace dd_sarvik_2_2
