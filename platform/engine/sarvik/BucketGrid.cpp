#include "sarvik/BucketGrid.h"

#include <cstdint>

namespace dd_sarvik_2_2 {

using u128 = unsigned __int128;

BucketGrid::BucketGrid(std::uint64_t start, std::uint64_t end, int count)
{
    if (end > start && count > 0) {
        m_start = start;
        m_span = end - start;
        m_count = static_cast<std::uint32_t>(count);
        m_narrow = m_span <= (UINT64_MAX - m_count) / m_count;
    }
}

std::uint64_t BucketGrid::boundary(std::uint32_t i) const
{
    if (m_narrow)
        return m_start + (static_cast<std::uint64_t>(i) * m_span + m_count - 1) / m_count;
    const u128 scaled = static_cast<u128>(i) * m_span;
    return m_start + static_cast<std::uint64_t>((scaled + m_count - 1) / m_count);
}

std::uint32_t BucketGrid::bucketOf(std::uint64_t tick) const
{
    if (m_narrow)
        return static_cast<std::uint32_t>((tick - m_start) * m_count / m_span);
    const u128 scaled = static_cast<u128>(tick - m_start) * m_count;
    return static_cast<std::uint32_t>(scaled / m_span);
}

}  // namespace dd_sarvik_2_2
