#pragma once
// dd_filter_timestamp: the timestamps of one named filter (see dd_filter_state), as a plain value
// that can be stored and compared later with dd_filter::check_timestamp.
//
// The static getters answer for a name: when a filter display of that name was computed, the
// timestamps of the filter state it was computed from (not the filter's current ones, which may
// have moved on while it ran); otherwise the named filter's current timestamps (0 when never
// written). So the timestamps a display is saved with always describe what it shows.

#include <ddb_2_2/string.h>
#include <engine_export.h>

#include <cstdint>

namespace ddb_2_2 {
class database;
}

namespace dd_sarvik_2_2 {

class SARVIK_API dd_filter_timestamp {
public:
    dd_filter_timestamp() = default;
    dd_filter_timestamp(ddb_2_2::string filterName, std::uint64_t profileTs, std::uint64_t timeTs)
        : m_filterName(std::move(filterName)), m_profileTs(profileTs), m_timeTs(timeTs)
    {
    }

    static std::uint64_t get_profile_filter_ts(const ddb_2_2::string& name, const ddb_2_2::database& db);
    static std::uint64_t get_time_filter_ts(const ddb_2_2::string& name, const ddb_2_2::database& db);

    const ddb_2_2::string& get_filter_name() const { return m_filterName; }
    std::uint64_t get_profile_ts() const { return m_profileTs; }
    std::uint64_t get_time_ts() const { return m_timeTs; }

    friend bool operator==(const dd_filter_timestamp& a, const dd_filter_timestamp& b)
    {
        return a.m_filterName == b.m_filterName && a.m_profileTs == b.m_profileTs && a.m_timeTs == b.m_timeTs;
    }

private:
    ddb_2_2::string m_filterName;
    std::uint64_t m_profileTs = 0;
    std::uint64_t m_timeTs = 0;
};

}  // namespace dd_sarvik_2_2
