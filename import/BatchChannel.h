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
    std::unique_ptr<Batch> take()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_changed.wait(lock, [this] { return !m_empty.empty(); });
        std::unique_ptr<Batch> batch = std::move(m_empty.front());
        m_empty.pop_front();
        return batch;
    }
    void send(std::unique_ptr<Batch> batch)
    {
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            m_filled.push_back(std::move(batch));
        }
        m_changed.notify_all();
    }
    // Producer: nothing more comes.
    void close()
    {
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            m_closed = true;
        }
        m_changed.notify_all();
    }

    // Consumer: the next filled batch in the order sent; null once the channel is closed and
    // every batch was received.
    std::unique_ptr<Batch> receive()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_changed.wait(lock, [this] { return !m_filled.empty() || m_closed; });
        if (m_filled.empty())
            return nullptr;
        std::unique_ptr<Batch> batch = std::move(m_filled.front());
        m_filled.pop_front();
        return batch;
    }
    void recycle(std::unique_ptr<Batch> batch)
    {
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            m_empty.push_back(std::move(batch));
        }
        m_changed.notify_all();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed; // a batch was sent or given back, or the channel closed
    std::deque<std::unique_ptr<Batch>> m_empty;
    std::deque<std::unique_ptr<Batch>> m_filled;
    bool m_closed = false;
};

} // namespace velmora_import
