#include "sarvik/SampleColumns.h"

#include "../store/RecordsEquality.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace dd_sarvik_2_2 {
namespace {

using store::SampleRecord;

std::vector<SampleRecord> readBack(const SampleColumns& columns)
{
    std::vector<SampleRecord> samples;
    for (const std::int32_t row : columns.rows().rows()) {
        const auto [begin, end] = columns.rows().range(row);
        for (std::size_t i = begin; i < end; ++i)
            samples.push_back(columns.record(i, row));
    }
    return samples;
}

// Lengths beyond 32 bits, instances and counts beyond their packed bits, an instant, and
// samples out of order: all read back exactly, sorted by (row, start) with stable ties.
TEST(SampleColumns, KeepEverySampleExactlyInRowAndStartOrder)
{
    const std::uint64_t huge = (1ull << 40) + 3;
    std::vector<SampleRecord> sorted = {
        {0, 5, 5, 1, 2},       {0, 10, 10 + huge, 254, 0}, {0, 10, 12, 255, 1 << 24},
        {2, 1, 4, 7, (1 << 24) - 2}, {2, 9, 9 + std::uint64_t{UINT32_MAX}, 0, 4}, {3, 0, UINT64_MAX, 1, -1},
    };
    SampleColumns inOrder;
    for (const SampleRecord& s : sorted)
        inOrder.append(s);
    inOrder.finish();
    EXPECT_EQ(readBack(inOrder), sorted);
    EXPECT_EQ(inOrder.rows().range(1), std::make_pair(std::size_t{0}, std::size_t{0}));

    SampleColumns shuffled;
    for (const std::size_t i : {3, 0, 5, 1, 4, 2})
        shuffled.append(sorted[i]);
    shuffled.finish();
    EXPECT_EQ(readBack(shuffled), sorted);
}

// Starts are offsets from a base of their block: starts far past the base, starts at the top of
// the tick range, and a row that begins before the previous one ended must all come back
// exactly, through random access and through a scan that begins inside a block and stops early.
TEST(SampleColumns, KeepStartsExactAcrossWideGapsAndRowChanges)
{
    const std::uint64_t gap = std::uint64_t{UINT32_MAX};
    std::vector<SampleRecord> sorted;
    for (const std::uint64_t start : {std::uint64_t{7}, gap, gap + 7, 2 * gap + 8, 2 * gap + 9, 5 * gap})
        sorted.push_back({0, start, start + 3, 1, 1});
    for (const std::uint64_t start : {std::uint64_t{3}, gap + 6, UINT64_MAX - 2, UINT64_MAX})
        sorted.push_back({1, start, start, 2, 2});
    for (std::uint64_t i = 0; i < 100; ++i)
        sorted.push_back({2, (1ull << 62) + i * (gap / 3), (1ull << 62) + i * (gap / 3) + 1, 3, 3});
    SampleColumns columns;
    for (const SampleRecord& s : sorted)
        columns.append(s);
    columns.finish();
    ASSERT_EQ(readBack(columns), sorted);

    for (std::size_t begin = 0; begin < sorted.size(); begin += 3) {
        std::size_t visited = 0;
        const std::uint64_t limit = sorted[begin].start + 5 * gap;
        const auto visit = [&](const SampleColumns::Sample& sample) {
            const SampleRecord& expected = sorted[begin + visited];
            EXPECT_EQ(sample.start, expected.start);
            EXPECT_EQ(sample.end, expected.end);
            EXPECT_EQ(sample.tag.instance, expected.instanceIndex);
            ++visited;
            return sample.start < limit;
        };
        const std::size_t stopped = columns.forEach(begin, sorted.size(), visit);
        const auto past = std::find_if(sorted.begin() + begin, sorted.end(),
                                       [&](const SampleRecord& s) { return s.start >= limit; });
        const auto expectedStop = static_cast<std::size_t>(past - sorted.begin());
        EXPECT_EQ(stopped, expectedStop) << "from " << begin;
        EXPECT_EQ(visited, std::min(expectedStop + 1, sorted.size()) - begin) << "from " << begin;
    }
}

}  // namespace
}  // namespace dd_sarvik_2_2
