#include "SliceScene.h"

#include "layers/SliceDetails.h"
#include "layers/SliceRangeStats.h"
#include "layers/SliceSearch.h"

#include <gtest/gtest.h>

namespace {

using velmora_1_0::SarvikProvider;
using velmora_1_0::SliceDetails;
using velmora_1_0::SliceLayer;
using velmora_1_0::SliceRangeStats;
using velmora_1_0::SliceRow;
using velmora_1_0::SliceSearch;

SarvikProvider::Slice slice(std::uint64_t start, std::uint64_t end, int name)
{
    SarvikProvider::Slice s;
    s.startTime = start;
    s.endTime = end;
    s.name = name;
    return s;
}

// Row 0: main [0, 100) > parse [10, 40) > alloc [20, 25); main > parse [60, 90).
// Row 1: parse [0, 50) > alloc [45, 70) (the child outlives its parent).
std::vector<std::shared_ptr<const SliceRow>> rows()
{
    return {std::make_shared<const SliceRow>(slice_test::rowData(
                0, {slice(0, 100, 0), slice(10, 40, 1), slice(20, 25, 2), slice(60, 90, 1)},
                {L"main", L"Parse_Header", L"alloc"})),
            std::make_shared<const SliceRow>(
                slice_test::rowData(1, {slice(0, 50, 0), slice(45, 70, 1)}, {L"Parse_Header", L"alloc"})),
            nullptr};
}

TEST(SliceRangeStatsTest, TotalsAndSelfTimesAreClippedToTheRangeAndSortedByTotal)
{
    const std::atomic<bool> running{false};
    // [15, 65): main 50 (self 50 - parse 25 - parse 5 = 20); parse 25 + 5 in row 0 (self
    // 20 + 5) and 35 in row 1 (self 35 less alloc's 5 inside it); alloc 5 + 20.
    const std::vector<SliceRangeStats::Entry> all = SliceRangeStats::compute(rows(), {}, 15, 65, running);
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[0].name, L"Parse_Header");
    EXPECT_EQ(all[0].count, 3);
    EXPECT_EQ(all[0].total, 65u);
    EXPECT_EQ(all[0].self, 55u);
    EXPECT_EQ(all[1].name, L"main");
    EXPECT_EQ(all[1].total, 50u);
    EXPECT_EQ(all[1].self, 20u);
    EXPECT_EQ(all[2].name, L"alloc");
    EXPECT_EQ(all[2].count, 2);
    EXPECT_EQ(all[2].total, 25u);
    EXPECT_EQ(all[2].self, 25u);

    const std::vector<SliceRangeStats::Entry> second = SliceRangeStats::compute(rows(), {1}, 15, 65, running);
    ASSERT_EQ(second.size(), 2u);
    EXPECT_EQ(second[0].total, 35u);
    EXPECT_TRUE(SliceRangeStats::compute(rows(), {}, 200, 300, running).empty());
    const std::atomic<bool> canceled{true};
    EXPECT_TRUE(SliceRangeStats::compute(rows(), {}, 0, 100, canceled).empty());
}

TEST(SliceSearchTest, FindsNamesContainingTheTextInAnyCaseInTimeOrder)
{
    const std::atomic<bool> running{false};
    const std::vector<SliceSearch::Match> found = SliceSearch::find(rows(), L"pArSe", running);
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[0].row, 1);
    EXPECT_EQ(found[0].startTime, 0u);
    EXPECT_EQ(found[1].row, 0);
    EXPECT_EQ(found[1].startTime, 10u);
    EXPECT_EQ(found[2].startTime, 60u);
    EXPECT_TRUE(SliceSearch::find(rows(), L"", running).empty());
    EXPECT_TRUE(SliceSearch::find(rows(), L"nothing", running).empty());
    const std::atomic<bool> canceled{true};
    EXPECT_TRUE(SliceSearch::find(rows(), L"a", canceled).empty());
}

TEST(SliceDetailsTest, ASliceListsItsFactsAndLeadsToItsParentAndChildren)
{
    const auto data = rows();
    const SliceRow& row = *data[0];
    // Index 1 is parse [10, 40) after sorting; its parent main is 0, its child alloc is 2.
    const std::vector<SliceDetails::Line> lines = SliceDetails::describe({0, 1, 1}, row, "worker");
    std::vector<wxString> texts;
    for (const auto& line : lines)
        texts.push_back(line.text);
    ASSERT_GE(texts.size(), 9u);
    EXPECT_EQ(texts[0], "Parse_Header");
    EXPECT_EQ(texts[1], "Category: test");
    EXPECT_EQ(texts[2], "Thread: worker");
    EXPECT_EQ(texts[3], "Start: 10 ns");
    EXPECT_EQ(texts[4], "Duration: 30 ns");
    EXPECT_EQ(texts[5], "Self time: 25 ns");
    EXPECT_EQ(texts[7], "Parent: main");
    EXPECT_EQ(lines[7].target, (SliceLayer::Item{0, 0, 1}));
    EXPECT_EQ(texts[8], "Children: 1");
    EXPECT_EQ(texts[9], "    alloc (5 ns)");
    EXPECT_EQ(lines[9].target, (SliceLayer::Item{0, 2, 1}));
    EXPECT_FALSE(lines[0].target.valid());

    EXPECT_TRUE(SliceDetails::describe({}, row, "worker").empty());
    const std::vector<SliceDetails::Line> run = SliceDetails::describe({0, 2, 7}, row, "worker");
    ASSERT_FALSE(run.empty());
    EXPECT_EQ(run[0].text, "7 slices too narrow to tell apart");
}

} // namespace
