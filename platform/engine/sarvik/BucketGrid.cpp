#include "sarvik/BucketGrid.h"

namespace dd_sarvik_2_2 {

namespace {
using u128 = unsigned __int128;

// count + 1 boundaries; an empty grid keeps its start only.
std::vector<std::uint64_t> boundariesOf(std::uint64_t start, std::uint64_t span, std::uint32_t count)
{
    std::vector<std::uint64_t> bounds(static_cast<std::size_t>(count) + 1, start);
    for (std::uint32_t i = 1; i <= count; ++i) {
        const u128 scaled = static_cast<u128>(i) * span;
        bounds[i] = start + static_cast<std::uint64_t>((scaled + count - 1) / count);
    }
    return bounds;
}
}  // namespace

BucketGrid::BucketGrid(std::uint64_t start, std::uint64_t end, int count)
{
    if (end > start && count > 0) {
        m_start = start;
        m_span = end - start;
        m_count = static_cast<std::uint32_t>(count);
        m_bucketsPerTick = static_cast<double>(m_count) / static_cast<double>(m_span);
    }
    m_boundaries = std::make_shared<const std::vector<std::uint64_t>>(boundariesOf(m_start, m_span, m_count));
    m_bounds = m_boundaries->data();
}

}  // namespace dd_sarvik_2_2
