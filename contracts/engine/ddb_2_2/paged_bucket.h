#pragma once
// A map from a key to that key's items, kept in pages of up to 512 items each, unless the
// bucket's page type asks for pages sized to the batch being appended.
//
// Filling: append() adds items at the end of a key's list; it takes the bucket's
// reader-writer lock as a writer, so worker threads may fill different keys at once (batch
// appends take the lock once per batch). Reading: find(key) walks one key's items in append
// order, begin()/end() walk every item in key order; iterators take the lock as readers when
// they move to another page and keep their current page locked in memory. Reading a key while
// another thread still appends to that same key, or clearing while iterators exist, is not
// supported.
//
// Paging: after attach(db), the bucket's pages are registered with the database's pager and
// may be written to page files and read back. Pages are made by the virtual create_page(), so
// the code that constructs the bucket decides the page type (and with it whether and how pages
// are serialized); code that only fills or reads a bucket never instantiates page save or load.
// Without attach(), or when the page type cannot page, everything stays in memory.
//
// The database passed to attach() must outlive the bucket.

#include <ddb_2_2/array_page.h>
#include <ddb_2_2/global_pager.h>
#include <ddb_2_2/pageable_database.h>

#include <tbb/spin_rw_mutex.h>

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <map>
#include <memory>
#include <vector>

namespace ddb_2_2 {

template <class T, class Key = typename T::key>
class paged_bucket : public pageable_container {
public:
    using item_type = T;
    using key_type = Key;
    using page_type = array_page<T>;
    using page_list = std::vector<std::unique_ptr<page_type>>;
    using page_map = std::map<Key, page_list>;
    using mutex_type = tbb::spin_rw_mutex;
    class const_iterator;

    paged_bucket() = default;
    ~paged_bucket() override { unregisterAll(true); }

    /// From now on the bucket's pages, those it has and those it makes, go through `db`'s
    /// pager and files. Attaching again to the same database does nothing.
    void attach(pageable_database& db)
    {
        {
            mutex_type::scoped_lock lock(m_mutex, true);
            if (m_handle.database == &db)
                return;
            unregisterAll();
            m_handle = pager_handle{&db.get_pager(), &db};
            for (auto& entry : m_pages)
                for (auto& page : entry.second)
                    register_page(*page);
        }
        m_handle.pager->trim();
    }
    const pager_handle& get_pager_handle() const { return m_handle; }
    /// The directory page files go to; empty while not attached.
    string get_database_save_dir() const
    {
        return m_handle.database ? m_handle.database->get_database_save_dir() : string();
    }

    void append(const Key& key, const T& item) { append(key, &item, 1); }
    void append(const Key& key, const std::vector<T>& items) { append(key, items.data(), items.size()); }
    void append(const Key& key, const T* items, std::size_t count)
    {
        {
            mutex_type::scoped_lock lock(m_mutex, true);
            page_list& pages = m_pages[key];
            std::size_t done = 0;
            while (done < count) {
                page_lock pin;
                // A last page that is paged out is not read back here (that would read a file
                // under the bucket's lock); the items go to a new page instead.
                if (pages.empty() || !lockResidentPage(*pages.back(), pin) || pages.back()->full())
                    pages.push_back(makeResidentPage(pin, count - done));
                page_type& page = *pages.back();
                while (done < count && !page.full())
                    page.push_back(items[done++]);
            }
            set_modified(true);
        }
        if (m_handle.pager)
            m_handle.pager->trim();
    }

    bool empty() const
    {
        mutex_type::scoped_lock lock(m_mutex, false);
        return m_pages.empty();
    }
    std::size_t get_key_count() const
    {
        mutex_type::scoped_lock lock(m_mutex, false);
        return m_pages.size();
    }
    std::vector<Key> get_keys() const
    {
        mutex_type::scoped_lock lock(m_mutex, false);
        std::vector<Key> keys;
        keys.reserve(m_pages.size());
        for (const auto& entry : m_pages)
            keys.push_back(entry.first);
        return keys;
    }
    /// Items of `key`; pages that are out are read back to count them.
    std::size_t get_item_count(const Key& key) const
    {
        std::size_t total = 0;
        for (const_iterator it = find(key); !it.at_end(); ++it)
            ++total;
        return total;
    }

    /// Every item, in key order and within a key in append order.
    const_iterator begin() const { return const_iterator(this, false, nullptr); }
    const_iterator end() const { return const_iterator(this); }
    /// The items of one key; an iterator at its end when the key has none.
    const_iterator find(const Key& key) const { return const_iterator(this, true, &key); }

    /// Removes every key and page.
    void clear()
    {
        mutex_type::scoped_lock lock(m_mutex, true);
        unregisterAll(true);
        m_pages.clear();
        set_modified(true);
    }

    std::uint32_t get_bucket_word() const { return m_bucketWord; }
    void set_bucket_word(std::uint32_t word) { m_bucketWord = word; }

    // --- for the serializers of a bucket: hold get_mutex() while using the map ---
    mutex_type& get_mutex() const { return m_mutex; }
    page_map& get_page_map() { return m_pages; }
    const page_map& get_page_map() const { return m_pages; }
    /// A new page of this bucket's page type, not yet registered and without items.
    std::unique_ptr<page_type> new_page() const { return create_page(); }
    /// Hands a page to the pager (after its fields are set); see global_pager::add_page.
    void register_page(page_type& page, page_lock* pin = nullptr) const
    {
        if (m_handle.pager)
            m_handle.pager->add_page(page, m_handle, pin);
    }
    /// Locks a page's items in memory; for a bucket without pager, true when it has items.
    bool lock_page(page_type& page, page_lock& pin) const
    {
        if (m_handle.pager)
            return m_handle.pager->lock_page(page, m_handle, pin);
        return page.has_items();
    }

protected:
    /// The page type of this bucket; override to make pages that can be saved and loaded.
    virtual std::unique_ptr<page_type> create_page() const { return std::make_unique<page_type>(); }
    /// The capacity of a page made while `pending` items of one batch remain to be placed.
    virtual std::uint32_t capacity_for(std::size_t /*pending*/) const { return page_base::default_capacity; }

private:
    std::unique_ptr<page_type> makeResidentPage(page_lock& pin, std::size_t pending)
    {
        std::unique_ptr<page_type> page = create_page();
        page->set_capacity(capacity_for(pending));
        page->allocate();
        register_page(*page, &pin);
        return page;
    }

    bool lockResidentPage(page_type& page, page_lock& pin) const
    {
        return m_handle.pager ? m_handle.pager->lock_resident_page(page, pin) : page.has_items();
    }

    /// `retire`: the pages are about to be destroyed, so their item memory may serve others.
    void unregisterAll(bool retire = false)
    {
        if (!m_handle.pager)
            return;
        for (auto& entry : m_pages)
            for (auto& page : entry.second) {
                if (retire)
                    m_handle.pager->retire_page(*page);
                else
                    m_handle.pager->remove_page(*page);
            }
    }

    mutable mutex_type m_mutex;
    page_map m_pages;
    pager_handle m_handle;
    std::uint32_t m_bucketWord = 0;
};

template <class T, class Key>
class paged_bucket<T, Key>::const_iterator {
public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = T;
    using difference_type = std::ptrdiff_t;
    using pointer = const T*;
    using reference = const T&;

    /// An invalid iterator (what a query leaves when it found nothing to position on).
    const_iterator() = default;

    bool is_valid() const { return m_bucket != nullptr; }
    /// True for an invalid iterator too, so `!it.at_end()` is a complete loop test.
    bool at_end() const { return !m_bucket || m_key == m_bucket->m_pages.end(); }
    /// A page of the walk could not be read back from its file; the walk ended there.
    bool failed() const { return m_failed; }
    const Key& get_key() const { return m_key->first; }

    reference operator*() const { return *m_item; }
    pointer operator->() const { return m_item; }
    const_iterator& operator++()
    {
        if (++m_item == m_pageEnd) {
            ++m_page;
            settle();
        }
        return *this;
    }
    const_iterator operator++(int)
    {
        const_iterator before = *this;
        ++*this;
        return before;
    }

    // An iterator on an item points into its page's items, which stay where they are while it
    // holds the page; every other iterator points nowhere. A walk's test against the end then
    // compares two pointers.
    friend bool operator==(const const_iterator& a, const const_iterator& b)
    {
        if (a.m_item != b.m_item)
            return false;
        return a.m_item || (a.at_end() == b.at_end() && a.m_bucket == b.m_bucket);
    }
    friend bool operator!=(const const_iterator& a, const const_iterator& b) { return !(a == b); }

private:
    friend class paged_bucket;
    using map_iterator = typename page_map::const_iterator;

    explicit const_iterator(const paged_bucket* bucket) : m_bucket(bucket), m_key(bucket->m_pages.end()) {}
    const_iterator(const paged_bucket* bucket, bool singleKey, const Key* key)
        : m_bucket(bucket), m_singleKey(singleKey)
    {
        {
            mutex_type::scoped_lock lock(m_bucket->m_mutex, false);
            m_key = key ? m_bucket->m_pages.find(*key) : m_bucket->m_pages.begin();
        }
        settle();
    }

    // Moves forward from (m_key, m_page) to the first item that exists and locks its
    // page in memory; ends the walk at the key's end (one key) or the bucket's end. The page is
    // paged in without the bucket's lock, so readers never hold up writers with file reads.
    void settle()
    {
        m_pin.release();
        m_item = nullptr;
        m_pageEnd = nullptr;
        for (;;) {
            page_type* page = nextPage();
            if (!page) {
                m_page = 0;
                return;
            }
            if (!m_bucket->lock_page(*page, m_pin)) {
                m_failed = true;
                m_key = m_bucket->m_pages.end();
                return;
            }
            if (page->size() > 0) {
                m_item = page->get_items()->data();
                m_pageEnd = m_item + page->size();
                return;
            }
            m_pin.release();
            ++m_page;
        }
    }

    // The page at or after (m_key, m_page); null at the end of the walk.
    page_type* nextPage()
    {
        mutex_type::scoped_lock lock(m_bucket->m_mutex, false);
        const auto end = m_bucket->m_pages.end();
        while (m_key != end) {
            const page_list& pages = m_key->second;
            if (m_page < pages.size())
                return pages[m_page].get();
            m_page = 0;
            if (m_singleKey)
                m_key = end;
            else
                ++m_key;
        }
        return nullptr;
    }

    const paged_bucket* m_bucket = nullptr;
    map_iterator m_key{};
    bool m_singleKey = false;
    bool m_failed = false;
    std::size_t m_page = 0;
    page_lock m_pin;
    // The current item and the end of its page's items, valid while m_pin holds the page.
    const T* m_item = nullptr;
    const T* m_pageEnd = nullptr;
};

}  // namespace ddb_2_2
