#include <tarquel_1_0/Ruler.h>
#include <tarquel_1_0/TimeMask.h>

#include <gtest/gtest.h>

using namespace tarquel_1_0;

namespace {

using Runs = std::vector<std::pair<int, int>>;

TEST(TimeMaskTest, WithoutATimeFilterEverythingIsKept)
{
    Ruler ruler;
    ruler.setDuration(999);
    ruler.setPixelWidth(100);
    const TimeMask mask;
    EXPECT_FALSE(mask.isActive());
    EXPECT_TRUE(mask.keeps(5, 5));
    EXPECT_TRUE(mask.excludedColumns(ruler, 100).empty());
}

TEST(TimeMaskTest, KeptSpansMergeAndDecideInstantsAndSpans)
{
    // Out of order and overlapping; the empty span keeps nothing.
    const TimeMask mask({{300, 400}, {100, 200}, {150, 250}, {500, 500}});
    ASSERT_EQ(mask.getKept().size(), 2u);
    EXPECT_EQ(mask.getKept()[0].start, 100u);
    EXPECT_EQ(mask.getKept()[0].end, 250u);
    EXPECT_TRUE(mask.keeps(100, 100));
    EXPECT_FALSE(mask.keeps(250, 250)) << "ends are excluded";
    EXPECT_FALSE(mask.keeps(260, 290));
    EXPECT_TRUE(mask.keeps(260, 301)) << "a span reaching into a kept one";
    EXPECT_TRUE(mask.keeps(0, 1000)) << "a span around a kept one";
    EXPECT_FALSE(mask.keeps(500, 500));
    EXPECT_FALSE(TimeMask(std::vector<TimeMask::Span>{}).keeps(0, 1000)) << "a filter that keeps nothing";
}

TEST(TimeMaskTest, ExcludedColumnsAreTheRunsWithoutKeptTime)
{
    Ruler ruler;
    ruler.setDuration(999);
    ruler.setPixelWidth(100); // 10 ns per column
    const TimeMask mask({{200, 500}});
    EXPECT_EQ(mask.excludedColumns(ruler, 100), (Runs{{0, 19}, {50, 99}}));
    EXPECT_TRUE(mask.keepsColumn(ruler, 20));
    EXPECT_FALSE(mask.keepsColumn(ruler, 50));
    // A kept span narrower than a column still keeps its column.
    EXPECT_EQ(TimeMask({{505, 506}}).excludedColumns(ruler, 100), (Runs{{0, 49}, {51, 99}}));
}

} // namespace
