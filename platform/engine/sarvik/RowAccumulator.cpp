#include "sarvik/RowAccumulator.h"

#include <algorithm>

namespace dd_sarvik_2_2 {

RowAccumulator::RowAccumulator(const BucketGrid& grid, int dataSource)
    : m_grid(grid), m_source(dataSource), m_amount(grid.count(), 0), m_cover(grid.count() + 1, 0)
{
}

std::uint32_t RowAccumulator::seekBucket(std::uint64_t tick)
{
    const std::uint32_t bucket = m_grid.bucketNear(tick, m_hint.bucket);
    m_hint = {bucket, m_grid.boundary(bucket), m_grid.boundary(bucket + 1)};
    return bucket;
}

void RowAccumulator::addWithin(std::uint64_t start, std::uint64_t end, std::uint32_t count, const TickRanges& ranges)
{
    m_lastActive = -1;
    // First range that ends after the sample starts (an instant needs its tick inside).
    auto it = std::upper_bound(ranges.begin(), ranges.end(), start,
                               [](std::uint64_t t, const auto& r) { return t < r.second; });
    if (m_source == sourceCount) {
        if (it != ranges.end() && it->first <= start)
            addCount(start, count);
        return;
    }
    for (; it != ranges.end() && it->first <= std::max(start, end); ++it) {
        const std::uint64_t s = std::max(start, it->first);
        const std::uint64_t e = std::min(end, it->second);
        if (start == end) {
            // An instant is active where it lies but takes no time.
            if (m_source == sourceInstanceCount && s == start && start < it->second)
                addActive(start, start);
            return;
        }
        if (e <= s)
            continue;
        if (m_source == sourceTime)
            addTime(s, e);
        else if (m_source == sourceInstanceCount)
            addActive(s, e);
        if (it->second >= end)
            return;
    }
}

void RowAccumulator::addTimeAcross(std::uint32_t first, std::uint64_t start, std::uint64_t end)
{
    const std::uint32_t last = m_grid.bucketNear(end - 1, first);
    m_amount[first] += m_grid.boundary(first + 1) - start;
    m_amount[last] += end - m_grid.boundary(last);
    if (last > first + 1) {
        ++m_cover[first + 1];
        --m_cover[last];
    }
}

void RowAccumulator::addActive(std::uint64_t start, std::uint64_t end)
{
    std::int64_t first;
    std::int64_t last;
    if (start == end) {
        if (!m_grid.contains(start))
            return;
        first = last = bucketOf(start);
    } else {
        const std::uint64_t s = std::max(start, m_grid.start());
        const std::uint64_t e = std::min(end, m_grid.end());
        if (e <= s)
            return;
        first = bucketOf(s);
        last = e <= m_grid.boundary(first + 1) ? first : m_grid.bucketNear(e - 1, static_cast<std::uint32_t>(first));
    }
    // Pieces of one sample cut by filter ranges may share a bucket: count the sample once.
    first = std::max(first, m_lastActive + 1);
    if (first > last)
        return;
    ++m_cover[first];
    --m_cover[last + 1];
    m_lastActive = last;
}

void RowAccumulator::resolveCover()
{
    if (m_resolved)
        return;
    std::int64_t covered = 0;
    for (std::uint32_t i = 0; i < m_grid.count(); ++i) {
        covered += m_cover[i];
        if (covered == 0)
            continue;
        const std::uint64_t unit =
            m_source == sourceTime ? m_grid.boundary(i + 1) - m_grid.boundary(i) : 1;
        m_amount[i] += static_cast<std::uint64_t>(covered) * unit;
    }
    m_resolved = true;
}

const std::vector<std::uint64_t>& RowAccumulator::amounts()
{
    resolveCover();
    return m_amount;
}

void RowAccumulator::emitRunningTotals(std::vector<dd_overtime_data>& out)
{
    resolveCover();
    std::uint64_t running = 0;
    for (std::uint32_t i = 0; i < m_grid.count(); ++i) {
        if (m_amount[i] == 0)
            continue;
        running += m_amount[i];
        out.emplace_back(running, i);
    }
}

}  // namespace dd_sarvik_2_2
