#include "FakeQuery.h"
#include "ProbeProvider.h"
#include "TestResults.h"
#include "WxTestMain.h"

#include "provider/FilterBandService.h"
#include "provider/InstanceTooltip.h"

#include <dd_sarvik_2_2/dd_progress_impl.h>
#include <dd_sarvik_2_2/filter/dd_attribute_filter.h>
#include <dd_sarvik_2_2/filter/dd_filter.h>

#include <dd_sarvik_2_2/store/ResultGenerator.h>
#include <dd_sarvik_2_2/store/StoreStatus.h>

#include <gtest/gtest.h>

#include <filesystem>

namespace provider_test {
namespace {

using tarquel_1_0::DataProvider;
using velmora_1_0::SarvikDataSource;
using velmora_1_0::SarvikProvider;

class BandServicesTest : public ::testing::Test {
protected:
    void TearDown() override { SarvikProvider::m_layerSortInfoMap.clear(); }

    // Keeps only thread 1 in the global filter.
    void filterToThreadOne()
    {
        dd_sarvik_2_2::dd_filter global(result.get()->get_database(), dd_sarvik_2_2::dd_filter::global_name);
        global.add_profile_filter({dd_sarvik_2_2::dd_attribute_filter(L"dd_thread", L"dd_band", std::int64_t(1))});
    }

    ResultHolder result{smallRecords()};
    ProviderPtr provider = makeAreaProvider(result.get());
};

TEST_F(BandServicesTest, SortOrderIsOfferedForTheSameLayersInAnyOrder)
{
    provider->getRowByDS()->query = mirrow2::make_sptr<FakeQuery>(std::make_shared<std::atomic<bool>>(false));
    provider->sortOrderChanged(DataProvider::SORT_LABEL_ASCENDING, {2, 0, 1}, {"A", "B"});

    DataProvider::SortOrder order = DataProvider::SORT_NONE;
    std::vector<int> rows;
    ASSERT_TRUE(provider->getSortOrder(order, {"B", "A"}, rows));
    EXPECT_EQ(order, DataProvider::SORT_LABEL_ASCENDING);
    EXPECT_EQ(rows, (std::vector<int>{2, 0, 1}));
    EXPECT_FALSE(provider->getSortOrder(order, {"A"}, rows));
    EXPECT_FALSE(provider->getSortOrder(order, {"A", "B", "C"}, rows));
    EXPECT_FALSE(provider->getSortOrder(order, {"a", "B"}, rows));

    // Another layer set replaces the one entry of the row-by query.
    provider->sortOrderChanged(DataProvider::SORT_TIME_DESCENDING, {1, 2, 0}, {"C"});
    EXPECT_EQ(SarvikProvider::m_layerSortInfoMap.size(), 1u);
    EXPECT_FALSE(provider->getSortOrder(order, {"A", "B"}, rows));
    ASSERT_TRUE(provider->getSortOrder(order, {"C"}, rows));
    EXPECT_EQ(order, DataProvider::SORT_TIME_DESCENDING);
}

TEST_F(BandServicesTest, WithoutARowByQueryNothingIsRemembered)
{
    provider->sortOrderChanged(DataProvider::SORT_LABEL_ASCENDING, {0}, {"A"});
    DataProvider::SortOrder order = DataProvider::SORT_NONE;
    std::vector<int> rows;
    EXPECT_FALSE(provider->getSortOrder(order, {"A"}, rows));
    EXPECT_TRUE(SarvikProvider::m_layerSortInfoMap.empty());
}

TEST_F(BandServicesTest, SummaryNamesEveryRowWithItsLifetime)
{
    std::vector<DataProvider::SummaryInfo> lines;
    ASSERT_EQ(provider->getSummaryInfo(lines), 3);
    EXPECT_EQ(lines[1].row, 1);
    EXPECT_EQ(lines[1].name, "io");
    EXPECT_EQ(lines[1].start, 10u);
    EXPECT_EQ(lines[1].end, 90u);
    EXPECT_EQ(lines[2].name, "calc");
    EXPECT_EQ(lines[2].start, 20u);
}

TEST(BandServicesRulerTest, TheRulerHasOneRowSpanningEverything)
{
    ResultHolder result(smallRecords());
    ProviderPtr ruler(new ProbeProvider);
    ruler->setResult(-1, result.get());
    EXPECT_EQ(ruler->getRowCount(), 1);
    EXPECT_FALSE(ruler->hasRowBy());
    std::vector<DataProvider::SummaryInfo> lines;
    ASSERT_EQ(ruler->getSummaryInfo(lines), 1);
    EXPECT_EQ(lines[0].start, 0u);
    EXPECT_EQ(lines[0].end, ~std::uint64_t(0));
    ddb_2_2::string base;
    ddb_2_2::string suffix;
    ddb_2_2::string name;
    ruler->getTimelineFilterNames(base, suffix, name);
    EXPECT_EQ(name.str(), L"timeline_filter_area_-1");
    std::vector<int> rows;
    EXPECT_FALSE(ruler->getVisibleRows(rows));
}

// Rows carry signed 16-bit numbers: the rows past the last of those are counted, not wrapped.
TEST(BandServicesRowLimitTest, RowsPastTheLastShowableOneAreCountedNotWrapped)
{
    dd_sarvik_2_2::store::ResultRecords records = smallRecords();
    auto& threads = records.attributeTables.front();
    const int rows = 33000;
    threads.instances.resize(rows, threads.instances.front());
    records.lifetimes.clear();
    for (int row = 0; row < rows; ++row)
        records.lifetimes.push_back({L"dd_thread", row, 1000, 1100});
    ResultHolder result(std::move(records));
    ProviderPtr provider(new ProbeProvider);
    provider->setResult(0, result.get(), threadRows());
    EXPECT_EQ(provider->getRowCount(), 32767);
    EXPECT_EQ(provider->rowsInResult(), rows);
}

TEST(OpenDataFileTest, OpensAResultDirectoryWithoutStartingTheWorker)
{
    const std::filesystem::path directory = std::filesystem::temp_directory_path() / "velmora_provider_open";
    std::filesystem::remove_all(directory);
    dd_sarvik_2_2::store::GeneratorOptions options;
    options.threads = 5;
    options.samples = 1000;
    ASSERT_EQ(dd_sarvik_2_2::store::ResultGenerator(options).writeTo(directory).code,
              dd_sarvik_2_2::store::StoreCode::ok);
    ProviderPtr provider(new ProbeProvider);
    EXPECT_FALSE(provider->openDataFile("/no/such/directory"));
    EXPECT_EQ(provider->getDataFile(), "/no/such/directory");
    EXPECT_EQ(provider->getRowCount(), 0);
    ASSERT_TRUE(provider->openDataFile(directory.string()));
    EXPECT_EQ(provider->getRowCount(), 5);
    EXPECT_EQ(provider->getDuration(), options.duration); // one tick per nanosecond
    EXPECT_FALSE(provider->IsRunning());
    std::filesystem::remove_all(directory);
}

TEST_F(BandServicesTest, VisibleRowsFollowTheProfileFilter)
{
    std::vector<int> rows;
    ASSERT_TRUE(provider->getVisibleRows(rows));
    EXPECT_EQ(rows, (std::vector<int>{0, 1, 2}));
    filterToThreadOne();
    rows.clear();
    ASSERT_TRUE(provider->getVisibleRows(rows));
    EXPECT_EQ(rows, (std::vector<int>{1}));
}

TEST_F(BandServicesTest, FilterBandIsReusedUntilTheFilterChanges)
{
    ddb_2_2::string base;
    ddb_2_2::string suffix;
    ddb_2_2::string name;
    provider->getTimelineFilterNames(base, suffix, name);
    EXPECT_EQ(name.str(), L"timeline_filter_area_0");
    velmora_1_0::FilterBandService band(*result.get(), provider->getRowByDS(), name);
    EXPECT_FALSE(band.isCurrent());

    ASSERT_TRUE(provider->updateSBFilterData());
    EXPECT_TRUE(band.isCurrent());
    std::vector<DataProvider::SBInterval> intervals;
    ASSERT_TRUE(provider->getSBFilterData(nullptr, 1, intervals));
    ASSERT_EQ(intervals.size(), 1u);
    EXPECT_EQ(intervals[0].start, 10u);
    EXPECT_EQ(intervals[0].end, 90u);

    // Through the worker, as the control asks: recomputed, and the visible rows follow.
    filterToThreadOne();
    EXPECT_FALSE(band.isCurrent());
    provider->requestSBFilterUpdate(nullptr);
    std::vector<int> visible;
    ASSERT_TRUE(chart_test::pumpUntil([&] {
        visible.clear();
        return provider->getVisibleRowFilter(visible);
    }));
    EXPECT_EQ(visible, (std::vector<int>{1}));
    EXPECT_TRUE(band.isCurrent());
    intervals.clear();
    ASSERT_TRUE(provider->getSBFilterData(nullptr, 0, intervals));
    EXPECT_TRUE(intervals.empty());
}

TEST_F(BandServicesTest, ACancelledFilterBandIsNeitherStoredNorStamped)
{
    velmora_1_0::FilterBandService band(*result.get(), provider->getRowByDS(), L"timeline_filter_area_0");
    dd_sarvik_2_2::dd_progress_impl progress;
    progress.cancel();
    EXPECT_FALSE(band.recompute(&progress));
    EXPECT_FALSE(band.isCurrent());
    std::vector<DataProvider::SBInterval> intervals;
    EXPECT_FALSE(provider->getSBFilterData(nullptr, 1, intervals));
}

TEST(FilterBandRequestTest, ANewRequestAbandonsTheRunningComputation)
{
    ProviderPtr provider(new ProbeProvider); // no worker: the running computation stays put
    provider->pretendFilterBandRunning();
    EXPECT_FALSE(provider->filterBandCanceled());
    provider->requestSBFilterUpdate(nullptr);
    EXPECT_TRUE(provider->filterBandCanceled());
}

TEST_F(BandServicesTest, TooltipLinesPerSeriesWithAValue)
{
    SarvikDataSource ds;
    ds.series.push_back({nullptr, "", "", "name", "", "dd_thread"});
    ds.series.push_back({nullptr, "", "", "missing", "", "dd_thread"});
    EXPECT_EQ(provider->getTooltip(&ds, 2), L"\nName: calc");
    EXPECT_EQ(provider->getTooltip(&ds, -1), L"\n");
    EXPECT_EQ(provider->getTooltip(&ds, 99), L"\n");
}

// A field of several lines (a CPU sample's frames) reads as a list under its own label; an empty
// field is left out; measured numbers are rounded.
TEST(InstanceTooltipTest, ListsGoUnderTheirLabelAndNumbersAreRounded)
{
    dd_sarvik_2_2::store::ResultRecords records = smallRecords();
    records.attributeTables.push_back({L"sample",
                                       {{L"category", L""}, {L"stack", L""}, {L"weight", L""}},
                                       {{std::wstring(L"CPU sample"), std::wstring(L"main (app)\nstart (libc.so)"), 0.123456},
                                        {std::wstring(L"instant"), std::wstring(), 2.0}}});
    ResultHolder result(std::move(records));
    const auto query = [](const wchar_t* label) {
        auto made = mirrow2::make_sptr<FakeQuery>(std::make_shared<std::atomic<bool>>(false));
        made->displayName = label;
        return SarvikDataSource::QueryPtr(made);
    };
    SarvikDataSource ds;
    ds.series.push_back({query(L"Category"), "", "", "category", "", "sample"});
    ds.series.push_back({query(L"Stack"), "", "", "stack", "", "sample"});
    ds.series.push_back({query(L"Weight"), "", "", "weight", "", "sample"});
    EXPECT_EQ(velmora_1_0::InstanceTooltip::text(result.get(), ds, 0),
              L"\nCategory: CPU sample\nStack:\n    main (app)\n    start (libc.so)\nWeight: 0.123");
    // No frames: no empty "Stack".
    EXPECT_EQ(velmora_1_0::InstanceTooltip::text(result.get(), ds, 1), L"\nCategory: instant\nWeight: 2");
}

} // namespace
} // namespace provider_test
