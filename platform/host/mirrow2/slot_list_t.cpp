#include <mirrow2/slot_list_t.h>

#include <algorithm>

namespace mirrow2 {

slot_list_t::slot_base_t::~slot_base_t() = default;

slot_list_t::connection_id_t slot_list_t::add(std::shared_ptr<slot_base_t> slot)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_slots.emplace_back(++m_lastId, std::move(slot));
    return m_lastId;
}

bool slot_list_t::remove(connection_id_t id)
{
    std::shared_ptr<slot_base_t> removed;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        const auto it = std::find_if(m_slots.begin(), m_slots.end(),
                                     [id](const auto& entry) { return entry.first == id; });
        if (it == m_slots.end())
            return false;
        removed = std::move(it->second);
        m_slots.erase(it);
        // Inside the lock, so a snapshot taken afterwards can no longer see it connected.
        removed->m_connected.store(false, std::memory_order_release);
    }
    // The slot's function (and whatever it captured) is destroyed outside the lock.
    return true;
}

void slot_list_t::clear()
{
    std::vector<std::pair<connection_id_t, std::shared_ptr<slot_base_t>>> removed;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        removed.swap(m_slots);
        for (const auto& entry : removed)
            entry.second->m_connected.store(false, std::memory_order_release);
    }
}

std::size_t slot_list_t::size() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_slots.size();
}

std::vector<std::shared_ptr<slot_list_t::slot_base_t>> slot_list_t::snapshot() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<std::shared_ptr<slot_base_t>> slots;
    slots.reserve(m_slots.size());
    for (const auto& entry : m_slots)
        slots.push_back(entry.second);
    return slots;
}

} // namespace mirrow2
