#include <ddb_2_2/ddb_storage.h>
#include <ddb_2_2/global_pager.h>
#include <ddb_2_2/page_base.h>
#include <ddb_2_2/pageable_database.h>

#include <unistd.h>

#include <chrono>
#include <string>

namespace ddb_2_2 {

struct global_pager::entry {
    pager_handle handle;
    unsigned locks = 0;
    bool resident = false;
    bool wroteFile = false;   // this pager wrote the page file, so it removes it again
    lru_list::iterator lruPos{};   // valid while resident
};

namespace {

// Page-file I/O reports failures by return value or by exception (archives throw); the
// pager treats both the same: the page stays where it is.
template <class Operation>
bool runFileOperation(Operation operation)
{
    try {
        return operation();
    } catch (...) {
        return false;
    }
}

// A copy of `value` taken under `mutex`: the pager's counters change on every thread that pages.
template <class Value>
Value readLocked(std::mutex& mutex, const Value& value)
{
    std::lock_guard<std::mutex> lock(mutex);
    return value;
}

}  // namespace

global_pager::global_pager(std::uint64_t budgetBytes) : m_budget(budgetBytes)
{
    const auto clock = std::chrono::steady_clock::now().time_since_epoch().count();
    m_namePrefix = string(L"pg") + string(std::to_wstring(::getpid())) + string(L"_") +
                   string(std::to_wstring(static_cast<unsigned long long>(clock) & 0xFFFFFFFFFFull)) + string(L"_");
}

global_pager::~global_pager() = default;

void global_pager::set_memory_budget(std::uint64_t budgetBytes)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_budget = budgetBytes;
    enforceBudget();
}

std::uint64_t global_pager::get_memory_budget() const
{
    return readLocked(m_mutex, m_budget);
}

std::uint64_t global_pager::get_resident_bytes() const
{
    return readLocked(m_mutex, m_resident);
}

std::uint64_t global_pager::get_page_out_count() const
{
    return readLocked(m_mutex, m_pageOuts);
}

std::uint64_t global_pager::get_page_in_count() const
{
    return readLocked(m_mutex, m_pageIns);
}

void global_pager::add_page(page_base& page, const pager_handle& handle, page_lock* holder)
{
    if (holder)
        holder->release();   // before taking the mutex: releasing takes it too
    std::lock_guard<std::mutex> lock(m_mutex);
    if (page.get_name().empty())
        page.set_name(nextPageName());
    entry& e = m_entries[&page];
    e.handle = handle;
    if (page.has_items()) {
        e.resident = true;
        m_resident += page.get_memory_size();
        e.lruPos = m_lru.insert(m_lru.end(), &page);
    }
    if (holder && e.resident) {
        ++e.locks;
        *holder = page_lock(this, &page);
    }
}

void global_pager::trim()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    enforceBudget();
}

void global_pager::remove_page(page_base& page)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto found = m_entries.find(&page);
    if (found == m_entries.end())
        return;
    entry& e = found->second;
    if (e.resident) {
        m_resident -= page.get_memory_size();
        m_lru.erase(e.lruPos);
    }
    if (e.wroteFile && !page.is_file_kept() && e.handle.database) {
        const string path = page.get_file_path(e.handle.database->get_database_save_dir());
        if (const auto storage = e.handle.database->get_storage_for_path(path))
            storage->remove_file(path);
    }
    m_entries.erase(found);
}

bool global_pager::lock_page(page_base& page, const pager_handle&, page_lock& holder)
{
    return lockPage(page, holder, true);
}

bool global_pager::lock_resident_page(page_base& page, page_lock& holder)
{
    return lockPage(page, holder, false);
}

// Pages the pager does not know are never paged out: they lock when they hold items.
bool global_pager::lockPage(page_base& page, page_lock& holder, bool readBack)
{
    holder.release();
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto found = m_entries.find(&page);
    if (found == m_entries.end())
        return page.has_items();
    entry& e = found->second;
    if (!e.resident && (!readBack || !pageIn(page, e)))
        return false;
    ++e.locks;
    m_lru.splice(m_lru.end(), m_lru, e.lruPos);
    holder = page_lock(this, &page);
    if (readBack)
        enforceBudget();
    return true;
}

void global_pager::unlock_page(page_base& page)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto found = m_entries.find(&page);
    if (found == m_entries.end() || found->second.locks == 0)
        return;
    --found->second.locks;
    enforceBudget();
}

void global_pager::addLock(page_base& page)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto found = m_entries.find(&page);
    if (found != m_entries.end())
        ++found->second.locks;
}

void global_pager::enforceBudget()
{
    auto it = m_lru.begin();
    while (m_resident > m_budget && it != m_lru.end()) {
        page_base* page = *it++;
        entry& e = m_entries[page];
        // Without a save directory no page of the database can go out: walking on would make
        // every append over the budget cost time in the number of pages.
        if (!e.handle.database || e.handle.database->get_database_save_dir().empty())
            return;
        if (e.locks == 0)
            pageOut(*page, e);
    }
}

bool global_pager::pageOut(page_base& page, entry& e)
{
    pageable_database* db = e.handle.database;
    if (!db || !page.can_page())
        return false;
    const string saveDir = db->get_database_save_dir();
    if (saveDir.empty())
        return false;
    const string path = page.get_file_path(saveDir);
    const auto storage = db->get_storage_for_path(path);
    if (!storage)
        return false;
    if (page.is_modified() || !storage->file_exists(path)) {
        if (!runFileOperation([&] { return page.save(path, *db); }))
            return false;
        e.wroteFile = true;
        page.set_modified(false);
    }
    page.release();
    m_resident -= page.get_memory_size();
    m_lru.erase(e.lruPos);
    e.resident = false;
    ++m_pageOuts;
    return true;
}

bool global_pager::pageIn(page_base& page, entry& e)
{
    pageable_database* db = e.handle.database;
    if (!db)
        return false;
    const string path = page.get_file_path(db->get_database_save_dir());
    const bool loaded = runFileOperation([&] { return page.load(path, *db); });
    if (!loaded || !page.has_items()) {
        page.release();
        return false;
    }
    page.set_modified(false);
    e.resident = true;
    m_resident += page.get_memory_size();
    e.lruPos = m_lru.insert(m_lru.end(), &page);
    ++m_pageIns;
    return true;
}

string global_pager::nextPageName()
{
    return m_namePrefix + string(std::to_wstring(++m_nameCounter));
}

}  // namespace ddb_2_2
