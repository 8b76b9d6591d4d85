#include "sarvik/SampleColumns.h"

#include <iterator>

namespace dd_sarvik_2_2 {

void SampleColumns::reserve(std::size_t samples)
{
    m_cells.reserve(samples);
}

void SampleColumns::append(const store::SampleRecord& sample)
{
    if (m_sorted && !inOrderAfterLast(sample)) {
        m_rowOfSample.reserve(m_cells.capacity());
        for (const std::int32_t row : m_rows.rows()) {
            const auto [begin, end] = m_rows.range(row);
            m_rowOfSample.insert(m_rowOfSample.end(), end - begin, row);
        }
        m_rows = dd_row_ranges();
        m_sorted = false;
    }
    if (m_sorted)
        m_rows.push_back(sample.row);
    else
        m_rowOfSample.push_back(sample.row);

    const std::size_t index = size();
    const std::uint64_t length = sample.end > sample.start ? sample.end - sample.start : 0;
    if (length >= longLength)
        m_longLengths.emplace_back(index, length);
    const bool packs = sample.instanceIndex >= 0 && static_cast<std::uint32_t>(sample.instanceIndex) < instanceMask
        && sample.count < (escaped >> instanceBits);
    if (!packs)
        m_escapes.push_back({index, sample.instanceIndex, sample.count});
    const std::uint32_t packed =
        packs ? static_cast<std::uint32_t>(sample.instanceIndex) | sample.count << instanceBits : escaped;
    m_cells.push_back(
        {startOffsetOf(sample.start), length < longLength ? static_cast<std::uint32_t>(length) : longLength, packed});
}

void SampleColumns::finish()
{
    if (!m_sorted)
        sortByRowAndStart();
    m_cells.shrink_to_fit();
    m_blocks.shrink_to_fit();
    m_longLengths.shrink_to_fit();
    m_escapes.shrink_to_fit();
}

// Opens a block for the next sample when its start does not fit the last one.
std::uint32_t SampleColumns::startOffsetOf(std::uint64_t start)
{
    // A start below the base wraps around to far above UINT32_MAX, so one compare covers both sides.
    const bool fitsLastBlock = !m_blocks.empty() && start - m_blocks.back().base <= UINT32_MAX;
    if (!fitsLastBlock)
        m_blocks.push_back({size(), start - start % baseAlignment});
    return static_cast<std::uint32_t>(start - m_blocks.back().base);
}

SampleColumns::Block SampleColumns::blockAt(std::size_t i) const
{
    const auto next = std::upper_bound(m_blocks.begin(), m_blocks.end(), i,
                                       [](std::size_t index, const BlockStart& b) { return index < b.first; });
    return {std::prev(next)->base, next != m_blocks.end() ? next->first : size()};
}

std::uint64_t SampleColumns::longLengthOf(std::size_t i) const
{
    const auto it = std::lower_bound(m_longLengths.begin(), m_longLengths.end(), std::make_pair(i, std::uint64_t{0}));
    return it->second;
}

const SampleColumns::Escape& SampleColumns::escapeOf(std::size_t i) const
{
    return *std::lower_bound(m_escapes.begin(), m_escapes.end(), i,
                             [](const Escape& e, std::size_t index) { return e.index < index; });
}

bool SampleColumns::inOrderAfterLast(const store::SampleRecord& sample) const
{
    if (size() == 0)
        return true;
    const std::int32_t lastRow = m_rows.rows().back();
    const std::uint64_t lastStart = m_blocks.back().base + m_cells.back().startOffset;
    return lastRow < sample.row || (lastRow == sample.row && lastStart <= sample.start);
}

// Out-of-order input is rare (the store and the importers write sorted samples): it pays for a
// full copy while sorting.
void SampleColumns::sortByRowAndStart()
{
    std::vector<store::SampleRecord> samples;
    samples.reserve(size());
    for (std::size_t i = 0; i < size(); ++i)
        samples.push_back(record(i, m_rowOfSample[i]));
    std::stable_sort(samples.begin(), samples.end(), [](const store::SampleRecord& a, const store::SampleRecord& b) {
        return a.row != b.row ? a.row < b.row : a.start < b.start;
    });
    *this = SampleColumns();
    reserve(samples.size());
    for (const store::SampleRecord& sample : samples)
        append(sample);
}

}  // namespace dd_sarvik_2_2
