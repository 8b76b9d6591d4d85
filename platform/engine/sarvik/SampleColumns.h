#pragma once
// The samples of one sample table in the compact form the engine keeps them in, sorted by
// (row, start): a start offset (4 bytes), a length (4 bytes), and the instance (low 24 bits) with
// the count (high 8 bits) in 4 bytes, side by side in one 12-byte cell per sample, so a billion
// samples take 12 GB and a scan reads one stream. A start is an offset from the 64-bit base of
// its block, a run of consecutive samples whose starts lie within 2^32 ticks above the base;
// blocks are few (at most about one per row and per 2^31 ticks of a row's time), so they cost
// bytes per row, not per sample. The row is not stored per sample: the row ranges give it.
// Lengths that do not fit 32 bits, and instances or counts that do not fit their bits, are kept
// aside by sample index.
//
// Filled by append() in any order (sorted input, the usual case, is never copied), then
// finish(); immutable afterwards.

#include <engine_export.h>
#include <dd_sarvik_2_2/dd_row_ranges.h>
#include <dd_sarvik_2_2/store/ResultRecords.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace dd_sarvik_2_2 {

class SARVIK_API SampleColumns {
public:
    /// Room for `samples` samples in all, taken exactly (the loader knows the count).
    void reserve(std::size_t samples);
    void append(const store::SampleRecord& sample);
    /// Sorts by (row, start) when the samples came out of order, and returns spare capacity.
    void finish();

    std::size_t size() const { return m_cells.size(); }
    const dd_row_ranges& rows() const { return m_rows; }
    /// The instance and count of a sample, which share one packed word.
    struct Tag {
        std::int32_t instance;
        std::uint32_t count;
    };
    /// One sample as a scan reads it (the row is the caller's).
    struct Sample {
        std::uint64_t start;
        std::uint64_t end;
        Tag tag;
    };

    /// Random access finds the sample's block first; scans use forEach().
    std::uint64_t start(std::size_t i) const { return blockAt(i).base + m_cells[i].startOffset; }
    std::uint64_t end(std::size_t i) const { return start(i) + lengthOf(m_cells[i].length, i); }
    /// Sample i's instance and count.
    Tag tag(std::size_t i) const { return tagOf(m_cells[i].packed, i); }
    /// Sample i as a record of row `row` (the row whose range holds i).
    store::SampleRecord record(std::size_t i, std::int32_t row) const
    {
        const Tag t = tag(i);
        return {row, start(i), end(i), t.count, t.instance};
    }

    /// Calls visit(sample) for the samples of [begin, end) in order until it returns false, and
    /// returns the index of the sample it returned false for (`end` when it never did). The
    /// scans of over-time queries run through here, a block at a time, with the cells in a
    /// local: a start costs an add, and the visitor's stores cannot make it be read again.
    template <class Visit>
    std::size_t forEach(std::size_t begin, std::size_t end, const Visit& visit) const
    {
        const Cell* const cells = m_cells.data();
        for (std::size_t i = begin; i < end;) {
            const Block block = blockAt(i);
            const std::size_t blockEnd = std::min(end, block.end);
            for (; i < blockEnd; ++i) {
                const Cell cell = cells[i];
                const std::uint64_t start = block.base + cell.startOffset;
                if (!visit(Sample{start, start + lengthOf(cell.length, i), tagOf(cell.packed, i)}))
                    return i;
            }
        }
        return end;
    }

private:
    struct Cell {
        std::uint32_t startOffset;   // from the base of the sample's block
        std::uint32_t length;
        std::uint32_t packed;        // instance and count
    };
    struct Escape {
        std::size_t index;
        std::int32_t instance;
        std::uint32_t count;
    };
    /// Where a block starts in the columns and the tick its offsets count from.
    struct BlockStart {
        std::size_t first;
        std::uint64_t base;
    };
    /// The block holding a sample: its base and the index after its last sample.
    struct Block {
        std::uint64_t base;
        std::size_t end;
    };
    static constexpr std::uint32_t longLength = UINT32_MAX;   // the length is in m_longLengths
    static constexpr int instanceBits = 24;
    static constexpr std::uint32_t instanceMask = (1u << instanceBits) - 1;
    static constexpr std::uint32_t escaped = UINT32_MAX;      // instance and count are in m_escapes
    // Bases are multiples of 2^31, so a block reaches at least 2^31 ticks past the start that
    // opened it, and rows that begin a little earlier than the last one ended mostly share it.
    static constexpr std::uint64_t baseAlignment = std::uint64_t{1} << 31;

    Block blockAt(std::size_t i) const;
    std::uint64_t lengthOf(std::uint32_t length, std::size_t i) const
    {
        return length != longLength ? length : longLengthOf(i);
    }
    Tag tagOf(std::uint32_t packed, std::size_t i) const
    {
        if (packed == escaped) {
            const Escape& e = escapeOf(i);
            return {e.instance, e.count};
        }
        return {static_cast<std::int32_t>(packed & instanceMask), packed >> instanceBits};
    }
    std::uint64_t longLengthOf(std::size_t i) const;
    const Escape& escapeOf(std::size_t i) const;
    std::uint32_t startOffsetOf(std::uint64_t start);
    bool inOrderAfterLast(const store::SampleRecord& sample) const;
    void sortByRowAndStart();

    std::vector<Cell> m_cells;
    std::vector<BlockStart> m_blocks;   // ascending by first
    std::vector<std::pair<std::size_t, std::uint64_t>> m_longLengths;   // by sample index
    std::vector<Escape> m_escapes;                                      // by sample index
    dd_row_ranges m_rows;                  // while sorted
    bool m_sorted = true;
    std::vector<std::int32_t> m_rowOfSample;   // once a sample came out of order, until finish()
};

}  // namespace dd_sarvik_2_2
