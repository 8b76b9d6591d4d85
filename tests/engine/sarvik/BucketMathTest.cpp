#include "sarvik/BucketGrid.h"
#include "sarvik/RowAccumulator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace dd_sarvik_2_2 {
namespace {

std::vector<std::uint64_t> runningValues(RowAccumulator& accumulator)
{
    std::vector<dd_overtime_data> items;
    accumulator.emitRunningTotals(items);
    std::vector<std::uint64_t> flat;
    for (const auto& item : items) {
        flat.push_back(item.get_bucket_id());
        flat.push_back(item.get_value());
    }
    return flat;
}

TEST(BucketGrid, TilesUnevenRangesExactlyAndFindsEveryTick)
{
    for (const std::uint64_t span : {std::uint64_t{10}, std::uint64_t{7}, std::uint64_t{1000003}, UINT64_MAX - 5}) {
        const BucketGrid grid(5, 5 + span, 3);
        EXPECT_EQ(grid.boundary(0), 5u);
        EXPECT_EQ(grid.boundary(3), 5 + span);
        for (std::uint32_t i = 0; i < 3; ++i) {
            EXPECT_LT(grid.boundary(i), grid.boundary(i + 1));
            EXPECT_EQ(grid.bucketOf(grid.boundary(i)), i);
            EXPECT_EQ(grid.bucketOf(grid.boundary(i + 1) - 1), i);
        }
    }
    EXPECT_EQ(BucketGrid(10, 10, 4).count(), 0u);
    EXPECT_EQ(BucketGrid(10, 20, 0).count(), 0u);
}

TEST(BucketGrid, LookupMatchesTheExactQuotientAroundEveryBoundary)
{
    // Spans shorter than the count (empty buckets), the usual pixel widths, and spans where the
    // floating-point guess is furthest off.
    const std::uint64_t starts[] = {0, 123456789, UINT64_MAX / 2};
    const std::pair<std::uint64_t, int> grids[] = {{7, 10},          {1000, 1000},  {99991, 1920},
                                                   {15625000, 2000}, {1ull << 53, 3}, {(1ull << 62) + 17, 1999}};
    for (const std::uint64_t start : starts)
        for (const auto& [span, count] : grids) {
            const BucketGrid grid(start, start + span, count);
            const auto exact = [&](std::uint64_t tick) {
                return static_cast<std::uint32_t>(static_cast<unsigned __int128>(tick - start) * count / span);
            };
            for (std::uint32_t i = 0; i <= grid.count(); ++i)
                for (const std::uint64_t tick : {grid.boundary(i) - 1, grid.boundary(i), grid.boundary(i) + 1})
                    if (grid.contains(tick)) {
                        ASSERT_EQ(grid.bucketOf(tick), exact(tick)) << "span " << span << " tick " << tick;
                        // Searched from hints behind, at, just before and far before the bucket.
                        for (const std::uint32_t hint : {0u, i > 0 ? i - 1 : 0u, i < grid.count() ? i : i - 1,
                                                         i > 6 ? i - 6 : 0u, grid.count() - 1})
                            ASSERT_EQ(grid.bucketNear(tick, hint), exact(tick)) << "hint " << hint << " tick " << tick;
                    }
        }
}

TEST(RowAccumulator, TimeIsExactToTheTickAcrossCoveredBuckets)
{
    const BucketGrid grid(0, 10, 3);   // [0,4) [4,7) [7,10)
    RowAccumulator time(grid, 2);
    time.add(2, 9, 1);    // 2 + 3 + 2 ticks
    time.add(20, 30, 1);  // outside
    EXPECT_EQ(runningValues(time), (std::vector<std::uint64_t>{0, 2, 1, 5, 2, 7}));

    RowAccumulator longSample(BucketGrid(0, 1000, 100), 2);
    longSample.add(5, 995, 1);
    EXPECT_EQ(longSample.amounts()[0], 5u);
    EXPECT_EQ(longSample.amounts()[50], 10u);
    EXPECT_EQ(longSample.amounts()[99], 5u);
}

TEST(RowAccumulator, InstanceCountCountsEachSampleOncePerBucketEvenWhenFiltersSplitIt)
{
    const BucketGrid grid(0, 10, 2);   // [0,5) [5,10)
    RowAccumulator active(grid, 0);
    const std::vector<std::pair<std::uint64_t, std::uint64_t>> ranges{{0, 2}, {3, 4}, {8, 9}};
    active.addWithin(1, 9, 1, ranges);   // pieces [1,2) [3,4) in bucket 0, [8,9) in bucket 1
    active.addWithin(6, 7, 1, ranges);   // no overlap with any range
    active.addWithin(3, 3, 1, ranges);   // instant inside [3,4)
    EXPECT_EQ(runningValues(active), (std::vector<std::uint64_t>{0, 2, 1, 3}));

    RowAccumulator time(grid, 2);
    time.addWithin(1, 9, 1, ranges);
    EXPECT_EQ(runningValues(time), (std::vector<std::uint64_t>{0, 2, 1, 3}));

    RowAccumulator count(grid, 1);
    count.addWithin(1, 9, 5, ranges);   // starts inside [0,2)
    count.addWithin(2, 9, 7, ranges);   // starts in a gap
    EXPECT_EQ(runningValues(count), (std::vector<std::uint64_t>{0, 5}));
}

}  // namespace
}  // namespace dd_sarvik_2_2

namespace dd_sarvik_2_2 {
namespace {

// What one data source gives a bucket [lo, hi) for one sample, counted straight from the
// definitions, tick range by tick range (no bucket lookups, no difference arrays).
std::uint64_t expectedAmount(int source, const store::SampleRecord& s, std::uint64_t lo, std::uint64_t hi,
                             const RowAccumulator::TickRanges& ranges)
{
    if (source == 1) {
        const bool startPasses = std::any_of(ranges.begin(), ranges.end(), [&](const auto& r) {
            return r.first <= s.start && s.start < r.second;
        });
        return startPasses && lo <= s.start && s.start < hi ? s.count : 0;
    }
    std::uint64_t ticks = 0;
    bool touches = false;
    for (const auto& [from, to] : ranges) {
        if (s.start == s.end) {
            touches = touches || (from <= s.start && s.start < to && lo <= s.start && s.start < hi);
            continue;
        }
        const std::uint64_t a = std::max({s.start, from, lo});
        const std::uint64_t b = std::min({s.end, to, hi});
        if (a < b) {
            ticks += b - a;
            touches = true;
        }
    }
    return source == 2 ? ticks : touches ? 1 : 0;
}

// A row's samples scanned in slices, with and without time ranges, give every data source the
// amounts its definition gives, for samples inside one bucket, across many, before and after
// the grid, instants, lengths and instances that do not fit their packed columns, and
// instances the predicate refuses.
TEST(RowAccumulator, ScanningARowGivesEachSourceItsDefinedAmounts)
{
    std::uint64_t seed = 12345;
    const auto next = [&seed](std::uint64_t bound) {
        seed = seed * 6364136223846793005ull + 1442695040888963407ull;
        return (seed >> 33) % bound;
    };
    std::vector<store::SampleRecord> records;
    std::uint64_t start = 0;
    for (int i = 0; i < 3000; ++i) {
        start += next(40);
        const std::uint64_t kind = next(20);
        const std::uint64_t length = kind == 0 ? 0 : kind == 1 ? 5000 + next(20000) : kind == 2 ? (1ull << 33) : next(30);
        const auto instance = static_cast<std::int32_t>(kind == 3 ? (1 << 24) + 1 : next(8));
        records.push_back({7, start, start + length, static_cast<std::uint32_t>(kind == 4 ? 300 : 1 + next(3)), instance});
    }
    SampleColumns samples;
    for (const auto& record : records)
        samples.append(record);
    samples.finish();
    const auto passes = [](std::int32_t instance) { return instance != 5; };

    const BucketGrid grid(1000, 40000, 97);
    const RowAccumulator::TickRanges everything{{0, UINT64_MAX}};
    const RowAccumulator::TickRanges someRanges{{900, 5000}, {5003, 5004}, {12000, 30000}, {30001, 60000}};
    for (const RowAccumulator::TickRanges* ranges : {static_cast<const RowAccumulator::TickRanges*>(nullptr), &someRanges})
        for (const int source : {0, 1, 2}) {
            RowAccumulator accumulator(grid, source);
            std::size_t stop = 0;
            for (std::size_t begin = 0; begin < samples.size() && stop == begin; begin += 256) {
                const std::size_t end = std::min(samples.size(), begin + 256);
                stop = accumulator.addRun(samples, begin, end, passes, ranges);
                ASSERT_TRUE(stop == end || samples.start(stop) >= grid.end());
            }
            const std::vector<std::uint64_t>& amounts = accumulator.amounts();
            for (std::uint32_t b = 0; b < grid.count(); ++b) {
                std::uint64_t expected = 0;
                for (const auto& s : records)
                    if (passes(s.instanceIndex))
                        expected += expectedAmount(source, s, grid.boundary(b), grid.boundary(b + 1),
                                                   ranges ? *ranges : everything);
                ASSERT_EQ(amounts[b], expected) << "source " << source << " bucket " << b << " ranges " << !!ranges;
            }
        }
}

// A long trace in fine ticks: the starts of one row fill many blocks of the columns, and jumps
// of more than 2^32 ticks cross several at once. Scanned in slices that begin inside blocks, the
// row still gives each source its defined amounts and stops at the first sample past the grid.
TEST(RowAccumulator, ScanAcrossTheStartBlocksOfALongTraceGivesTheDefinedAmounts)
{
    std::vector<store::SampleRecord> records;
    std::uint64_t start = (1ull << 40) + 12345;
    for (int i = 0; i < 2000; ++i) {
        start += i % 97 == 0 ? (1ull << 33) + i : 1000000 + 7 * i;
        records.push_back({3, start, start + 500000 + 13 * i, 1 + static_cast<std::uint32_t>(i % 3), i % 5});
    }
    SampleColumns samples;
    for (const auto& record : records)
        samples.append(record);
    samples.finish();
    const auto passes = [](std::int32_t instance) { return instance != 2; };
    const std::size_t firstPastGrid = 1900;
    const BucketGrid grid(records[10].start + 3, records[firstPastGrid].start, 333);
    const RowAccumulator::TickRanges everything{{0, UINT64_MAX}};
    for (const int source : {0, 1, 2}) {
        RowAccumulator accumulator(grid, source);
        std::size_t stop = 0;
        for (std::size_t begin = 0; begin < samples.size() && stop == begin; begin += 300)
            stop = accumulator.addRun(samples, begin, std::min(samples.size(), begin + 300), passes, nullptr);
        EXPECT_EQ(stop, firstPastGrid);
        const std::vector<std::uint64_t>& amounts = accumulator.amounts();
        for (std::uint32_t b = 0; b < grid.count(); ++b) {
            std::uint64_t expected = 0;
            for (const auto& s : records)
                if (passes(s.instanceIndex))
                    expected += expectedAmount(source, s, grid.boundary(b), grid.boundary(b + 1), everything);
            ASSERT_EQ(amounts[b], expected) << "source " << source << " bucket " << b;
        }
    }
}

}  // namespace
}  // namespace dd_sarvik_2_2
