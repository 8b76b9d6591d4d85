#include <tarquel_1_0/RowHeights.h>

#include <gtest/gtest.h>

namespace {

using tarquel_1_0::RowHeights;

TEST(RowHeightsTest, RowsGrowByTheLargestAskAndLayOutInDisplayOrder)
{
    RowHeights heights(20);
    int ownerA = 0;
    int ownerB = 0;
    EXPECT_TRUE(heights.setExtra(&ownerA, 1, 30));
    EXPECT_FALSE(heights.setExtra(&ownerB, 1, 10)); // smaller than A's: no change
    EXPECT_TRUE(heights.setExtra(&ownerB, 2, 5));
    // Display order 2, 0, 1.
    heights.layout({2, 0, 1});
    EXPECT_EQ(heights.getTop(0), 0);
    EXPECT_EQ(heights.getHeight(0), 25);
    EXPECT_EQ(heights.getTop(1), 25);
    EXPECT_EQ(heights.getExtra(1), 0);
    EXPECT_EQ(heights.getTop(2), 45);
    EXPECT_EQ(heights.getHeight(2), 50);
    EXPECT_EQ(heights.getContentHeight(), 95);
    EXPECT_EQ(heights.rowAt(0), 0);
    EXPECT_EQ(heights.rowAt(24), 0);
    EXPECT_EQ(heights.rowAt(25), 1);
    EXPECT_EQ(heights.rowAt(94), 2);
    EXPECT_EQ(heights.rowAt(95), -1);
    EXPECT_EQ(heights.rowAt(-1), -1);
    // Past the rows, tops continue at the base height.
    EXPECT_EQ(heights.getTop(4), 95 + 20);

    // A's ask goes: B's smaller one holds the row.
    EXPECT_TRUE(heights.clearOwner(&ownerA));
    heights.layout({2, 0, 1});
    EXPECT_EQ(heights.getHeight(2), 30);
    EXPECT_FALSE(heights.clearOwner(&ownerA));
    EXPECT_FALSE(heights.setExtra(&ownerA, -1, 10));
}

} // namespace
