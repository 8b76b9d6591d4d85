#pragma once
// How values of one result are presented: its time base (ticks to nanoseconds and back) and the
// display names of its attribute paths. Filled by Result::initialize_manipulator_manager; the
// holder (e.g. a data provider) asks it instead of the result afterwards. A plain value.

#include <ddb_2_2/string.h>
#include <engine_export.h>

#include <cstdint>
#include <map>

namespace dd_sarvik_2_2 {

class SARVIK_API dd_manipulator_manager {
public:
    void clear();

    void set_time_base(std::uint64_t timeOrigin, std::uint64_t tickFrequency);
    std::uint64_t get_time_origin() const { return m_timeOrigin; }
    std::uint64_t get_tick_frequency() const { return m_tickFrequency; }
    /// Nanoseconds from the time origin; ticks before the origin give 0.
    std::uint64_t ticks_to_nanoseconds(std::uint64_t ticks) const;
    std::uint64_t nanoseconds_to_ticks(std::uint64_t nanoseconds) const;

    void set_display_name(const ddb_2_2::string& attributePath, const ddb_2_2::string& name);
    /// The display name of a path; the path itself when none was set.
    ddb_2_2::string get_display_name(const ddb_2_2::string& attributePath) const;

private:
    std::uint64_t m_timeOrigin = 0;
    std::uint64_t m_tickFrequency = 1000000000;
    std::map<ddb_2_2::string, ddb_2_2::string> m_displayNames;
};

}  // namespace dd_sarvik_2_2
