#include "layers/SliceDecimator.h"

#include <gtest/gtest.h>

#include <numeric>

namespace {

using velmora_1_0::SarvikProvider;
using velmora_1_0::SliceDecimator;
using Box = SliceDecimator::Box;

struct Lane {
    std::vector<SarvikProvider::Slice> slices;
    std::vector<int> entries;

    void add(std::uint64_t start, std::uint64_t end)
    {
        SarvikProvider::Slice slice;
        slice.startTime = start;
        slice.endTime = end;
        entries.push_back(static_cast<int>(slices.size()));
        slices.push_back(slice);
    }
};

// 10 ns per column over 100 columns from 0.
SliceDecimator tenPerColumn()
{
    return SliceDecimator({0.0, 10.0, 100});
}

std::vector<Box> choose(const SliceDecimator& decimator, const Lane& lane)
{
    std::vector<Box> boxes;
    decimator.choose(lane.slices, lane.entries, boxes);
    return boxes;
}

TEST(SliceDecimatorTest, WideSlicesAreBoxesOfTheirOwnAndNarrowRunsBecomeOne)
{
    Lane lane;
    lane.add(0, 95);    // columns 0..9
    lane.add(100, 103); // narrow in column 10
    lane.add(111, 112); // narrow in column 11, touching: same run
    lane.add(113, 115); // column 11 again
    lane.add(150, 300); // columns 15..30
    lane.add(400, 402); // narrow, alone in column 40
    const std::vector<Box> boxes = choose(tenPerColumn(), lane);
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(boxes[0].x1, 0);
    EXPECT_EQ(boxes[0].x2, 9);
    EXPECT_EQ(boxes[0].count, 1);
    EXPECT_EQ(boxes[1].x1, 10);
    EXPECT_EQ(boxes[1].x2, 11);
    EXPECT_EQ(boxes[1].count, 3);
    EXPECT_EQ(boxes[1].slice, 1);
    EXPECT_EQ(boxes[2].x1, 15);
    EXPECT_EQ(boxes[2].x2, 30);
    EXPECT_EQ(boxes[3].x1, 40);
    EXPECT_EQ(boxes[3].count, 1);
}

TEST(SliceDecimatorTest, AWideSliceStartingInARunsColumnIsNotSwallowed)
{
    Lane lane;
    lane.add(200, 201);
    lane.add(202, 203);
    lane.add(205, 260); // starts in column 20, reaches column 26
    const std::vector<Box> boxes = choose(tenPerColumn(), lane);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].count, 2);
    EXPECT_EQ(boxes[0].x2, 20);
    EXPECT_EQ(boxes[1].slice, 2);
    EXPECT_EQ(boxes[1].x1, 20);
    EXPECT_EQ(boxes[1].x2, 26);
}

TEST(SliceDecimatorTest, OnlySlicesInViewAreChosenAndEdgesAreClamped)
{
    Lane lane;
    lane.add(0, 50);
    lane.add(60, 2000); // runs past the last column
    lane.add(3000, 4000);
    const SliceDecimator decimator({100.0, 10.0, 100}); // view [100, 1100)
    const std::vector<Box> boxes = choose(decimator, lane);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].x1, -1);
    EXPECT_EQ(boxes[0].x2, 100);
}

TEST(SliceDecimatorTest, AMillionSlicesCostAtMostABoxPerColumn)
{
    Lane lane;
    for (std::uint64_t i = 0; i < 1000000; ++i)
        lane.add(i * 10, i * 10 + 7); // 100 slices in every one of 1,000 columns... of 100,000 ns
    const SliceDecimator decimator({0.0, 10000.0, 1000});
    const std::vector<Box> boxes = choose(decimator, lane);
    // Every column holds slices and touches the next: one run over the whole view.
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].x1, 0);
    EXPECT_EQ(boxes[0].x2, 999);
    EXPECT_EQ(boxes[0].count, 1000000);

    // A gap every other column breaks the run into one box per occupied column.
    Lane gappy;
    for (std::uint64_t column = 0; column < 1000; column += 2)
        for (std::uint64_t i = 0; i < 50; ++i)
            gappy.add(column * 10000 + i * 100, column * 10000 + i * 100 + 50);
    const std::vector<Box> split = choose(decimator, gappy);
    EXPECT_EQ(split.size(), 500u);
    const int counted = std::accumulate(split.begin(), split.end(), 0,
                                        [](int sum, const Box& box) { return sum + box.count; });
    EXPECT_EQ(counted, 500 * 50);
}

} // namespace
