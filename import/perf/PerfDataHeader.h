#pragma once
// What `perf report --header-only` tells of a perf.data file before its events are read: which
// sample fields every event carries (perf script refuses a field one of them lacks) and the
// time of the first and the last sample (for progress).
#include <cstdint>
#include <string_view>

namespace velmora_import {

struct PerfDataHeader {
    bool everyEventHasCpu = false;
    bool everyEventHasPeriod = false;
    std::uint64_t firstSample = 0; // nanoseconds; 0 when not given
    std::uint64_t lastSample = 0;

    static PerfDataHeader parse(std::string_view text);
};

} // namespace velmora_import
