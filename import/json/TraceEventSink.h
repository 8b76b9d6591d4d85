#pragma once
// Where TraceJsonReader hands what it reads: each trace event (of the events array, or of the
// "samples" section as a sample event "P") and each frame of the "stackFrames" section.
#include <string>

namespace velmora_import {

struct TraceEvent;
struct TraceFrame;

class TraceEventSink {
public:
    virtual ~TraceEventSink() = default;
    virtual void event(const TraceEvent& event) = 0;
    virtual void frame(const TraceFrame& frame) = 0;
};

} // namespace velmora_import
