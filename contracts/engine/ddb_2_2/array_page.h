#pragma once
// A page of up to `capacity` items of one key of a paged_bucket.
//
// The item vector is absent while the page is paged out; callers reach the items only while
// they hold the page locked through the pager (page_lock), which pages it back in. The first
// item is also kept outside the vector, so a page can be located without reading it.
//
// The base operations cannot save or load: an item type that is to be paged gets a subclass
// overriding load, save and can_page, handed out by its bucket's create_page().

#include <ddb_2_2/page_base.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace ddb_2_2 {

template <class T>
class array_page : public page_base {
public:
    using item_type = T;

    array_page() = default;

    bool has_items() const override { return m_items != nullptr; }

    /// Keeps the vector it has (emptied) when that holds the capacity already.
    void allocate() override
    {
        if (m_items && m_items->capacity() >= get_capacity()) {
            m_items->clear();
        } else {
            m_items = std::make_unique<std::vector<T>>();
            m_items->reserve(get_capacity());
        }
        update_memory_size();
    }

    void release() override { m_items.reset(); }

    std::unique_ptr<spare_items> take_items() override
    {
        if (!m_items)
            return nullptr;
        auto spare = std::make_unique<spare_vector>();
        spare->items = std::move(m_items);
        spare->items->clear();
        return spare;
    }

    bool adopt_items(std::unique_ptr<spare_items>& spare) override
    {
        auto* mine = dynamic_cast<spare_vector*>(spare.get());
        if (m_items || !mine || mine->items->capacity() < get_capacity())
            return false;
        m_items = std::move(mine->items);
        spare.reset();
        update_memory_size();
        return true;
    }

    /// The item vector; null while paged out.
    std::vector<T>* get_items() { return m_items.get(); }
    const std::vector<T>* get_items() const { return m_items.get(); }

    std::size_t size() const { return m_items ? m_items->size() : 0; }
    bool full() const { return size() >= get_capacity(); }

    const T& get_first_item() const { return m_firstItem; }
    void set_first_item(const T& item) { m_firstItem = item; }

    /// Appends to a resident page and marks it modified.
    void push_back(const T& item)
    {
        if (m_items->empty())
            m_firstItem = item;
        m_items->push_back(item);
        update_memory_size();
        set_modified(true);
    }

    /// Re-reads the vector's allocation after it was filled from outside (page load).
    void update_memory_size()
    {
        const std::size_t slots = m_items ? std::max<std::size_t>(m_items->capacity(), get_capacity()) : 0;
        set_memory_size(static_cast<std::uint64_t>(slots) * sizeof(T));
    }

private:
    struct spare_vector : spare_items {
        std::unique_ptr<std::vector<T>> items;
        std::uint64_t get_bytes() const override { return std::uint64_t(items->capacity()) * sizeof(T); }
    };

    std::unique_ptr<std::vector<T>> m_items;
    T m_firstItem{};
};

}  // namespace ddb_2_2
