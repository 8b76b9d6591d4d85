#include "sarvik/BucketGrid.h"
#include "sarvik/RowAccumulator.h"

#include <gtest/gtest.h>

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
