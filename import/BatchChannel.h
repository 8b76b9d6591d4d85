#pragma once
// Hands batches of work from one producing thread to one consuming thread through a fixed pool,
// so reading a file and building its records run side by side on two cores while memory stays
// bounded: the producer fills an empty batch (waiting while every batch is in flight), sends it,
// and closes the channel when done; the consumer receives each filled batch in order and gives
// it back for reuse. Batches keep their capacity from one use to the next.
//
//   producer: auto batch = channel.take(); ...fill...; channel.send(std::move(batch)); ... channel.close();
//   consumer: while (auto batch = channel.receive()) { ...use...; channel.recycle(std::move(batch)); }
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <memory>
#include <mutex>

namespace velmora_import {

template <class Batch>
class BatchChannel {
public:
    explicit BatchChannel(std::size_t batches)
    {
        for (std::size_t i = 0; i < batches; ++i)
            m_empty.push_back(std::make_unique<Batch>());
    }
    BatchChannel(const BatchChannel&) = delete;
    BatchChannel& operator=(const BatchChannel&) = delete;

    // Producer: an empty batch, once the consumer has given one back.
    std::unique_ptr<Batch> take() { return pop(m_empty, false); }
    void send(std::unique_ptr<Batch> batch) { push(m_filled, std::move(batch)); }
    // Producer: nothing more comes.
    void close() { push(m_filled, nullptr); }

    // Consumer: the next filled batch in the order sent; null once the channel is closed and
    // every batch was received.
    std::unique_ptr<Batch> receive() { return pop(m_filled, true); }
    void recycle(std::unique_ptr<Batch> batch) { push(m_empty, std::move(batch)); }

private:
    using Queue = std::deque<std::unique_ptr<Batch>>;

    // A null batch closes the channel.
    void push(Queue& queue, std::unique_ptr<Batch> batch)
    {
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            if (batch)
                queue.push_back(std::move(batch));
            else
                m_closed = true;
        }
        m_changed.notify_all();
    }
    std::unique_ptr<Batch> pop(Queue& queue, bool untilClosed)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_changed.wait(lock, [&] { return !queue.empty() || (untilClosed && m_closed); });
        if (queue.empty())
            return nullptr;
        std::unique_ptr<Batch> batch = std::move(queue.front());
        queue.pop_front();
        return batch;
    }

    std::mutex m_mutex;
    std::condition_variable m_changed; // a batch was sent or given back, or the channel closed
    Queue m_empty;
    Queue m_filled;
    bool m_closed = false;
};

} // namespace velmora_import
