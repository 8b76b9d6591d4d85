#include "perf/PerfEventKind.h"

namespace velmora_import {

namespace {

// "cycles:u" -> "cycles", "cpu/cycles/P" -> "cycles": modifiers and the PMU do not change
// what is counted.
std::string_view counted(std::string_view name)
{
    const std::size_t slash = name.find('/');
    if (slash != std::string_view::npos) {
        const std::size_t end = name.find('/', slash + 1);
        return name.substr(slash + 1, end == std::string_view::npos ? std::string_view::npos : end - slash - 1);
    }
    return name.substr(0, name.find(':'));
}

} // namespace

PerfEventKind PerfEventKinds::of(std::string_view name)
{
    if (name == "sched:sched_switch")
        return PerfEventKind::schedSwitch;
    if (name == "sched:sched_wakeup" || name == "sched:sched_waking")
        return PerfEventKind::wakeup;
    if (name == "sched:sched_wakeup_new")
        return PerfEventKind::wakeupNew;
    if (isTracepoint(name))
        return PerfEventKind::other;
    const std::string_view base = counted(name);
    if (base == "cpu-clock" || base == "task-clock" || base == "cycles" || base == "cpu-cycles")
        return PerfEventKind::cpuSample;
    return PerfEventKind::other;
}

bool PerfEventKinds::countsTime(std::string_view name)
{
    const std::string_view base = counted(name);
    return base == "cpu-clock" || base == "task-clock";
}

bool PerfEventKinds::isTracepoint(std::string_view name)
{
    const std::size_t colon = name.find(':');
    if (colon == std::string_view::npos || colon == 0 || name.find('/') != std::string_view::npos)
        return false;
    // Modifiers after an event name are short letter sets ("u", "ppp", "HG"); a tracepoint's
    // name after its subsystem has an underscore or is longer.
    const std::string_view after = name.substr(colon + 1);
    for (const char c : after)
        if (!(c >= 'a' && c <= 'z') && !(c >= 'A' && c <= 'Z'))
            return true;
    return after.size() > 4 && counted(name) != "cpu-clock" && counted(name) != "task-clock" &&
           counted(name) != "cycles" && counted(name) != "cpu-cycles";
}

} // namespace velmora_import
