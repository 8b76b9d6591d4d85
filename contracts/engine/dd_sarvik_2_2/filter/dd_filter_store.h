#pragma once
// dd_filter_store: the named filters of one database, plus what the filter displays of that
// database were computed from and the timestamps saved for them.
//
// The store is a table of its database, under the name "dd_filter_store": dd_filter and the
// other filter classes find it there, so a database carries its filters wherever it goes.
// Whoever opens a result calls attach(db) once; dd_filter attaches on first use too, so a bare
// database works as well. Readers use find(), which never creates a store: no store means no
// filters.
//
// Threads: filters are written on the UI thread while worker threads evaluate them. Every
// operation holds one short internal lock (never while calling out); reads hand out immutable
// shared states, so an evaluation never sees half a write.

#include <dd_sarvik_2_2/filter/dd_attribute_filter.h>
#include <dd_sarvik_2_2/filter/dd_filter_state.h>
#include <dd_sarvik_2_2/filter/dd_filter_timestamp.h>
#include <dd_sarvik_2_2/filter/dd_time_filter.h>
#include <ddb_2_2/string.h>
#include <ddb_2_2/table.h>
#include <engine_export.h>

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace ddb_2_2 {
class database;
}

namespace dd_sarvik_2_2 {

class SARVIK_API dd_filter_store : public ddb_2_2::table {
public:
    using state_ptr = std::shared_ptr<const dd_filter_state>;

    /// The name the store is kept under in its database, and its type name.
    static constexpr const wchar_t* table_name = L"dd_filter_store";

    /// The store of `db`, created and added on the first call.
    static std::shared_ptr<dd_filter_store> attach(ddb_2_2::database& db);
    /// The store of `db`; null when none was attached.
    static std::shared_ptr<dd_filter_store> find(const ddb_2_2::database& db);

    dd_filter_store() = default;
    ddb_2_2::string get_type_name() const override;

    /// The current state of a filter; an empty state with timestamps 0 when never written.
    state_ptr get_state(const ddb_2_2::string& name) const;
    /// The states of several filters taken at one instant.
    std::vector<state_ptr> get_states(const std::vector<ddb_2_2::string>& names) const;

    void clear_filter(const ddb_2_2::string& name);
    void add_time_items(const ddb_2_2::string& name, const std::vector<dd_time_filter>& items);
    void add_profile_items(const ddb_2_2::string& name, const std::vector<dd_attribute_filter>& items);

    /// Records that the display `display` was last computed from `source` (one timestamp per
    /// filter it followed) and stored `table`, besides the tables stored for it before.
    void set_display_source(const ddb_2_2::string& display, std::vector<dd_filter_timestamp> source,
                            const ddb_2_2::string& table);
    std::vector<dd_filter_timestamp> get_display_source(const ddb_2_2::string& display) const;
    /// Forgets the display's source and saved timestamps; returns the tables it had stored.
    std::vector<ddb_2_2::string> forget_display(const ddb_2_2::string& display);

    /// The timestamps saved for a display by its owner (dd_filter_timestamp_list).
    void set_saved_timestamps(const ddb_2_2::string& display, std::vector<dd_filter_timestamp> stamps);
    std::vector<dd_filter_timestamp> get_saved_timestamps(const ddb_2_2::string& display) const;

private:
    struct display_record {
        std::vector<dd_filter_timestamp> source;
        std::vector<ddb_2_2::string> tables;
    };

    /// Replaces a filter's state by `change` applied to a copy; the caller holds m_lock.
    template <class Change>
    void rewrite(const ddb_2_2::string& name, Change change);

    mutable std::mutex m_lock;
    std::uint64_t m_clock = 0;   // last timestamp handed out
    std::map<ddb_2_2::string, state_ptr> m_filters;
    std::map<ddb_2_2::string, display_record> m_displays;
    std::map<ddb_2_2::string, std::vector<dd_filter_timestamp>> m_savedTimestamps;
};

}  // namespace dd_sarvik_2_2
