// Opening a result under one progress run over the read and the build of its tables: the run
// rises once to its total, and a cancel wherever it lands (at any report, from another thread)
// ends the open with the read's cancel error, leaves no result behind, and a later open works.

#include "ScratchDirectory.h"
#include "SmallResult.h"
#include "sarvik/ResultBuilder.h"

#include <dd_sarvik_2_2/Sarvik.h>
#include <dd_sarvik_2_2/dd_overtime_query.h>
#include <dd_sarvik_2_2/dd_progress_impl.h>
#include <dd_sarvik_2_2/store/ResultGenerator.h>
#include <dd_sarvik_2_2/store/ResultWriter.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace dd_sarvik_2_2 {
namespace {

// Keeps every report; cancels itself at its `cancelAt`-th report (never when 0), or at the
// report that reaches the total (which only the build's last step can make).
class ReportLog : public dd_progress_impl {
public:
    explicit ReportLog(std::size_t cancelAt = 0, bool cancelAtTotal = false)
        : m_cancelAt(cancelAt), m_cancelAtTotal(cancelAtTotal)
    {
    }
    int starts = 0;
    int finishes = 0;
    std::vector<double> done;

protected:
    void onStart(double) override { ++starts; }
    void onProgress(double) override
    {
        done.push_back(get_steps_done());
        if (done.size() == m_cancelAt || (m_cancelAtTotal && get_steps_done() >= get_total_steps()))
            cancel();
    }
    void onFinish() override { ++finishes; }

private:
    std::size_t m_cancelAt;
    bool m_cancelAtTotal;
};

void expectOneRunToItsTotal(const ReportLog& log)
{
    EXPECT_EQ(log.starts, 1);
    EXPECT_EQ(log.finishes, 1);
    ASSERT_FALSE(log.done.empty());
    for (std::size_t i = 1; i < log.done.size(); ++i)
        ASSERT_LE(log.done[i - 1], log.done[i]) << "report " << i;
    EXPECT_EQ(log.done.back(), log.get_total_steps());
}

store::GeneratorOptions smallOptions()
{
    store::GeneratorOptions options;
    options.threads = 300;
    options.samples = 20000;
    return options;
}

// Sample counts of every thread over one column: each thread's counts, summed by hand.
std::vector<std::uint64_t> countsByRow(const store::ResultRecords& records, std::uint32_t threads)
{
    std::vector<std::uint64_t> counts(threads, 0);
    const std::uint64_t end = records.timeOrigin + records.duration;
    for (const store::SampleRecord& s : records.sampleTables.at(0).samples)
        if (s.start >= records.timeOrigin && s.start < end)
            counts.at(static_cast<std::size_t>(s.row)) += s.count;
    return counts;
}

void expectCounts(Result& result, const std::vector<std::uint64_t>& expected)
{
    dd_overtime_query sub;
    sub.init(L"dd_thread", L"dd_sample", L"function");
    dd_overtime_query query;
    query += sub;
    query.set_data_source(dd_overtime_query::data_src_count);
    query.set_data_width(result.get_time_origin(), result.get_time_origin() + result.get_duration(), 1);
    query.set_axis_instance_and_attr(L"dd_thread", L"dd_band");
    Result::overtime_bucket bucket;
    for (std::size_t row = 0; row < expected.size(); ++row) {
        Result::overtime_bucket::const_iterator it;
        ASSERT_TRUE(result.get_overtime_data(bucket, it, query, ddb_2_2::index(row), nullptr));
        ASSERT_EQ(it.at_end() ? 0 : it->get_value(), expected[row]) << "row " << row;
    }
}

class OpenCancel : public ::testing::Test {
protected:
    OpenCancel()
    {
        const store::ResultGenerator generator(smallOptions());
        m_counts = countsByRow(generator.generate(), smallOptions().threads);
        EXPECT_TRUE(generator.writeTo(m_dir.path()).ok());
    }

    dd_error open(Result*& result, dd_progress_impl* progress)
    {
        return m_engine.result_open(result, ddb_2_2::string(m_dir.path().wstring()), L"", progress);
    }

    ScratchDirectory m_dir{"sarvik_open_cancel"};
    Sarvik m_engine;
    std::vector<std::uint64_t> m_counts;
};

TEST_F(OpenCancel, ACancelAtAnyReportOfTheReadOrTheBuildEndsTheOpenAndALaterOpenWorks)
{
    ReportLog whole;
    Result* opened = nullptr;
    ASSERT_EQ(open(opened, &whole).code, 0);
    expectOneRunToItsTotal(whole);
    expectCounts(*opened, m_counts);
    ASSERT_TRUE(m_engine.close_result(opened));

    // The first report is the read's: its error is the one every cancel must give.
    std::wstring readCancel;
    for (std::size_t at = 1; at <= whole.done.size(); ++at) {
        SCOPED_TRACE(at);
        ReportLog log(at);
        Result* result = nullptr;
        const dd_error error = open(result, &log);
        EXPECT_EQ(error.code, 8);
        if (at == 1)
            readCancel = error.message;
        EXPECT_FALSE(error.message.empty());
        EXPECT_EQ(error.message, readCancel);
        EXPECT_EQ(result, nullptr);
        EXPECT_EQ(log.finishes, 1);
        EXPECT_EQ(log.done.size(), at);   // no report after the cancel
    }

    // Cancelled at the build's last step, with every table built: still nothing is kept.
    ReportLog atTotal(0, true);
    Result* late = nullptr;
    const dd_error error = open(late, &atTotal);
    EXPECT_EQ(error.code, 8);
    EXPECT_EQ(error.message, readCancel);
    EXPECT_EQ(late, nullptr);

    Result* again = nullptr;
    ASSERT_EQ(open(again, nullptr).code, 0);
    expectCounts(*again, m_counts);
}

// The canceller waits for the open to reach a share of its run, then cancels: early in the
// read, late in it, and in the build (its last few percent).
TEST_F(OpenCancel, ACancelFromAnotherThreadEndsTheOpenCleanlyWhereverItLands)
{
    for (const double share : {0.0, 0.3, 0.9, 0.965, 0.98, 0.995}) {
        SCOPED_TRACE(share);
        dd_progress_impl progress;
        std::atomic<bool> ended{false};
        std::thread canceller([&] {
            while (!ended && (progress.get_total_steps() <= 0 ||
                              progress.get_steps_done() < share * progress.get_total_steps()))
                std::this_thread::yield();
            progress.cancel();
        });
        Result* result = nullptr;
        const dd_error error = open(result, &progress);
        ended = true;
        canceller.join();
        if (error.code == 0) {
            // The cancel came after the last step: the open is whole.
            ASSERT_NE(result, nullptr);
            expectCounts(*result, m_counts);
            EXPECT_TRUE(m_engine.close_result(result));
        } else {
            EXPECT_EQ(error.code, 8);
            EXPECT_EQ(result, nullptr);
        }
    }
    Result* again = nullptr;
    ASSERT_EQ(open(again, nullptr).code, 0);
    expectCounts(*again, m_counts);
}

// With nothing stored the read never reports: the run still starts once and ends at its total.
TEST(OpenProgressTest, AResultWithNothingStoredRunsItsProgressOnceToTheEnd)
{
    store::ResultRecords records;
    records.name = L"empty";
    records.timeOrigin = 0;
    records.tickFrequency = 1000;
    records.duration = 10;
    ScratchDirectory dir("sarvik_open_empty");
    ASSERT_TRUE(store::ResultWriter().write(dir.path(), records).ok());
    Sarvik engine;
    Result* result = nullptr;
    ReportLog log;
    ASSERT_EQ(engine.result_open(result, ddb_2_2::string(dir.path().wstring()), L"", &log).code, 0);
    expectOneRunToItsTotal(log);
}

// Many lifetimes make the build stop to poll inside one table as well as between tables.
TEST(ResultBuildStopTest, StoppedAtAnyStepTheBuildGivesNothingAndUnstoppedItsReportsRiseToTheTotal)
{
    constexpr std::int32_t lifetimes = 40000;
    const auto records = [] {
        store::ResultRecords r = test::smallRecords();
        for (std::int32_t i = 0; i < lifetimes; ++i)
            r.lifetimes.push_back({L"dd_thread", i % 3, 1000 + static_cast<std::uint64_t>(i % 50), 1100});
        return r;
    };
    std::vector<std::pair<std::size_t, std::size_t>> reports;
    const auto whole = ResultBuilder::build(records(), {}, L"", [&](std::size_t done, std::size_t total) {
        reports.emplace_back(done, total);
        return true;
    });
    ASSERT_NE(whole, nullptr);
    ASSERT_GT(reports.size(), 4u);
    for (std::size_t i = 1; i < reports.size(); ++i) {
        EXPECT_LE(reports[i - 1].first, reports[i].first);
        EXPECT_EQ(reports[i].second, reports[0].second);
    }
    EXPECT_EQ(reports.back().first, reports.back().second);
    // Polled within the lifetimes, not only once they are all done.
    EXPECT_LT(reports[0].first, static_cast<std::size_t>(lifetimes));

    for (std::size_t stopAt = 1; stopAt <= reports.size(); ++stopAt) {
        std::size_t calls = 0;
        const auto stopped = ResultBuilder::build(records(), {}, L"", [&](std::size_t, std::size_t) {
            return ++calls < stopAt;
        });
        EXPECT_EQ(stopped, nullptr) << "stopped at " << stopAt;
        EXPECT_EQ(calls, stopAt);
    }
}

}  // namespace
}  // namespace dd_sarvik_2_2
