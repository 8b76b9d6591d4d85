#pragma once
// Encoded items that lie at a fixed stride, decoded as they are read. Handed to a vector's
// insert, they are constructed in the vector's own memory, with no block of decoded items in
// between.

#include <cstddef>
#include <iterator>

namespace velmora_1_0 {

/// `Layout` has the item type (Item), the distance between items (stride()) and the decoder
/// of the item whose encoding starts at a position (decode()).
template <class Layout>
class StridedItemIterator {
public:
    using iterator_category = std::random_access_iterator_tag;
    using value_type = typename Layout::Item;
    using difference_type = std::ptrdiff_t;
    using pointer = const value_type*;
    using reference = value_type;

    StridedItemIterator(const unsigned char* at, const Layout& layout) : m_at(at), m_layout(layout) {}

    value_type operator*() const { return m_layout.decode(m_at); }
    value_type operator[](difference_type n) const { return *(*this + n); }

    StridedItemIterator& operator++()
    {
        m_at += m_layout.stride();
        return *this;
    }
    StridedItemIterator operator++(int)
    {
        const StridedItemIterator before = *this;
        ++*this;
        return before;
    }
    StridedItemIterator& operator--()
    {
        m_at -= m_layout.stride();
        return *this;
    }
    StridedItemIterator& operator+=(difference_type n)
    {
        m_at += n * static_cast<difference_type>(m_layout.stride());
        return *this;
    }
    StridedItemIterator& operator-=(difference_type n) { return *this += -n; }
    StridedItemIterator operator+(difference_type n) const
    {
        StridedItemIterator moved = *this;
        return moved += n;
    }
    difference_type operator-(const StridedItemIterator& other) const
    {
        return (m_at - other.m_at) / static_cast<difference_type>(m_layout.stride());
    }

    friend bool operator==(const StridedItemIterator& a, const StridedItemIterator& b) { return a.m_at == b.m_at; }
    friend bool operator!=(const StridedItemIterator& a, const StridedItemIterator& b) { return a.m_at != b.m_at; }
    friend bool operator<(const StridedItemIterator& a, const StridedItemIterator& b) { return a.m_at < b.m_at; }

private:
    const unsigned char* m_at;
    Layout m_layout;
};

}  // namespace velmora_1_0
