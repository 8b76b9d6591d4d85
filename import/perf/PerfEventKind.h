#pragma once
// What the importer makes of an event, told by its name: CPU samples become CPU time and
// markers, scheduler switches states, wake-ups transitions; any other event stays a marker.
#include <string_view>

namespace velmora_import {

enum class PerfEventKind { cpuSample, schedSwitch, wakeup, wakeupNew, other };

class PerfEventKinds {
public:
    static PerfEventKind of(std::string_view name);
    // Samples of these count nanoseconds, so a sample's period is the CPU time it stands for.
    static bool countsTime(std::string_view name);
    // "subsystem:event" names a tracepoint, whose payload holds "key=value" fields.
    static bool isTracepoint(std::string_view name);
};

} // namespace velmora_import
