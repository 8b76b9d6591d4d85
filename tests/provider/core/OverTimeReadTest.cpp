#include "ProbeProvider.h"
#include "TestResults.h"

#include <dd_sarvik_2_2/store/ResultRecords.h>

#include <gtest/gtest.h>

namespace provider_test {
namespace {

using velmora_1_0::SarvikDataSource;
using OverTimeData = velmora_1_0::SarvikProvider::OverTimeData;
using dd_sarvik_2_2::dd_overtime_query;

class OverTimeReadTest : public ::testing::Test {
protected:
    // Four buckets of 25 ticks over the whole small result.
    std::vector<OverTimeData> read(const SarvikDataSource& ds)
    {
        std::vector<OverTimeData> out;
        EXPECT_TRUE(provider->getOverTimeData(&ds, 0, 100, 4, out));
        return out;
    }

    ResultHolder result{smallRecords()};
    ProviderPtr provider = makeAreaProvider(result.get());
};

TEST_F(OverTimeReadTest, RunningTotalsBecomePerBucketCountsWithOneSharedMaximum)
{
    const std::vector<OverTimeData> rows = read(sampleSource(dd_overtime_query::data_src_count));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].values, (std::vector<double>{5, 0, 4, 0}));
    EXPECT_EQ(rows[1].values, (std::vector<double>{10, 0, 0, 0}));
    EXPECT_EQ(rows[2].values, (std::vector<double>(4, 0.0))); // no samples: zeros
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(rows[row].row, row);
        EXPECT_DOUBLE_EQ(rows[row].maxValue, 10.0);
        EXPECT_FALSE(rows[row].isPercent);
    }
}

TEST_F(OverTimeReadTest, TimeIsAShareOfTheBucketWithAScaleOfAtLeastHundred)
{
    const std::vector<OverTimeData> rows = read(sampleSource(dd_overtime_query::data_src_time));
    ASSERT_EQ(rows.size(), 3u);
    // Ten ticks of a 25-tick bucket.
    EXPECT_EQ(rows[1].values, (std::vector<double>{40, 0, 0, 0}));
    EXPECT_TRUE(rows[1].isPercent);
    EXPECT_DOUBLE_EQ(rows[0].maxValue, 100.0);

    // Two buckets of 5 ticks: the ten ticks fill the first at 200%, and the scale follows.
    std::vector<OverTimeData> narrow;
    const SarvikDataSource ds = sampleSource(dd_overtime_query::data_src_time);
    ASSERT_TRUE(provider->getOverTimeData(&ds, 10, 20, 2, narrow));
    EXPECT_EQ(narrow[1].values, (std::vector<double>{100, 100}));
    EXPECT_DOUBLE_EQ(narrow[1].maxValue, 100.0);
}

TEST_F(OverTimeReadTest, DerivedValuesAreTakenAsTheEngineEvaluatesThem)
{
    SarvikDataSource ds;
    ds.queryKind = 6;
    dd_sarvik_2_2::dd_rpn_node_param_db_ref_t counts(dd_sarvik_2_2::dd_rpn_node_param_db_ref_t::kind_count);
    counts.add_entry({L"function", L"dd_sample", L"", ddb_2_2::variant()});
    ds.expression = {dd_sarvik_2_2::dd_rpn_node_t::make_db_ref(counts), dd_sarvik_2_2::dd_rpn_node_t::make_constant(2),
                     dd_sarvik_2_2::dd_rpn_node_t::make_operator(dd_sarvik_2_2::dd_rpn_node_t::type_multiply)};
    std::vector<OverTimeData> rows;
    ASSERT_TRUE(provider->getDerivedOverTimeData(&ds, 0, 100, 4, rows));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].values, (std::vector<double>{10, 0, 8, 0}));
    EXPECT_EQ(rows[1].values, (std::vector<double>{20, 0, 0, 0}));
    EXPECT_DOUBLE_EQ(rows[2].maxValue, 20.0);
    EXPECT_FALSE(rows[0].isPercent);
}

TEST_F(OverTimeReadTest, AttributeValuesStopAtTheBucketCountAndScaleOverAllInstances)
{
    SarvikDataSource ds;
    ds.attributeTable = "counter";
    ds.instanceTable = "counter";
    ds.attributeName = "value";
    OverTimeData two;
    ASSERT_TRUE(provider->getAttrOverTimeData(&ds, 0, 0, 100, 2, two));
    EXPECT_EQ(two.values.size(), 2u);
    EXPECT_EQ(two.row, 0);
    // The stored value 7 of the only instance is above every walked point.
    EXPECT_DOUBLE_EQ(two.maxValue, 7.0);

    OverTimeData missing;
    ds.instanceTable = "no_such_table";
    EXPECT_FALSE(provider->getAttrOverTimeData(&ds, 0, 0, 100, 2, missing));
}

TEST(OverTimeReadEmptyTest, AnAreaWithoutRowsAnswersWithNoRecords)
{
    dd_sarvik_2_2::store::ResultRecords records = smallRecords();
    records.attributeTables[0].instances.clear();
    records.lifetimes.clear();
    records.sampleTables[0].samples.clear();
    records.bandTables.clear();
    ResultHolder result(std::move(records));
    ProviderPtr provider = makeAreaProvider(result.get());
    EXPECT_EQ(provider->getRowCount(), 0);
    std::vector<OverTimeData> rows;
    const SarvikDataSource ds = sampleSource(dd_overtime_query::data_src_count);
    EXPECT_TRUE(provider->getOverTimeData(&ds, 0, 100, 4, rows));
    EXPECT_TRUE(rows.empty());
}

} // namespace
} // namespace provider_test
