#pragma once
// Keeps the pages of a database within a memory budget.
//
// Containers register their pages (add_page) and reach a page's items only through
// lock_page, which pages the page in when it is out and marks it most recently used. Whenever
// the resident pages exceed the budget, the pager pages out the least recently used pages that
// are not locked and whose container can page: it writes the page file when the page is
// modified or has no file yet (page save by path), then drops the items (page release). Pages
// of containers without a serializer count against the budget but are never paged out.
//
// The bookkeeping runs under one mutex; page files are read and written outside it, so threads
// that page do not wait on each other's disk. A page whose file is in flight is marked busy:
// whoever needs it waits until it settles, so a page is never paged in or out twice at once.
// Lock order: a bucket's lock before the pager's, the pager's before a page's file mutex, never
// the reverse (the pager calls only page operations, never bucket ones).
//
// A page file that cannot be written or read back leaves the page where it was; the failure is
// kept, once per kind and reason, until take_failures hands it on to whoever tells the user.
//
// The item memory of pages that go out or away is kept, up to a quarter of the budget (at most
// spare_limit), and handed to the next pages read back: memory a process touches for the first
// time costs a fault per memory page, which took longer than reading the page file into it.

#include <ddb_2_2/page_lock.h>
#include <ddb_2_2/string.h>
#include <engine_export.h>

#include <condition_variable>
#include <cstdint>
#include <limits>
#include <list>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <unordered_map>
#include <vector>

namespace ddb_2_2 {

class page_base;
class pageable_database;
class spare_items;

/// What a container hands the pager with each page: the pager and the database whose save
/// directory, storage and archive kind the page files use. An empty handle means "not paged".
struct pager_handle {
    global_pager* pager = nullptr;
    pageable_database* database = nullptr;
};

class SARVIK_API global_pager {
public:
    static constexpr std::uint64_t unlimited = std::numeric_limits<std::uint64_t>::max();
    /// The most item memory kept for pages to come, whatever the budget.
    static constexpr std::uint64_t spare_limit = std::uint64_t(64) << 20;

    explicit global_pager(std::uint64_t budgetBytes = unlimited);
    ~global_pager();
    global_pager(const global_pager&) = delete;
    global_pager& operator=(const global_pager&) = delete;

    /// Changing the budget pages out at once down to the new one.
    void set_memory_budget(std::uint64_t budgetBytes);
    std::uint64_t get_memory_budget() const;
    /// Bytes of the pages that are in memory now.
    std::uint64_t get_resident_bytes() const;
    std::uint64_t get_page_out_count() const;
    std::uint64_t get_page_in_count() const;
    /// Bytes of item memory kept for pages to come.
    std::uint64_t get_spare_bytes() const;

    /// Registers a page. A page without a name gets a unique one; a page with items counts
    /// as resident, one without as paged out to its file. With a `holder` the page is locked
    /// for it. Adding does not page anything out, so that a container can add pages under its
    /// own lock without file I/O; it calls trim() once its lock is released.
    void add_page(page_base& page, const pager_handle& handle, page_lock* holder = nullptr);
    /// Pages out down to the budget.
    void trim();
    /// Forgets a page (before it is destroyed) and removes the page file the pager wrote for
    /// it, unless a saved bucket keeps that file.
    void remove_page(page_base& page);
    /// remove_page for a page about to be destroyed: its item memory is kept for pages to come.
    void retire_page(page_base& page);

    /// Locks `page` into memory for `holder`, paging it in first when it is out. False when
    /// the page could not be read back; `holder` then holds nothing.
    bool lock_page(page_base& page, const pager_handle& handle, page_lock& holder);
    /// Locks `page` only when it is in memory; never reads a file.
    bool lock_resident_page(page_base& page, page_lock& holder);
    void unlock_page(page_base& page);

    /// The page-file failures since the last call, each kind and reason once with the first file
    /// it hit: "cannot write the page file <path>: <reason>" or "cannot read back the page file
    /// <path>: <reason>".
    std::vector<string> take_failures();

private:
    struct entry;
    struct eviction;
    using lru_list = std::list<page_base*>;   // coldest first

    friend class page_lock;
    void addLock(page_base& page);
    /// `readBack`: page the page in when it is out (and keep to the budget afterwards).
    bool lockPage(page_base& page, page_lock& holder, bool readBack);
    /// The entry of `page` once no file of it is in flight; null for a page the pager does not know.
    entry* settledEntry(page_base& page, std::unique_lock<std::mutex>& lock);
    void removePage(page_base& page, bool keepItems);
    /// Pages out down to the budget; drops `lock` while the page files are written.
    void enforceBudget(std::unique_lock<std::mutex>& lock);
    std::optional<eviction> chooseEviction(const std::set<const page_base*>& skipped);
    void finishEviction(const eviction& out, bool written, const string& failure);
    /// Reads the page back, `lock` dropped meanwhile.
    bool pageIn(page_base& page, entry& e, std::unique_lock<std::mutex>& lock);
    void addFailure(const wchar_t* what, const string& path, const string& reason);
    /// Keeps `items` while the spare memory stays within its limit; else they go.
    void keepSpare(std::unique_ptr<spare_items> items);
    /// Hands `page` the smallest spare vector it takes, when one is at most twice what it needs.
    void giveSpare(page_base& page);
    string nextPageName();

    mutable std::mutex m_mutex;
    std::condition_variable m_settled;   // a page's file is no longer in flight
    std::uint64_t m_budget;
    std::uint64_t m_resident = 0;
    std::uint64_t m_pageOuts = 0;
    std::uint64_t m_pageIns = 0;
    std::uint64_t m_nameCounter = 0;
    string m_namePrefix;   // distinguishes this pager's page files from other runs'
    lru_list m_lru;   // resident pages, less those being written out
    std::unordered_map<page_base*, entry> m_entries;
    std::multimap<std::uint64_t, std::unique_ptr<spare_items>> m_spare;   // by their bytes
    std::uint64_t m_spareBytes = 0;
    std::vector<string> m_failures;   // not yet taken
    std::set<string> m_toldFailures;   // kind and reason of each failure taken or waiting
};

}  // namespace ddb_2_2
