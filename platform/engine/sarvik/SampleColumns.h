#pragma once
// The samples of one sample table in the compact form the engine keeps them in, sorted by
// (row, start): a start (8 bytes), a length (4 bytes), and the instance (low 24 bits) with the
// count (high 8 bits) in 4 bytes, 16 bytes in all, so a billion samples take 16 GB. The row is
// not stored per sample: the row ranges give it. Lengths that do not fit 32 bits, and instances
// or counts that do not fit their bits, are kept aside by sample index.
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
    void reserve(std::size_t samples);
    void append(const store::SampleRecord& sample);
    /// Sorts by (row, start) when the samples came out of order, and returns spare capacity.
    void finish();

    std::size_t size() const { return m_starts.size(); }
    const dd_row_ranges& rows() const { return m_rows; }
    std::uint64_t start(std::size_t i) const { return m_starts[i]; }
    std::uint64_t end(std::size_t i) const
    {
        return m_starts[i] + (m_lengths[i] != longLength ? m_lengths[i] : longLengthOf(i));
    }
    /// The instance and count of a sample, which share one packed word.
    struct Tag {
        std::int32_t instance;
        std::uint32_t count;
    };
    /// Sample i's instance and count from a single read of their word (the scans of over-time
    /// queries need both, once per sample).
    Tag tag(std::size_t i) const
    {
        const std::uint32_t packed = m_packed[i];
        if (packed == escaped) {
            const Escape& e = escapeOf(i);
            return {e.instance, e.count};
        }
        return {static_cast<std::int32_t>(packed & instanceMask), packed >> instanceBits};
    }
    /// Sample i as a record of row `row` (the row whose range holds i).
    store::SampleRecord record(std::size_t i, std::int32_t row) const
    {
        const Tag t = tag(i);
        return {row, start(i), end(i), t.count, t.instance};
    }

private:
    struct Escape {
        std::size_t index;
        std::int32_t instance;
        std::uint32_t count;
    };
    static constexpr std::uint32_t longLength = UINT32_MAX;   // the length is in m_longLengths
    static constexpr int instanceBits = 24;
    static constexpr std::uint32_t instanceMask = (1u << instanceBits) - 1;
    static constexpr std::uint32_t escaped = UINT32_MAX;      // instance and count are in m_escapes

    std::uint64_t longLengthOf(std::size_t i) const;
    const Escape& escapeOf(std::size_t i) const;
    bool inOrderAfterLast(const store::SampleRecord& sample) const;
    void sortByRowAndStart();

    std::vector<std::uint64_t> m_starts;
    std::vector<std::uint32_t> m_lengths;
    std::vector<std::uint32_t> m_packed;   // instance and count
    std::vector<std::pair<std::size_t, std::uint64_t>> m_longLengths;   // by sample index
    std::vector<Escape> m_escapes;                                      // by sample index
    dd_row_ranges m_rows;                  // while sorted
    bool m_sorted = true;
    std::vector<std::int32_t> m_rowOfSample;   // once a sample came out of order, until finish()
};

}  // namespace dd_sarvik_2_2
