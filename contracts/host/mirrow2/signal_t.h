#pragma once
#include <mirrow2/slot_list_t.h>

#include <functional>

namespace mirrow2 {

// A thread-safe signal: signal_t<> carries no argument, signal_t<const std::wstring&> one.
// raise() calls the slots connected when it started, in connection order, on the raising
// thread and without holding any lock (see slot_list_t for what a slot may do meanwhile).
// A disconnect guarantees the slot is not started afterwards; a call already running on
// another thread finishes normally.
template <class... Args>
class signal_t {
public:
    using connection_id_t = slot_list_t::connection_id_t;
    using function_t = std::function<void(Args...)>;

    connection_id_t connect(function_t function)
    {
        return m_slots.add(std::make_shared<slot_t>(std::move(function)));
    }
    bool disconnect(connection_id_t id) { return m_slots.remove(id); }
    void disconnect_all() { m_slots.clear(); }
    std::size_t slot_count() const { return m_slots.size(); }

    void raise(Args... args) const
    {
        for (const auto& slot : m_slots.snapshot()) {
            if (slot->connected())
                static_cast<const slot_t&>(*slot).m_function(args...);
        }
    }

private:
    struct slot_t : slot_list_t::slot_base_t {
        explicit slot_t(function_t function) : m_function(std::move(function)) {}
        function_t m_function;
    };

    slot_list_t m_slots;
};

} // namespace mirrow2
