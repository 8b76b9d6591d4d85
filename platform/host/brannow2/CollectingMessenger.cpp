#include <brannow2/CollectingMessenger.h>

namespace brannow2 {

void CollectingMessenger::message(int kind, const std::wstring& text)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_messages.push_back({kind, text});
}

std::vector<CollectingMessenger::Message> CollectingMessenger::messages() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_messages;
}

std::size_t CollectingMessenger::count() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_messages.size();
}

void CollectingMessenger::clear()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_messages.clear();
}

} // namespace brannow2
