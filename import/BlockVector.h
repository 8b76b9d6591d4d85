#pragma once
// Records appended in blocks of a fixed size that never move: a record vector of millions that
// doubles as it fills copies all it holds each time and touches twice the memory, which on
// large traces cost a tenth of an import; reserving ahead needs a count nobody knows until the
// input is read. A block is one huge page (HugePages). Appending and reading in order is all it
// offers.
//
//   BlockVector<Span> spans;  spans.push_back(span);  for (const Span& span : spans) ...
#include "HugePages.h"

#include <cstddef>
#include <iterator>
#include <vector>

namespace velmora_import {

template <class Record>
class BlockVector {
    static constexpr std::size_t BLOCK_BYTES = HugePages::SIZE;
    using Block = std::vector<Record, HugePages::Allocator<Record>>;

public:
    static constexpr std::size_t PER_BLOCK = BLOCK_BYTES / sizeof(Record) > 0 ? BLOCK_BYTES / sizeof(Record) : 1;

    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = Record;
        using difference_type = std::ptrdiff_t;
        using pointer = const Record*;
        using reference = const Record&;

        const Record& operator*() const { return (*m_block)[m_offset]; }
        const Record* operator->() const { return &**this; }
        const_iterator& operator++()
        {
            if (++m_offset == m_block->size()) {
                ++m_block;
                m_offset = 0;
            }
            return *this;
        }
        bool operator==(const const_iterator& other) const
        {
            return m_block == other.m_block && m_offset == other.m_offset;
        }
        bool operator!=(const const_iterator& other) const { return !(*this == other); }

    private:
        friend class BlockVector;
        using BlockIterator = typename std::vector<Block>::const_iterator;
        const_iterator(BlockIterator block, std::size_t offset)
            : m_block(block)
            , m_offset(offset)
        {
        }
        BlockIterator m_block;
        std::size_t m_offset;
    };

    void push_back(const Record& record)
    {
        if (m_blocks.empty() || m_blocks.back().size() == PER_BLOCK) {
            m_blocks.emplace_back();
            m_blocks.back().reserve(PER_BLOCK);
        }
        m_blocks.back().push_back(record);
        ++m_size;
    }
    std::size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    // Every block but the last is full, so a block never ends empty.
    const_iterator begin() const { return {m_blocks.begin(), 0}; }
    const_iterator end() const { return {m_blocks.end(), 0}; }

private:
    std::vector<Block> m_blocks;
    std::size_t m_size = 0;
};

} // namespace velmora_import
