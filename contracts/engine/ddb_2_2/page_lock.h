#pragma once
// Holds one page locked in memory: while a page_lock holds a page, the pager neither pages it
// out nor drops its items. Filled by global_pager::lock_page; releasing, destroying or
// reassigning the holder unlocks. Copies lock the page again.

#include <engine_export.h>

namespace ddb_2_2 {

class global_pager;
class page_base;

class SARVIK_API page_lock {
public:
    page_lock() = default;
    ~page_lock();
    page_lock(const page_lock& other);
    page_lock& operator=(const page_lock& other);
    page_lock(page_lock&& other) noexcept;
    page_lock& operator=(page_lock&& other) noexcept;

    void release();

private:
    friend class global_pager;
    page_lock(global_pager* pager, page_base* page) : m_pager(pager), m_page(page) {}

    global_pager* m_pager = nullptr;   // null for a page no pager manages
    page_base* m_page = nullptr;
};

}  // namespace ddb_2_2
