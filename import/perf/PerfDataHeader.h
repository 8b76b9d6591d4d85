#pragma once
// What `perf report --header-only` tells of a perf.data file before its events are read: which
// sample fields every event carries (perf script refuses a field one of them lacks), which kinds
// of events all carry their CPU, and the time of the first and the last sample (for progress).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velmora_import {

struct PerfDataHeader {
    bool everyEventHasCpu = false;
    bool everyEventHasPeriod = false;
    // perf script's names ("hw", "sw", "trace") of the event types present whose every event
    // carries its CPU. A recording of one program has no CPU on its cpu-clock samples but has it
    // on its scheduler tracepoints, and that CPU is what tells the idle threads apart.
    std::vector<std::string> typesWithCpu;
    std::uint64_t firstSample = 0; // nanoseconds; 0 when not given
    std::uint64_t lastSample = 0;

    static PerfDataHeader parse(std::string_view text);
};

} // namespace velmora_import
