#pragma once
// Walks the frames of an event's call stack, leaf first, reading each line only when asked for:
// most events need their top few frames, and stacks are often a hundred lines deep.
//
//   PerfStack stack(event);
//   for (PerfFrame frame; stack.next(frame);) ...
#include "perf/PerfEvent.h"

namespace velmora_import {

class PerfStack {
public:
    // An event without call stack lines has the one frame at the end of its first line
    // (`tracepoint`: after its fields; else the whole payload).
    PerfStack(const PerfEvent& event, bool tracepoint);

    // The next frame that can be read; false after the last.
    bool next(PerfFrame& frame);

private:
    std::string_view m_rest;
    std::string_view m_single;
    bool m_tracepoint = false;
};

} // namespace velmora_import
