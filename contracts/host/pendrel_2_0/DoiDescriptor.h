#pragma once
#include <cstdint>
#include <string>

namespace pendrel_2_0 {

// Describes the data of interest the host currently focuses on: the filter that selects it
// and, when it is limited in time, the range in nanoseconds from the result's time origin.
struct DoiDescriptor {
    std::wstring m_filterName;
    bool m_hasTimeRange = false;
    std::uint64_t m_startTime = 0;
    std::uint64_t m_endTime = 0;
};

} // namespace pendrel_2_0
