#include "store/RowLifetimes.h"

#include <algorithm>

namespace dd_sarvik_2_2 {
namespace store {

namespace {

// Offset of slot boundary `index` of `count` across `length` ticks, without overflowing
// length * index.
std::uint64_t boundary(std::uint64_t length, std::uint64_t index, std::uint64_t count)
{
    return length / count * index + length % count * index / count;
}

}  // namespace

std::vector<std::uint64_t> RowLifetimes::share(std::uint64_t total) const
{
    std::vector<std::uint64_t> counts(m_lifetimes.size(), 0);
    if (m_lifetimes.empty())
        return counts;
    // Each row weighs its length plus one, so rows of zero length still get their turn.
    // Counts are differences of rounded cumulative shares, so they add up to exactly total.
    double weightSum = 0;
    for (const Span& lifetime : m_lifetimes)
        weightSum += static_cast<double>(lifetime.end - lifetime.start) + 1;
    double cumulative = 0;
    std::uint64_t given = 0;
    for (std::size_t row = 0; row < m_lifetimes.size(); ++row) {
        cumulative += static_cast<double>(m_lifetimes[row].end - m_lifetimes[row].start) + 1;
        const std::uint64_t upTo = row + 1 == m_lifetimes.size()
            ? total
            : std::min(total, static_cast<std::uint64_t>(total * cumulative / weightSum));
        counts[row] = std::max(upTo, given) - given;
        given += counts[row];
    }
    return counts;
}

RowLifetimes::Span RowLifetimes::slot(std::size_t row, std::uint64_t index,
                                      std::uint64_t count) const
{
    const Span& lifetime = m_lifetimes[row];
    const std::uint64_t length = lifetime.end - lifetime.start;
    return {lifetime.start + boundary(length, index, count),
            lifetime.start + boundary(length, index + 1, count)};
}

bool RowLifetimes::alive(std::size_t row, std::uint64_t tick) const
{
    return m_lifetimes[row].start <= tick && tick <= m_lifetimes[row].end;
}

}  // namespace store
}  // namespace dd_sarvik_2_2
