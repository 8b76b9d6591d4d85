#pragma once
#include <host_export.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

namespace mirrow2 {

// The thread-safe bookkeeping behind signal_t: connected slots with their ids. Raising
// works on a snapshot, so a slot runs without the lock held and may connect or disconnect
// slots (itself included) from any thread; a snapshot keeps a disconnected slot alive
// until the raise that holds it is done, and a slot disconnected before its turn is skipped.
class HOST_API slot_list_t {
public:
    using connection_id_t = std::uint64_t;

    class HOST_API slot_base_t {
    public:
        virtual ~slot_base_t();
        bool connected() const noexcept { return m_connected.load(std::memory_order_acquire); }

    private:
        friend class slot_list_t;
        std::atomic<bool> m_connected{true};
    };

    slot_list_t() = default;
    slot_list_t(const slot_list_t&) = delete;
    slot_list_t& operator=(const slot_list_t&) = delete;

    // Ids start at 1 and are never reused, so 0 can stand for "no connection".
    connection_id_t add(std::shared_ptr<slot_base_t> slot);
    // False when the id is not (or no longer) connected.
    bool remove(connection_id_t id);
    void clear();
    std::size_t size() const;
    std::vector<std::shared_ptr<slot_base_t>> snapshot() const;

private:
    mutable std::mutex m_mutex;
    connection_id_t m_lastId = 0;
    std::vector<std::pair<connection_id_t, std::shared_ptr<slot_base_t>>> m_slots;
};

} // namespace mirrow2
