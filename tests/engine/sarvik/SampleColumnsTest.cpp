#include "sarvik/SampleColumns.h"

#include "../store/RecordsEquality.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace dd_sarvik_2_2
