#pragma once
#include <mutex>

namespace mirrow2 {

// A plain mutex with a scoped lock; it also meets the standard Lockable requirements.
class mutex_t {
public:
    class scoped_lock_t {
    public:
        explicit scoped_lock_t(mutex_t& mutex) : m_lock(mutex.m_mutex) {}

    private:
        std::lock_guard<std::mutex> m_lock;
    };

    void lock() { m_mutex.lock(); }
    bool try_lock() { return m_mutex.try_lock(); }
    void unlock() { m_mutex.unlock(); }

private:
    std::mutex m_mutex;
};

} // namespace mirrow2
