#pragma once
// The reading thread's sink: copies each event and frame into the current batch and sends the
// batch through the channel when it is full, so the builder works on one batch while the reader
// fills the next. finish() sends what is left and closes the channel; it must be called once the
// reading ends, however it ends, or the builder waits for ever.
#include "BatchChannel.h"
#include "json/TraceEventBatch.h"
#include "json/TraceEventSink.h"

#include <memory>

namespace velmora_import {

class BatchingEventSink : public TraceEventSink {
public:
    explicit BatchingEventSink(BatchChannel<TraceEventBatch>& channel)
        : m_channel(channel)
        , m_batch(channel.take())
    {
    }

    void event(const TraceEvent& event) override { added(event); }
    void frame(const TraceFrame& frame) override { added(frame); }
    void finish()
    {
        if (!m_batch->empty())
            m_channel.send(std::move(m_batch));
        m_channel.close();
    }

private:
    template <class Entry>
    void added(const Entry& entry)
    {
        m_batch->add(entry);
        if (m_batch->full()) {
            m_channel.send(std::move(m_batch));
            m_batch = m_channel.take();
        }
    }

    BatchChannel<TraceEventBatch>& m_channel;
    std::unique_ptr<TraceEventBatch> m_batch;
};

} // namespace velmora_import
