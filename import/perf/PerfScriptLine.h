#pragma once
// Reads the lines `perf script` writes, whatever field list it was given:
//   COMM  [PID/]TID [CPU]  SECONDS.FRACTION: [PERIOD] EVENT: [FIELDS] [ADDRESS SYMBOL (MODULE)]
//   <tab>ADDRESS SYMBOL[+OFFSET] (MODULE)        one frame of the call stack after it
// The command may hold spaces, so the line is read around its time, the one token of the form
// "digits.digits:" that follows the thread id.
#include "perf/PerfEvent.h"

#include <string_view>

namespace velmora_import {

class PerfScriptLine {
public:
    // False when `line` is not an event's first line; `event`'s stack is left alone.
    static bool parseHeader(std::string_view line, PerfEvent& event);
    // A frame line, or the frame at the end of a header's fields: false when there is none.
    static bool parseFrame(std::string_view line, PerfFrame& frame);
    // The frame printed on the first line of an event recorded without call stacks: after the
    // last "key=value" field of a tracepoint, or the whole payload of a sample.
    static bool trailingFrame(std::string_view payload, PerfFrame& frame);
};

} // namespace velmora_import
