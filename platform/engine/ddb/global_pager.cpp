#include <ddb_2_2/ddb_storage.h>
#include <ddb_2_2/global_pager.h>
#include <ddb_2_2/page_base.h>
#include <ddb_2_2/pageable_database.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <exception>
#include <optional>
#include <string>
#include <utility>

namespace ddb_2_2 {

struct global_pager::entry {
    pager_handle handle;
    unsigned locks = 0;
    bool resident = false;
    bool busy = false;        // its page file is being read or written outside the mutex
    bool wroteFile = false;   // this pager wrote the page file, so it removes it again
    lru_list::iterator lruPos{};   // valid while resident and not being written out
};

/// A page chosen to go out, with what writing its file needs once the mutex is dropped.
struct global_pager::eviction {
    page_base* page;
    pageable_database* database;
    string path;
    std::shared_ptr<ddb_storage> storage;
};

namespace {

// Page-file I/O reports failures by return value or by exception (archives throw). Returns
// why the operation failed, empty when it worked.
template <class Operation>
string fileFailure(Operation operation, const wchar_t* whenFalse)
{
    try {
        return operation() ? string() : string(whenFalse);
    } catch (const std::exception& error) {
        return string::from_utf8(error.what());
    } catch (...) {
        // The page must settle whatever was thrown, and the user still hears of it.
        return string(L"an error of unknown kind");
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
    std::unique_lock<std::mutex> lock(m_mutex);
    m_budget = budgetBytes;
    enforceBudget(lock);
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

std::uint64_t global_pager::get_spare_bytes() const
{
    return readLocked(m_mutex, m_spareBytes);
}

std::vector<string> global_pager::take_failures()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return std::exchange(m_failures, {});
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
    std::unique_lock<std::mutex> lock(m_mutex);
    enforceBudget(lock);
}

void global_pager::remove_page(page_base& page)
{
    removePage(page, false);
}

void global_pager::retire_page(page_base& page)
{
    removePage(page, true);
}

void global_pager::removePage(page_base& page, bool keepItems)
{
    std::shared_ptr<ddb_storage> storage;
    string path;
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        entry* e = settledEntry(page, lock);
        if (!e)
            return;
        if (e->resident) {
            m_resident -= page.get_memory_size();
            m_lru.erase(e->lruPos);
            // Only a database with page files reads pages back, which is where spares go.
            if (keepItems && e->handle.database && !e->handle.database->get_database_save_dir().empty())
                keepSpare(page.take_items());
        }
        if (e->wroteFile && !page.is_file_kept() && e->handle.database) {
            path = page.get_file_path(e->handle.database->get_database_save_dir());
            storage = e->handle.database->get_storage_for_path(path);
        }
        m_entries.erase(&page);
    }
    if (storage)
        storage->remove_file(path);
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
    std::unique_lock<std::mutex> lock(m_mutex);
    entry* e = settledEntry(page, lock);
    if (!e)
        return page.has_items();
    if (!e->resident && (!readBack || !pageIn(page, *e, lock)))
        return false;
    ++e->locks;
    m_lru.splice(m_lru.end(), m_lru, e->lruPos);
    holder = page_lock(this, &page);
    if (readBack)
        enforceBudget(lock);
    return true;
}

void global_pager::unlock_page(page_base& page)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    const auto found = m_entries.find(&page);
    if (found == m_entries.end() || found->second.locks == 0)
        return;
    --found->second.locks;
    enforceBudget(lock);
}

void global_pager::addLock(page_base& page)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto found = m_entries.find(&page);
    if (found != m_entries.end())
        ++found->second.locks;
}

global_pager::entry* global_pager::settledEntry(page_base& page, std::unique_lock<std::mutex>& lock)
{
    // Entries are nodes: other pages coming and going while this thread waits leave it valid,
    // and a busy page's entry is never erased.
    for (;;) {
        const auto found = m_entries.find(&page);
        if (found == m_entries.end())
            return nullptr;
        if (!found->second.busy)
            return &found->second;
        m_settled.wait(lock);
    }
}

// One page at a time, so that only the page whose file is in flight keeps others waiting. A page
// that fails goes back as the most recent and is not tried again in this round.
void global_pager::enforceBudget(std::unique_lock<std::mutex>& lock)
{
    std::set<const page_base*> failed;
    while (const std::optional<eviction> out = chooseEviction(failed)) {
        lock.unlock();
        // Written when modified or when it has no file yet.
        const bool write = out->page->is_modified() || !out->storage->file_exists(out->path);
        string failure;
        if (write)
            failure = fileFailure([&] { return out->page->save(out->path, *out->database); }, L"the file did not open");
        std::unique_ptr<spare_items> spare;
        if (failure.empty())
            spare = out->page->take_items();
        lock.lock();
        finishEviction(*out, write, failure);
        keepSpare(std::move(spare));
        m_settled.notify_all();
        if (!failure.empty())
            failed.insert(out->page);
    }
}

// The coldest unlocked page while the resident bytes are over the budget, marked busy and taken
// off the recency list while its file is written.
std::optional<global_pager::eviction> global_pager::chooseEviction(const std::set<const page_base*>& skipped)
{
    for (auto it = m_lru.begin(); m_resident > m_budget && it != m_lru.end(); ++it) {
        page_base* page = *it;
        entry& e = m_entries[page];
        pageable_database* db = e.handle.database;
        // Without a save directory no page of the database can go out: walking on would make
        // every append over the budget cost time in the number of pages.
        if (!db || db->get_database_save_dir().empty())
            break;
        if (e.locks > 0 || !page->can_page() || skipped.count(page))
            continue;
        string path = page->get_file_path(db->get_database_save_dir());
        auto storage = db->get_storage_for_path(path);
        if (!storage)
            continue;
        e.busy = true;
        m_lru.erase(it);
        return eviction{page, db, std::move(path), std::move(storage)};
    }
    return std::nullopt;
}

void global_pager::finishEviction(const eviction& out, bool written, const string& failure)
{
    entry& e = m_entries[out.page];
    e.busy = false;
    if (!failure.empty()) {
        // The page stays in memory, as the most recent, so the next trim tries other pages first.
        e.lruPos = m_lru.insert(m_lru.end(), out.page);
        addFailure(L"cannot write the page file ", out.path, failure);
        return;
    }
    if (written) {
        e.wroteFile = true;
        out.page->set_modified(false);
    }
    m_resident -= out.page->get_memory_size();
    e.resident = false;
    ++m_pageOuts;
}

bool global_pager::pageIn(page_base& page, entry& e, std::unique_lock<std::mutex>& lock)
{
    pageable_database* db = e.handle.database;
    if (!db)
        return false;
    const string path = page.get_file_path(db->get_database_save_dir());
    giveSpare(page);
    e.busy = true;
    lock.unlock();
    string failure = fileFailure([&] { return page.load(path, *db); }, L"the file is missing or empty");
    if (failure.empty() && !page.has_items())
        failure = string(L"the file holds no items");
    std::unique_ptr<spare_items> spare;
    if (failure.empty())
        page.set_modified(false);
    else
        spare = page.take_items();
    lock.lock();
    keepSpare(std::move(spare));
    e.busy = false;
    m_settled.notify_all();
    if (!failure.empty()) {
        addFailure(L"cannot read back the page file ", path, failure);
        return false;
    }
    e.resident = true;
    m_resident += page.get_memory_size();
    e.lruPos = m_lru.insert(m_lru.end(), &page);
    ++m_pageIns;
    return true;
}

void global_pager::keepSpare(std::unique_ptr<spare_items> items)
{
    if (!items)
        return;
    const std::uint64_t bytes = items->get_bytes();
    const std::uint64_t limit = std::min(m_budget / 4, spare_limit);
    if (bytes == 0 || bytes > limit - std::min(limit, m_spareBytes))
        return;
    m_spareBytes += bytes;
    m_spare.emplace(bytes, std::move(items));
}

// Best fit, so that small pages do not take the memory large ones need; a page never holds more
// than twice what it asks, so what the pager counts stays near what the pages hold. Spares are
// kept by size: a pager holding thousands of small ones finds a fit without walking them all.
void global_pager::giveSpare(page_base& page)
{
    const std::uint64_t wanted = page.get_memory_size();
    for (auto it = m_spare.lower_bound(wanted); it != m_spare.end() && it->first / 2 <= wanted; ++it) {
        if (page.adopt_items(it->second)) {
            m_spareBytes -= it->first;
            m_spare.erase(it);
            return;
        }
    }
}

// A full disk fails every page the same way: the user hears of it once, with the first file.
void global_pager::addFailure(const wchar_t* what, const string& path, const string& reason)
{
    if (m_toldFailures.insert(string(what) + reason).second)
        m_failures.push_back(string(what) + path + string(L": ") + reason);
}

string global_pager::nextPageName()
{
    return m_namePrefix + string(std::to_wstring(++m_nameCounter));
}

}  // namespace ddb_2_2
