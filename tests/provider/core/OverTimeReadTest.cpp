#include "ProbeProvider.h"
#include "TestResults.h"

#include "provider/OverTimeReader.h"

#include <dd_sarvik_2_2/dd_overtime_derived_query.h>
#include <dd_sarvik_2_2/dd_progress_impl.h>
#include <dd_sarvik_2_2/store/ResultGenerator.h>
#include <dd_sarvik_2_2/store/ResultRecords.h>

#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <thread>

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
    std::vector<OverTimeData> records;
    ASSERT_TRUE(provider->getAttrOverTimeData(&ds, 0, 0, 100, 2, records));
    ASSERT_EQ(records.size(), 1u);
    const OverTimeData& two = records[0];
    EXPECT_EQ(two.values.size(), 2u);
    EXPECT_EQ(two.row, 0);
    EXPECT_FALSE(two.ownSeries);
    // The stored value 7 of the only instance is above every walked point.
    EXPECT_DOUBLE_EQ(two.maxValue, 7.0);

    std::vector<OverTimeData> missing;
    ds.instanceTable = "no_such_table";
    EXPECT_FALSE(provider->getAttrOverTimeData(&ds, 0, 0, 100, 2, missing));
    EXPECT_TRUE(missing.empty());
}

// A reader of `result` by the rows of `rowBy`, in the result's own clock.
velmora_1_0::OverTimeReader readerOf(const ResultHolder& result, const SarvikDataSource& rowBy)
{
    return velmora_1_0::OverTimeReader(
        *result.get(), &rowBy,
        velmora_1_0::TickClock(result.get()->get_time_origin(), result.get()->get_tick_frequency()));
}

// Sample counts over the whole generated duration in `columns` columns.
dd_overtime_query countQuery(const velmora_1_0::OverTimeReader& reader, std::uint64_t duration, int columns,
                             bool& isPercent)
{
    dd_overtime_query query;
    reader.buildQuery(sampleSource(dd_overtime_query::data_src_count), 0, duration, columns, query, isPercent);
    return query;
}

// A count query counts a sample in the column of its start: those starting inside the duration.
bool startsInside(const dd_sarvik_2_2::store::SampleRecord& sample, const dd_sarvik_2_2::store::GeneratorOptions& options)
{
    return sample.start >= options.timeOrigin && sample.start < options.timeOrigin + options.duration;
}

// Rows that are the counters themselves: each row gets its own series, its own range as scale
// and its unit, checked against the generated points of each counter.
TEST(OverTimeReadCounterRowsTest, EachCounterRowReadsItsOwnSeriesRangeAndUnit)
{
    dd_sarvik_2_2::store::GeneratorOptions options;
    options.threads = 2;
    options.counterValues = 300;
    dd_sarvik_2_2::store::ResultRecords records = dd_sarvik_2_2::store::ResultGenerator(options).generate();
    std::map<std::int32_t, std::pair<double, double>> ranges;
    for (const auto& point : records.timedAttributes.at(0).values) {
        auto [entry, added] = ranges.emplace(point.instanceIndex, std::make_pair(point.value, point.value));
        entry->second = {std::min(entry->second.first, point.value), std::max(entry->second.second, point.value)};
    }
    ASSERT_EQ(ranges.size(), 2u);
    ResultHolder result(std::move(records));
    SarvikDataSource rowBy;
    rowBy.attributeTable = "counter";
    rowBy.instanceTable = "counter";
    rowBy.attributeName = "name";
    SarvikDataSource ds;
    ds.attributeTable = "counter";
    ds.instanceTable = "global_event";
    ds.attributeName = "value";
    const velmora_1_0::OverTimeReader reader = readerOf(result, rowBy);
    std::vector<OverTimeData> rows;
    ASSERT_TRUE(reader.readAttribute(ds, 0, options.duration, 40, 0, 2, [] { return false; }, rows));
    ASSERT_EQ(rows.size(), 2u);
    const wchar_t* const units[] = {L"bytes", L"percent"};
    for (int row = 0; row < 2; ++row) {
        EXPECT_EQ(rows[row].row, row);
        EXPECT_TRUE(rows[row].ownSeries);
        EXPECT_EQ(rows[row].unit, units[row]);
        EXPECT_EQ(rows[row].values.size(), 40u);
        EXPECT_EQ(std::make_pair(rows[row].minValue, rows[row].maxValue), ranges[row]);
        for (const double value : rows[row].values) {
            EXPECT_GE(value, ranges[row].first);
            EXPECT_LE(value, ranges[row].second);
        }
    }
    // Memory in bytes and load in percent are far apart: one shared scale would flatten the load.
    EXPECT_GT(rows[0].maxValue, 1000 * rows[1].maxValue);

    int polls = 0;
    std::vector<OverTimeData> cancelled;
    EXPECT_FALSE(reader.readAttribute(ds, 0, options.duration, 40, 0, 2, [&] { return ++polls > 0; }, cancelled));
}

TEST(OverTimeReadManyRowsTest, EveryRowIsReadAndACancelStopsTheReadOutBetweenRows)
{
    dd_sarvik_2_2::store::GeneratorOptions options;
    options.threads = 1000;
    options.samples = 5000;
    dd_sarvik_2_2::store::ResultRecords records = dd_sarvik_2_2::store::ResultGenerator(options).generate();
    double expected = 0;
    for (const auto& sample : records.sampleTables.at(0).samples)
        if (startsInside(sample, options))
            expected += sample.count;
    ResultHolder result(std::move(records));
    const SarvikDataSource rowBy = threadRows();
    const velmora_1_0::OverTimeReader reader = readerOf(result, rowBy);
    bool isPercent = false;
    const dd_overtime_query query = countQuery(reader, options.duration, 50, isPercent);
    const auto runFirst = [](const auto& call) {
        call(nullptr);
        return true;
    };
    std::vector<OverTimeData> rows;
    ASSERT_TRUE(reader.read(query, isPercent, 1000, 50, runFirst, [] { return false; }, rows));
    ASSERT_EQ(rows.size(), 1000u);
    double total = 0;
    for (const OverTimeData& row : rows)
        for (const double value : row.values)
            total += value;
    EXPECT_EQ(total, expected); // every sample's count once, in its own row

    // Cancelled once the engine has answered: the rows are no longer read out.
    int polls = 0;
    std::vector<OverTimeData> cancelled;
    EXPECT_FALSE(reader.read(query, isPercent, 1000, 50, runFirst, [&] { return ++polls > 0; }, cancelled));
    EXPECT_EQ(polls, 1);
}

// Counts the steps of a read and cancels it once `cancelAt` rows are done (never when 0).
class CountingProgress : public dd_sarvik_2_2::dd_progress_impl {
public:
    explicit CountingProgress(double cancelAt) : m_cancelAt(cancelAt) {}
    int starts = 0;
    int finishes = 0;
    double total = 0;
    double done = 0;
    bool fell = false; // a report went backwards

protected:
    void onStart(double steps) override
    {
        ++starts;
        total = steps;
    }
    void onProgress(double steps) override
    {
        fell = fell || steps < 0;
        done += steps;
        if (m_cancelAt > 0 && done >= m_cancelAt)
            cancel();
    }
    void onFinish() override { ++finishes; }

private:
    double m_cancelAt;
};

// More rows than the reader computes at once: rows on both sides of every block boundary are
// read whole, the percentage runs once over all rows, and a cancel half-way through stops the
// blocks still to come instead of computing them.
TEST(OverTimeReadManyRowsTest, BlocksOfRowsReadEveryRowUnderOneProgressRunAndACancelStopsTheRest)
{
    constexpr int threads = 2500;
    dd_sarvik_2_2::store::GeneratorOptions options;
    options.threads = threads;
    options.samples = 10000;
    options.markers = 0;
    options.transitions = 0;
    dd_sarvik_2_2::store::ResultRecords records = dd_sarvik_2_2::store::ResultGenerator(options).generate();
    std::vector<double> expected(threads, 0.0);
    for (const auto& sample : records.sampleTables.at(0).samples)
        if (startsInside(sample, options))
            expected.at(static_cast<std::size_t>(sample.row)) += sample.count;
    ResultHolder result(std::move(records));
    const SarvikDataSource rowBy = threadRows();
    const velmora_1_0::OverTimeReader reader = readerOf(result, rowBy);
    bool isPercent = false;
    const dd_overtime_query query = countQuery(reader, options.duration, 20, isPercent);

    CountingProgress whole(0);
    const auto runWhole = [&](const auto& call) {
        call(&whole);
        return !whole.is_canceled();
    };
    std::vector<OverTimeData> rows;
    ASSERT_TRUE(reader.read(query, isPercent, threads, 20, runWhole, [] { return false; }, rows));
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(threads));
    for (int row = 0; row < threads; ++row) {
        double total = 0;
        for (const double value : rows[row].values)
            total += value;
        EXPECT_EQ(rows[row].row, row);
        ASSERT_EQ(total, expected[row]) << "row " << row;
    }
    EXPECT_EQ(whole.starts, 1);
    EXPECT_EQ(whole.finishes, 1);
    EXPECT_EQ(whole.total, threads);
    EXPECT_EQ(whole.done, threads);

    CountingProgress halfWay(threads / 2);
    const auto runHalfWay = [&](const auto& call) {
        call(&halfWay);
        return !halfWay.is_canceled();
    };
    std::vector<OverTimeData> cancelled;
    EXPECT_FALSE(reader.read(query, isPercent, threads, 20, runHalfWay, [] { return false; }, cancelled));
    EXPECT_LT(halfWay.done, threads);
    EXPECT_EQ(halfWay.finishes, 1);
}

// Sample counts plus active instances, bucket by bucket: two references, so the engine fills
// two answers for every block of rows.
SarvikDataSource countsPlusActive()
{
    using dd_sarvik_2_2::dd_rpn_node_param_db_ref_t;
    using dd_sarvik_2_2::dd_rpn_node_t;
    SarvikDataSource ds;
    ds.queryKind = 6;
    dd_rpn_node_param_db_ref_t counts(dd_rpn_node_param_db_ref_t::kind_count);
    counts.add_entry({L"function", L"dd_sample", L"", ddb_2_2::variant()});
    dd_rpn_node_param_db_ref_t active(dd_rpn_node_param_db_ref_t::kind_instance_count);
    active.add_entry({L"function", L"dd_sample", L"", ddb_2_2::variant()});
    ds.expression = {dd_rpn_node_t::make_db_ref(counts), dd_rpn_node_t::make_db_ref(active),
                     dd_rpn_node_t::make_operator(dd_rpn_node_t::type_add)};
    return ds;
}

// A result of more rows than one block, read by thread.
class DerivedManyRowsTest : public ::testing::Test {
protected:
    static constexpr int threads = 2500;
    static constexpr int columns = 20;

    DerivedManyRowsTest() { reader.buildDerivedQuery(countsPlusActive(), 0, options.duration, columns, query); }

    static dd_sarvik_2_2::store::GeneratorOptions manyRows()
    {
        dd_sarvik_2_2::store::GeneratorOptions options;
        options.threads = threads;
        options.samples = 10000;
        options.markers = 0;
        options.transitions = 0;
        return options;
    }

    // Each thread's sample counts, summed by hand.
    std::vector<double> countsOf(const dd_sarvik_2_2::store::ResultRecords& generated) const
    {
        std::vector<double> counts(threads, 0.0);
        for (const auto& sample : generated.sampleTables.at(0).samples)
            if (startsInside(sample, options))
                counts.at(static_cast<std::size_t>(sample.row)) += sample.count;
        return counts;
    }

    // The same buckets read by the plain over-time read of one data source.
    std::vector<OverTimeData> plainRead(dd_overtime_query::data_src source) const
    {
        dd_overtime_query plain;
        bool isPercent = false;
        reader.buildQuery(sampleSource(source), 0, options.duration, columns, plain, isPercent);
        std::vector<OverTimeData> rows;
        EXPECT_TRUE(reader.read(plain, isPercent, threads, columns, noProgress, [] { return false; }, rows));
        return rows;
    }

    static bool noProgress(const std::function<void(dd_sarvik_2_2::dd_progress_impl*)>& call)
    {
        call(nullptr);
        return true;
    }

    const dd_sarvik_2_2::store::GeneratorOptions options = manyRows();
    dd_sarvik_2_2::store::ResultRecords records = dd_sarvik_2_2::store::ResultGenerator(options).generate();
    const std::vector<double> expectedCounts = countsOf(records);
    ResultHolder result{std::move(records)};
    const SarvikDataSource rowBy = threadRows();
    const velmora_1_0::OverTimeReader reader = readerOf(result, rowBy);
    dd_sarvik_2_2::dd_overtime_derived_query query;
};

// Every row of every block, bucket by bucket, is the sum of the two plain reads, the counts of
// each row add up to its samples, and the percentage runs once to the row count although the
// engine counts two fills per block.
TEST_F(DerivedManyRowsTest, EveryRowOfEveryBlockIsTheExpressionOfThePlainReadsUnderOneProgressRun)
{
    const std::vector<OverTimeData> counts = plainRead(dd_overtime_query::data_src_count);
    const std::vector<OverTimeData> active = plainRead(dd_overtime_query::data_src_instance_count);
    CountingProgress whole(0);
    const auto runWhole = [&](const auto& call) {
        call(&whole);
        return !whole.is_canceled();
    };
    std::vector<OverTimeData> rows;
    ASSERT_TRUE(reader.readDerived(query, threads, columns, runWhole, [] { return false; }, rows));
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(threads));
    double max = 0;
    for (int row = 0; row < threads; ++row) {
        ASSERT_EQ(rows[row].row, row);
        ASSERT_EQ(rows[row].values.size(), static_cast<std::size_t>(columns));
        double countSum = 0;
        for (int column = 0; column < columns; ++column) {
            ASSERT_EQ(rows[row].values[column], counts[row].values[column] + active[row].values[column])
                << "row " << row << " column " << column;
            countSum += counts[row].values[column];
            max = std::max(max, rows[row].values[column]);
        }
        ASSERT_EQ(countSum, expectedCounts[row]) << "row " << row;
    }
    EXPECT_GT(max, 0.0);
    EXPECT_EQ(rows.back().maxValue, max);
    EXPECT_EQ(whole.starts, 1);
    EXPECT_EQ(whole.finishes, 1);
    EXPECT_FALSE(whole.fell);
    EXPECT_EQ(whole.total, threads);
    EXPECT_EQ(whole.done, threads);
}

TEST_F(DerivedManyRowsTest, ACancelHalfWayOrBetweenRowsStopsTheBlocksStillToCome)
{
    CountingProgress halfWay(threads / 2);
    const auto runHalfWay = [&](const auto& call) {
        call(&halfWay);
        return !halfWay.is_canceled();
    };
    std::vector<OverTimeData> rows;
    EXPECT_FALSE(reader.readDerived(query, threads, columns, runHalfWay, [] { return false; }, rows));
    EXPECT_LT(halfWay.done, threads);
    EXPECT_EQ(halfWay.finishes, 1);

    int polls = 0;
    std::vector<OverTimeData> cancelled;
    EXPECT_FALSE(reader.readDerived(query, threads, columns, noProgress, [&] { return ++polls > 1; }, cancelled));
    EXPECT_EQ(polls, 2);
}

// The engine's workers report a block's rows while this thread completes blocks and another
// cancels once the read has passed a share of its rows.
TEST_F(DerivedManyRowsTest, ACancelFromAnotherThreadWhileTheWorkersReportEndsTheRead)
{
    std::vector<OverTimeData> reference;
    ASSERT_TRUE(reader.readDerived(query, threads, columns, noProgress, [] { return false; }, reference));
    for (const double share : {0.1, 0.5, 0.9}) {
        SCOPED_TRACE(share);
        dd_sarvik_2_2::dd_progress_impl progress;
        std::atomic<bool> ended{false};
        std::thread canceller([&] {
            while (!ended && progress.get_steps_done() < share * threads)
                std::this_thread::yield();
            progress.cancel();
        });
        const auto run = [&](const auto& call) {
            call(&progress);
            return !progress.is_canceled();
        };
        std::vector<OverTimeData> rows;
        const bool read = reader.readDerived(query, threads, columns, run, [] { return false; }, rows);
        ended = true;
        canceller.join();
        if (read) { // the cancel came after the last row
            for (int row = 0; row < threads; ++row)
                ASSERT_EQ(rows[row].values, reference[row].values) << "row " << row;
        }
    }
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
