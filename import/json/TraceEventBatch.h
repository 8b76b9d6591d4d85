#pragma once
// A run of trace events and stack frames read from a file, in the order read, on their way from
// the reading thread to the record builder (BatchChannel). Its entries are copied in by
// assignment, so from the second use on a batch keeps the strings' capacity and a copy costs no
// allocation.
#include "json/TraceEvent.h"
#include "json/TraceEventSink.h"

#include <cstddef>
#include <vector>

namespace velmora_import {

class TraceEventBatch {
public:
    // Entries a batch holds: enough to make the hand-off rare, few enough to stay in cache.
    static constexpr std::size_t CAPACITY = 2048;

    void add(const TraceEvent& event) { append(m_events, m_eventCount, event); }
    void add(const TraceFrame& frame) { append(m_frames, m_frameCount, frame); }
    bool full() const { return m_eventCount + m_frameCount >= CAPACITY; }
    bool empty() const { return m_eventCount + m_frameCount == 0; }

    // Hands the frames, then the events, to `sink`, and empties the batch for reuse. Frames are
    // only looked up once every event is in, so handing them first changes nothing.
    void deliverTo(TraceEventSink& sink)
    {
        for (std::size_t i = 0; i < m_frameCount; ++i)
            sink.frame(m_frames[i]);
        for (std::size_t i = 0; i < m_eventCount; ++i)
            sink.event(m_events[i]);
        m_eventCount = m_frameCount = 0;
    }

private:
    template <class Entry>
    static void append(std::vector<Entry>& entries, std::size_t& count, const Entry& entry)
    {
        if (count < entries.size())
            entries[count] = entry;
        else
            entries.push_back(entry);
        ++count;
    }

    std::vector<TraceEvent> m_events; // the first m_eventCount are this batch's
    std::size_t m_eventCount = 0;
    std::vector<TraceFrame> m_frames;
    std::size_t m_frameCount = 0;
};

} // namespace velmora_import
