#include <tarquel_1_0/AreaHeights.h>

#include <gtest/gtest.h>

#include <numeric>

namespace {

using tarquel_1_0::AreaHeights;

int sum(const std::vector<int>& heights)
{
    return std::accumulate(heights.begin(), heights.end(), 0);
}

TEST(AreaHeightsTest, AreasGetTheirRowsHeightUpToAShareAndTheRestGoesToTheAreasThatNeedMore)
{
    const AreaHeights heights;
    // One counter row under many threads: the counters keep one row, the threads the rest.
    EXPECT_EQ(heights.fit({2200, 22}, 600), (std::vector<int>{578, 22}));
    // Several counter rows still fit their share.
    EXPECT_EQ(heights.fit({2200, 5 * 22}, 600), (std::vector<int>{490, 110}));
    // What a small area leaves raises the share of the others: 60 fits a third of 300 and then
    // 110 fits half of the 240 left; the last area needs more and takes what remains.
    EXPECT_EQ(heights.fit({60, 110, 1000}, 300), (std::vector<int>{60, 110, 130}));
    // Two areas that both need more than half share evenly, the odd pixel to the first.
    EXPECT_EQ(heights.fit({500, 400}, 301), (std::vector<int>{151, 150}));
    // When everything fits, the spare height goes to the area with the most rows, so no area
    // shows blank room under rows that another area would need after a resize.
    EXPECT_EQ(heights.fit({66, 110}, 400), (std::vector<int>{66, 334}));
    // An area without rows still gets one row's height.
    EXPECT_EQ(heights.fit({0, 1000}, 300), (std::vector<int>{22, 278}));
    // Too little room for a row each: an even split, never negative.
    EXPECT_EQ(heights.fit({100, 100, 100}, 30), (std::vector<int>{10, 10, 10}));
    EXPECT_EQ(heights.fit({100, 100}, -5), (std::vector<int>{0, 0}));
    EXPECT_TRUE(heights.fit({}, 300).empty());
}

TEST(AreaHeightsTest, ADraggedDividerKeepsItsProportionsThroughResizesUntilTheAreasChange)
{
    AreaHeights heights;
    const std::vector<int> start = heights.fit({2200, 22}, 600);
    heights.drag(start, 0, -278);
    EXPECT_TRUE(heights.isUserSized());
    EXPECT_EQ(heights.fit({2200, 22}, 600), (std::vector<int>{300, 300}));
    // A resize scales both areas; content no longer decides.
    EXPECT_EQ(heights.fit({2200, 22}, 300), (std::vector<int>{150, 150}));
    const std::vector<int> odd = heights.fit({2200, 22}, 301);
    EXPECT_EQ(sum(odd), 301);

    // Neither area beside the divider goes below a row; the other areas keep their height.
    heights.drag({100, 200, 300}, 1, 500);
    EXPECT_EQ(heights.fit({0, 0, 0}, 600), (std::vector<int>{100, 478, 22}));
    heights.drag({100, 200, 300}, 0, -500);
    EXPECT_EQ(heights.fit({0, 0, 0}, 600), (std::vector<int>{22, 278, 300}));
    // A divider that does not exist changes nothing.
    heights.drag({100, 200, 300}, 2, 50);
    EXPECT_EQ(heights.fit({0, 0, 0}, 600), (std::vector<int>{22, 278, 300}));

    // Another number of areas, or a reset, goes back to sizing by content.
    EXPECT_EQ(heights.fit({2200, 22}, 600), (std::vector<int>{578, 22}));
    heights.reset();
    EXPECT_FALSE(heights.isUserSized());
    EXPECT_EQ(heights.fit({0, 0, 1000}, 600), (std::vector<int>{22, 22, 556}));
}

} // namespace
