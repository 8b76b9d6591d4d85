#pragma once
// The split of a tick range [start, end) into `count` buckets that over-time answers use.
//
// Bucket i covers [start + ceil(i * span / count), start + ceil((i + 1) * span / count)), so the
// buckets tile the range exactly (no tick is lost to rounding) and their widths differ by at most
// one tick. A tick's bucket is floor((t - start) * count / span). Lookups run once or twice per
// sample, so they avoid integer division: the boundaries are computed once, a floating-point
// product guesses the bucket (off by at most one) and the boundaries correct the guess. Ticks
// read in ascending order mostly fall in the bucket of the previous one or a few after it:
// bucketNear walks there from a hint and skips the conversion. Copies share the boundaries.

#include <engine_export.h>
#include <cstdint>
#include <memory>
#include <vector>

namespace dd_sarvik_2_2 {

class SARVIK_API BucketGrid {
public:
    /// An empty grid (count 0) when end <= start or count <= 0: every lookup misses.
    BucketGrid(std::uint64_t start, std::uint64_t end, int count);

    std::uint32_t count() const { return m_count; }
    std::uint64_t start() const { return m_start; }
    std::uint64_t end() const { return m_start + m_span; }

    /// First tick of bucket i (i may be count(): then the end of the range).
    std::uint64_t boundary(std::uint32_t i) const { return m_bounds[i]; }
    /// Bucket of a tick inside [start, end).
    std::uint32_t bucketOf(std::uint64_t tick) const
    {
        auto b = static_cast<std::uint32_t>(static_cast<double>(tick - m_start) * m_bucketsPerTick);
        if (b >= m_count)
            b = m_count - 1;
        const std::uint64_t* bounds = m_bounds;
        while (tick < bounds[b])
            --b;
        while (tick >= bounds[b + 1])
            ++b;
        return b;
    }
    /// Bucket of a tick inside [start, end), searched from `hint` (a bucket below count()) onwards.
    std::uint32_t bucketNear(std::uint64_t tick, std::uint32_t hint) const
    {
        if (tick < m_bounds[hint])
            return bucketOf(tick);
        // A short walk: far jumps (gaps in the samples) cost a lookup, not a walk over the gap.
        for (const std::uint32_t last = hint + nearSteps < m_count ? hint + nearSteps : m_count - 1; hint < last; ++hint)
            if (tick < m_bounds[hint + 1])
                return hint;
        return tick < m_bounds[hint + 1] ? hint : bucketOf(tick);
    }
    bool contains(std::uint64_t tick) const { return tick >= m_start && tick - m_start < m_span; }

private:
    static constexpr std::uint32_t nearSteps = 4;

    std::uint64_t m_start = 0;
    std::uint64_t m_span = 0;
    std::uint32_t m_count = 0;
    double m_bucketsPerTick = 0.0;
    std::shared_ptr<const std::vector<std::uint64_t>> m_boundaries;   // count + 1 ticks
    const std::uint64_t* m_bounds = nullptr;                          // m_boundaries' data
};

}  // namespace dd_sarvik_2_2
