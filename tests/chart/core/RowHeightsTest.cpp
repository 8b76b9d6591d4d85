#include <tarquel_1_0/PrefixSumTree.h>
#include <tarquel_1_0/RowHeights.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

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

// Asks that arrive after the layout, one row at a time as answers come in, move the rows below
// at once; rows not shown keep their asks for when they are shown.
TEST(RowHeightsTest, AsksAfterTheLayoutMoveTheRowsBelowWithoutAnotherLayout)
{
    RowHeights heights(10);
    int owner = 0;
    heights.layout({3, 1, 0}); // data row 2 is filtered out
    EXPECT_EQ(heights.getContentHeight(), 30);
    EXPECT_TRUE(heights.setExtra(&owner, 1, 7));
    EXPECT_EQ(heights.getTop(2), 27);
    EXPECT_EQ(heights.getHeight(1), 17);
    EXPECT_EQ(heights.rowAt(26), 1);
    EXPECT_EQ(heights.rowAt(27), 2);
    EXPECT_TRUE(heights.setExtra(&owner, 2, 50));
    EXPECT_EQ(heights.getContentHeight(), 37);
    EXPECT_TRUE(heights.setExtra(&owner, 1, 0));
    EXPECT_EQ(heights.getTop(2), 20);

    heights.layout({2, 3});
    EXPECT_EQ(heights.getHeight(0), 60);
    EXPECT_EQ(heights.getTop(1), 60);
    EXPECT_TRUE(heights.clearOwner(&owner));
    EXPECT_EQ(heights.getContentHeight(), 20);
}

// The tree against plain sums, over random changes and lengths around powers of two.
TEST(PrefixSumTreeTest, SumsAndSearchesMatchAPlainListThroughChanges)
{
    std::mt19937 random(7);
    for (const int length : {0, 1, 2, 7, 8, 9, 100}) {
        std::vector<int> values(static_cast<std::size_t>(length));
        for (int& value : values)
            value = static_cast<int>(random() % 5); // zeros included
        tarquel_1_0::PrefixSumTree tree;
        tree.assign(values);
        for (int change = 0; change < 50; ++change) {
            if (length > 0) {
                const int index = static_cast<int>(random() % length);
                const int delta = static_cast<int>(random() % 7) - values[index] / 2;
                values[index] += delta;
                tree.add(index, delta);
            }
            std::vector<int> sums{0};
            for (const int value : values)
                sums.push_back(sums.back() + value);
            for (int count = 0; count <= length; ++count)
                ASSERT_EQ(tree.prefix(count), sums[count]) << length << ' ' << count;
            ASSERT_EQ(tree.total(), sums.back());
            for (int target = 0; target <= sums.back() + 1; ++target) {
                // The sums past the first that are still within the target.
                const int expected = static_cast<int>(std::upper_bound(sums.begin() + 1, sums.end(), target) - sums.begin()) - 1;
                ASSERT_EQ(tree.countUpTo(target), expected) << length << ' ' << target;
            }
        }
    }
}

} // namespace
