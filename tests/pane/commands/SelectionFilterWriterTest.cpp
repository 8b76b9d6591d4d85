// What the selection writes into the engine's filter store: time ranges in ticks, the time
// outside a range, instance items, the deep-view filter of a wait, and the global-filter check.
#include "CommandFixture.h"

#include "pane/SelectionFilterWriter.h"
#include "provider/SarvikProvider.h"

#include <dd_sarvik_2_2/Result.h>
#include <dd_sarvik_2_2/dd_attribute_table_data_retriever.h>

namespace commands_test {
namespace {

using dd_sarvik_2_2::dd_filter;
using velmora_1_0::SelectionFilterWriter;
using Items = std::vector<std::pair<std::uint64_t, std::uint64_t>>;

class SelectionFilterWriterTest : public CommandFixture {
protected:
    std::uint64_t tick(std::uint64_t ns) const { return m_areaProvider->tsc(ns); }
    std::uint64_t dataEnd() const { return m_areaProvider->getDuration(); }
};

TEST_F(SelectionFilterWriterTest, TimeRangesReplaceTheSelectionInTicks)
{
    SelectionFilterWriter writer(*m_areaProvider);
    ASSERT_TRUE(writer.selectTimeRange(100, 200));
    ASSERT_TRUE(writer.selectTimeRange(1000, 5000)); // replaces, never accumulates
    EXPECT_EQ(timeItems(dd_filter::selection_name), (Items{{tick(1000), tick(5000)}}));
    EXPECT_TRUE(profileItems(dd_filter::selection_name).empty());
}

TEST_F(SelectionFilterWriterTest, OutsideARangeKeepsOnlyThePartsThatExist)
{
    SelectionFilterWriter writer(*m_areaProvider);
    ASSERT_TRUE(writer.selectOutsideTimeRange(1000, 5000));
    EXPECT_EQ(timeItems(dd_filter::selection_name),
              (Items{{tick(0), tick(999)}, {tick(5001), tick(dataEnd())}}));

    ASSERT_TRUE(writer.selectOutsideTimeRange(0, 5000));
    EXPECT_EQ(timeItems(dd_filter::selection_name), (Items{{tick(5001), tick(dataEnd())}}));

    ASSERT_TRUE(writer.selectOutsideTimeRange(1000, dataEnd()));
    EXPECT_EQ(timeItems(dd_filter::selection_name), (Items{{tick(0), tick(999)}}));

    // The whole data: nothing lies outside, so the selection is left empty.
    ASSERT_TRUE(writer.selectOutsideTimeRange(0, dataEnd()));
    EXPECT_FALSE(dd_filter(sharedResult()->get_database(), dd_filter::selection_name).has_filters());
}

TEST_F(SelectionFilterWriterTest, InstancesBecomeOneProfileFilterOfEqualItems)
{
    ASSERT_TRUE(SelectionFilterWriter(*m_areaProvider).selectInstances("dd_thread", "dd_band", {1, 3}));
    const auto items = profileItems(dd_filter::selection_name);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0], dd_sarvik_2_2::dd_attribute_filter(L"dd_thread", L"dd_band", std::int64_t{1}));
    EXPECT_EQ(items[1], dd_sarvik_2_2::dd_attribute_filter(L"dd_thread", L"dd_band", std::int64_t{3}));
    EXPECT_TRUE(timeItems(dd_filter::selection_name).empty());

    // Restricted to a time: the same items and one time item.
    ASSERT_TRUE(SelectionFilterWriter(*m_areaProvider).selectInstancesDuring("dd_thread", "dd_band", {2}, 100, 200));
    EXPECT_EQ(profileItems(dd_filter::selection_name),
              (std::vector<dd_sarvik_2_2::dd_attribute_filter>{{L"dd_thread", L"dd_band", std::int64_t{2}}}));
    EXPECT_EQ(timeItems(dd_filter::selection_name), (Items{{tick(100), tick(200)}}));
}

TEST_F(SelectionFilterWriterTest, DeepViewHoldsTheCallStackOfAWaitOnly)
{
    const wchar_t* deepView = SelectionFilterWriter::DEEP_VIEW_FILTER;
    SelectionFilterWriter writer(*m_areaProvider);
    for (bool transition : {false, true}) {
        const wchar_t* path = transition ? L"dd_wait.signal_cs.bottom_user_cs" : L"dd_wait.wait_cs.bottom_user_cs";
        const auto expected =
            dd_sarvik_2_2::dd_attribute_table_data_retriever(sharedResult()->get_database(), path)
                .get_value(ddb_2_2::index(0));
        ASSERT_FALSE(expected.is_nil());
        ASSERT_TRUE(writer.writeDeepView("dd_wait", "wait_state", 0, transition));
        EXPECT_EQ(profileItems(deepView),
                  (std::vector<dd_sarvik_2_2::dd_attribute_filter>{{path, L"wait_state", expected}}));
    }
    // Not a wait, or a wait without a value: the filter is emptied and stays empty.
    EXPECT_FALSE(writer.writeDeepView("marker", "marker_instant", 0, false));
    EXPECT_TRUE(profileItems(deepView).empty());
    for (int noWait : {1 << 30, -1}) {
        ASSERT_TRUE(writer.writeDeepView("dd_wait", "wait_state", 0, false));
        EXPECT_FALSE(writer.writeDeepView("dd_wait", "wait_state", noWait, false));
        EXPECT_TRUE(profileItems(deepView).empty()) << noWait;
    }
}

TEST_F(SelectionFilterWriterTest, GlobalFilterCheckFollowsTheStore)
{
    SelectionFilterWriter writer(*m_areaProvider);
    EXPECT_FALSE(writer.hasGlobalFilters());
    setGlobalFilter(true);
    EXPECT_TRUE(writer.hasGlobalFilters());
    writer.selectTimeRange(1, 2); // the selection is a different filter
    setGlobalFilter(false);
    EXPECT_FALSE(writer.hasGlobalFilters());
}

} // namespace
} // namespace commands_test
