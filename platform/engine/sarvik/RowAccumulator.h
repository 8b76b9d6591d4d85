#pragma once
// Accumulates the samples of one answered row into per-bucket amounts of one data source and
// turns them into running-total items.
//
// Data sources: 0 = instance count (samples active in the bucket: overlapping it, or an instant
// sample lying in it; a sample counts once per bucket), 1 = count (sum of the counts of samples
// whose start lies in the bucket), 2 = time (ticks of the samples inside the bucket, exact to the
// tick). Each add is O(1) whatever the sample's length: buckets a sample covers entirely are
// kept in a difference array and resolved once when the amounts are read. One accumulator serves
// one row.

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
    void add(std::uint64_t start, std::uint64_t end, std::uint32_t count);
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
    void addTime(std::uint64_t start, std::uint64_t end);
    void addActive(std::uint64_t start, std::uint64_t end);
    void resolveCover();

    const BucketGrid m_grid;   // a copy: small, and no lifetime tie to the caller
    int m_source;
    std::vector<std::uint64_t> m_amount;   // per bucket
    std::vector<std::int64_t> m_cover;     // difference array of covered buckets, count + 1 long
    std::int64_t m_lastActive = -1;        // instance count: last bucket the current sample touched
    bool m_resolved = false;
};

}  // namespace dd_sarvik_2_2
