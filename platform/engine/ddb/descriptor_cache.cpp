#include "ddb/descriptor_cache.h"

#include <unistd.h>

namespace ddb_2_2 {

descriptor_cache::~descriptor_cache()
{
    for (const entry& kept : m_idle)
        ::close(kept.second);
}

int descriptor_cache::take(const std::string& path)
{
    const std::lock_guard<std::mutex> guard(m_lock);
    const auto found = m_byPath.find(path);
    if (found == m_byPath.end())
        return -1;
    const int descriptor = found->second->second;
    m_idle.erase(found->second);
    m_byPath.erase(found);
    return descriptor;
}

void descriptor_cache::give(const std::string& path, int descriptor)
{
    int closing = descriptor;   // closed after the lock is released
    {
        const std::lock_guard<std::mutex> guard(m_lock);
        if (m_capacity > 0 && m_byPath.find(path) == m_byPath.end()) {
            m_idle.emplace_front(path, descriptor);
            m_byPath.emplace(path, m_idle.begin());
            closing = -1;
            if (m_idle.size() > m_capacity) {
                closing = m_idle.back().second;
                m_byPath.erase(m_idle.back().first);
                m_idle.pop_back();
            }
        }
    }
    if (closing >= 0)
        ::close(closing);
}

void descriptor_cache::forget(const std::string& path)
{
    const int descriptor = take(path);
    if (descriptor >= 0)
        ::close(descriptor);
}

}  // namespace ddb_2_2
