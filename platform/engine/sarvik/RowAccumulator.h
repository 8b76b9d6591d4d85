#pragma once
// Accumulates the samples of one answered row into per-bucket amounts of one data source and
// turns them into running-total items.
//
// Data sources: 0 = instance count (samples active in the bucket: overlapping it, or an instant
// sample lying in it; a sample counts once per bucket), 1 = count (sum of the counts of samples
// whose start lies in the bucket), 2 = time (ticks of the samples inside the bucket, exact to the
// tick). Each add is O(1) whatever the sample's length: buckets a sample covers entirely are
// kept in a difference array and resolved once when the amounts are read. One accumulator serves
// one row; its samples come mostly in ascending start order, so each bucket search starts from
// the bucket of the previous sample. add() runs once per sample and is inline for that reason.

#include <engine_export.h>
#include "sarvik/BucketGrid.h"

#include <dd_sarvik_2_2/dd_overtime_data.h>

#include <cstdint>
#include <vector>

namespace dd_sarvik_2_2 {

class SARVIK_API RowAccumulator {
public:
    RowAccumulator(const BucketGrid& grid, int dataSource);

    /// One sample [start, end) (end == start for an instant), already known to pass.
    void add(std::uint64_t start, std::uint64_t end, std::uint32_t count)
    {
        m_lastActive = -1;
        if (m_source == sourceTime)
            addTime(start, end);
        else if (m_source == sourceCount)
            addCount(start, count);
        else if (m_source == sourceInstanceCount)
            addActive(start, end);
    }
    /// As add(), restricted to the parts of the sample inside `ranges` (sorted, disjoint,
    /// half-open tick intervals): time counts only the ticks inside them, count needs the start
    /// inside one, instance count needs an overlap.
    void addWithin(std::uint64_t start, std::uint64_t end, std::uint32_t count,
                   const std::vector<std::pair<std::uint64_t, std::uint64_t>>& ranges);

    /// Appends one item (running total, bucket) per bucket whose amount is not zero.
    void emitRunningTotals(std::vector<dd_overtime_data>& out);
    /// The per-bucket amounts (after resolving covered buckets); used by derived evaluation.
    const std::vector<std::uint64_t>& amounts();

private:
    static constexpr int sourceInstanceCount = 0;
    static constexpr int sourceCount = 1;
    static constexpr int sourceTime = 2;

    std::uint32_t bucketOf(std::uint64_t tick)
    {
        m_hint = m_grid.bucketNear(tick, m_hint);
        return m_hint;
    }
    void addCount(std::uint64_t start, std::uint32_t count)
    {
        if (m_grid.contains(start))
            m_amount[bucketOf(start)] += count;
    }
    void addTime(std::uint64_t start, std::uint64_t end)
    {
        const std::uint64_t s = start > m_grid.start() ? start : m_grid.start();
        const std::uint64_t e = end < m_grid.end() ? end : m_grid.end();
        if (e <= s)
            return;
        const std::uint32_t first = bucketOf(s);
        if (e <= m_grid.boundary(first + 1))   // most samples end in the bucket they start in
            m_amount[first] += e - s;
        else
            addTimeAcross(first, s, e);
    }
    void addTimeAcross(std::uint32_t first, std::uint64_t start, std::uint64_t end);
    void addActive(std::uint64_t start, std::uint64_t end);
    void resolveCover();

    const BucketGrid m_grid;   // a copy: small, and no lifetime tie to the caller
    int m_source;
    std::vector<std::uint64_t> m_amount;   // per bucket
    std::vector<std::int64_t> m_cover;     // difference array of covered buckets, count + 1 long
    std::int64_t m_lastActive = -1;        // instance count: last bucket the current sample touched
    std::uint32_t m_hint = 0;              // bucket of the last start looked up
    bool m_resolved = false;
};

}  // namespace dd_sarvik_2_2
