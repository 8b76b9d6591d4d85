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
// the bucket of the previous sample. addRun() is the scan of a query over a row's samples and
// runs once per sample: it is inline, and a sample that lies inside the bucket of the previous
// one (dozens in a row do) costs two compares and an add.

#include <engine_export.h>
#include "sarvik/BucketGrid.h"
#include "sarvik/SampleColumns.h"

#include <dd_sarvik_2_2/dd_overtime_data.h>

#include <cstdint>
#include <utility>
#include <vector>

namespace dd_sarvik_2_2 {

class SARVIK_API RowAccumulator {
public:
    using TickRanges = std::vector<std::pair<std::uint64_t, std::uint64_t>>;

    RowAccumulator(const BucketGrid& grid, int dataSource);

    /// Adds the samples [begin, end) of one row of `samples` (ascending starts) whose instance
    /// `passes` (a predicate on the instance), within `ranges` when they are given (see
    /// addWithin). Stops at the first sample that starts at or after the grid's end and returns
    /// its index; else returns `end`.
    template <class Passes>
    std::size_t addRun(const SampleColumns& samples, std::size_t begin, std::size_t end, const Passes& passes,
                       const TickRanges* ranges)
    {
        const auto addWhole = [this](std::uint64_t s, std::uint64_t e, std::uint32_t c) { add(s, e, c); };
        if (ranges)
            return scan<noFastPath>(samples, begin, end, passes,
                                    [this, ranges](std::uint64_t s, std::uint64_t e, std::uint32_t c) {
                                        addWithin(s, e, c, *ranges);
                                    });
        if (m_source == sourceTime)
            return scan<sourceTime>(samples, begin, end, passes, addWhole);
        if (m_source == sourceCount)
            return scan<sourceCount>(samples, begin, end, passes, addWhole);
        return scan<noFastPath>(samples, begin, end, passes, addWhole);
    }

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
    void addWithin(std::uint64_t start, std::uint64_t end, std::uint32_t count, const TickRanges& ranges);

    /// Appends one item (running total, bucket) per bucket whose amount is not zero.
    void emitRunningTotals(std::vector<dd_overtime_data>& out);
    /// The per-bucket amounts (after resolving covered buckets); used by derived evaluation.
    const std::vector<std::uint64_t>& amounts();

private:
    static constexpr int sourceInstanceCount = 0;
    static constexpr int sourceCount = 1;
    static constexpr int sourceTime = 2;
    static constexpr int noFastPath = -1;

    /// The bucket of the last start looked up and its ticks [start, end); empty before the first.
    struct Hint {
        std::uint32_t bucket = 0;
        std::uint64_t start = 0;
        std::uint64_t end = 0;
    };

    /// The loop of addRun. With FastSource set, a sample inside the hint's bucket is added on
    /// the spot, with the hint in a local (stores into the amounts cannot change a local, so it
    /// stays in registers); any other sample goes through `addSample`.
    template <int FastSource, class Passes, class AddSample>
    std::size_t scan(const SampleColumns& samples, std::size_t begin, std::size_t end, const Passes& passes,
                     const AddSample& addSample)
    {
        const std::uint64_t gridEnd = m_grid.end();
        std::uint64_t* const amount = m_amount.data();
        Hint hint = m_hint;
        const std::size_t stopped = samples.forEach(begin, end, [&](const SampleColumns::Sample& sample) {
            const std::uint64_t start = sample.start;
            if (start >= gridEnd)
                return false;
            if (!passes(sample.tag.instance))
                return true;
            const std::uint64_t stop = sample.end;
            if constexpr (FastSource == sourceTime) {
                if (start >= hint.start && stop <= hint.end) {
                    amount[hint.bucket] += stop - start;
                    return true;
                }
            } else if constexpr (FastSource == sourceCount) {
                if (start >= hint.start && start < hint.end) {
                    amount[hint.bucket] += sample.tag.count;
                    return true;
                }
            }
            m_hint = hint;
            addSample(start, stop, sample.tag.count);
            hint = m_hint;
            return true;
        });
        m_hint = hint;
        return stopped;
    }

    std::uint32_t bucketOf(std::uint64_t tick)
    {
        if (tick >= m_hint.start && tick < m_hint.end)
            return m_hint.bucket;
        return seekBucket(tick);
    }
    std::uint32_t seekBucket(std::uint64_t tick);
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
        if (e <= m_hint.end)   // most samples end in the bucket they start in
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
    Hint m_hint;
    bool m_resolved = false;
};

}  // namespace dd_sarvik_2_2
