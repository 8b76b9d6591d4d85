#include <ddb_2_2/global_pager.h>
#include <ddb_2_2/page_lock.h>

#include <utility>

namespace ddb_2_2 {

page_lock::~page_lock() { release(); }

page_lock::page_lock(const page_lock& other) : m_pager(other.m_pager), m_page(other.m_page)
{
    if (m_pager && m_page)
        m_pager->addLock(*m_page);
}

page_lock& page_lock::operator=(const page_lock& other)
{
    if (this != &other) {
        page_lock copy(other);
        *this = std::move(copy);
    }
    return *this;
}

page_lock::page_lock(page_lock&& other) noexcept
    : m_pager(std::exchange(other.m_pager, nullptr)), m_page(std::exchange(other.m_page, nullptr))
{
}

page_lock& page_lock::operator=(page_lock&& other) noexcept
{
    if (this != &other) {
        release();
        m_pager = std::exchange(other.m_pager, nullptr);
        m_page = std::exchange(other.m_page, nullptr);
    }
    return *this;
}

void page_lock::release()
{
    if (m_pager && m_page)
        m_pager->unlock_page(*m_page);
    m_pager = nullptr;
    m_page = nullptr;
}

}  // namespace ddb_2_2
