#pragma once
// What the pager needs to know of a page, whatever its item type.
//
// A page has a name (the base name of its page file), a capacity (the items it reserves), a
// word the engine keeps with it, and the bytes its item vector occupies when resident. The item
// vector itself lives in array_page<T>; allocate() and release() create and drop it and are
// called by the pager only. memory_size keeps its value while the page is paged out: it is what
// paging the page back in will cost.

#include <ddb_2_2/pageable_container.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>

namespace ddb_2_2 {

/// The item vector of a page that no longer needs it, empty but with its memory, kept by the
/// pager for the next page of the same item type that comes in.
class SARVIK_API spare_items {
public:
    virtual ~spare_items();
    /// The bytes its memory holds.
    virtual std::uint64_t get_bytes() const = 0;
};

class SARVIK_API page_base : public pageable_container {
public:
    static constexpr std::uint32_t default_capacity = 512;

    ~page_base() override;

    const string& get_name() const { return m_name; }
    void set_name(string name) { m_name = std::move(name); }
    std::uint32_t get_capacity() const { return m_capacity; }
    void set_capacity(std::uint32_t capacity) { m_capacity = capacity; }
    std::uint32_t get_page_word() const { return m_pageWord; }
    void set_page_word(std::uint32_t word) { m_pageWord = word; }
    std::uint64_t get_memory_size() const { return m_memorySize.load(); }
    void set_memory_size(std::uint64_t bytes) { m_memorySize.store(bytes); }

    /// The page file under `saveDir`: saveDir + "//" + name + ".ddb".
    string get_file_path(const string& saveDir) const;

    /// A saved bucket file refers to this page's file, so it must outlive the page.
    bool is_file_kept() const { return m_fileKept.load(); }
    void set_file_kept(bool kept) { m_fileKept.store(kept); }

    /// Held by whoever reads or writes the page file, so two writers never interleave.
    std::mutex& get_file_mutex() const { return m_fileMutex; }

    virtual bool has_items() const = 0;
    /// Creates an empty item vector reserving `capacity` slots and sets memory_size.
    virtual void allocate() = 0;
    /// Drops the item vector (page-out).
    virtual void release() = 0;
    /// Gives up the item vector, leaving the page as release() does; null when it has none.
    virtual std::unique_ptr<spare_items> take_items() = 0;
    /// Takes `spare` as its empty item vector when `spare` holds items of this page's type and
    /// room for its capacity, and returns true; else leaves both as they are. A page that still
    /// has items keeps them.
    virtual bool adopt_items(std::unique_ptr<spare_items>& spare) = 0;

protected:
    page_base() = default;

private:
    string m_name;
    std::uint32_t m_capacity = default_capacity;
    std::uint32_t m_pageWord = 0;
    std::atomic<std::uint64_t> m_memorySize{0};
    std::atomic<bool> m_fileKept{false};
    mutable std::mutex m_fileMutex;
};

}  // namespace ddb_2_2
