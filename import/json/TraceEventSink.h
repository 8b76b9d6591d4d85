#pragma once
// Where TraceJsonReader hands what it reads: each trace event (of the events array, or of the
// "samples" section as a sample event "P") and each frame of the "stackFrames" section. A sink
// may take what an event or frame holds, leaving it valid but unspecified: the reader fills it
// afresh for the next one.
#include <string>

namespace velmora_import {

struct TraceEvent;
struct TraceFrame;

class TraceEventSink {
public:
    virtual ~TraceEventSink() = default;
    virtual void event(TraceEvent& event) = 0;
    virtual void frame(TraceFrame& frame) = 0;
};

} // namespace velmora_import
