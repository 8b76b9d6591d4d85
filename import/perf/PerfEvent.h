#pragma once
// One event of `perf script` output as the reader hands it over: the fields of its first line
// and the text of its call stack, all views into the reader's buffer, valid during the call that
// receives them. Times are nanoseconds on perf's clock (seconds since boot, as printed).
#include <cstdint>
#include <string_view>

namespace velmora_import {

struct PerfEvent {
    std::string_view comm;
    std::int64_t pid = -1; // -1 when the output has no process ids
    std::int64_t tid = 0;
    std::int32_t cpu = -1; // -1 when the output has no CPU column
    std::uint64_t time = 0;
    std::uint64_t period = 0; // 0 when the output has no period column
    std::string_view name;    // "cpu-clock", "sched:sched_switch", "cycles:u", ...
    // The rest of the first line: a tracepoint's fields, or the one frame of an event recorded
    // without call stacks ("ADDRESS SYMBOL (MODULE)").
    std::string_view payload;
    std::string_view stack; // the frame lines that follow, leaf first; empty without call stacks
};

// One frame of a call stack: the symbol without its offset and the module's file name.
struct PerfFrame {
    std::string_view symbol;
    std::string_view module;
};

} // namespace velmora_import
