#pragma once
// dd_filter_store: the named filters of one database, and the registry of its filter displays.
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
#include <dd_sarvik_2_2/filter/dd_filter_display_registry.h>
#include <dd_sarvik_2_2/filter/dd_filter_state.h>
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
    dd_filter_store(const dd_filter_store&) = delete;
    dd_filter_store& operator=(const dd_filter_store&) = delete;
    ddb_2_2::string get_type_name() const override;

    /// The current state of a filter; an empty state with timestamps 0 when never written.
    state_ptr get_state(const ddb_2_2::string& name) const;
    /// The states of several filters taken at one instant.
    std::vector<state_ptr> get_states(const std::vector<ddb_2_2::string>& names) const;

    void clear_filter(const ddb_2_2::string& name);
    void add_time_items(const ddb_2_2::string& name, const std::vector<dd_time_filter>& items);
    void add_profile_items(const ddb_2_2::string& name, const std::vector<dd_attribute_filter>& items);

    /// What the filter displays of this database were computed from, and their saved timestamps.
    dd_filter_display_registry& get_displays() { return m_displays; }
    const dd_filter_display_registry& get_displays() const { return m_displays; }

private:
    /// Replaces a filter's state by `change` applied to a copy; the caller holds m_lock.
    template <class Change>
    void rewrite(const ddb_2_2::string& name, Change change);

    mutable std::mutex m_lock;
    std::uint64_t m_clock = 0;   // last timestamp handed out
    std::map<ddb_2_2::string, state_ptr> m_filters;
    dd_filter_display_registry m_displays;   // has its own lock, never taken with m_lock
};

}  // namespace dd_sarvik_2_2
