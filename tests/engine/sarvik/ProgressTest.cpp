// Progress reports and cancellation of over-time queries, including a cancel from another
// thread while the query runs.

#include "sarvik/ResultBuilder.h"

#include <dd_sarvik_2_2/dd_overtime_query.h>
#include <dd_sarvik_2_2/dd_progress_impl.h>

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <thread>

namespace dd_sarvik_2_2 {
namespace {

constexpr int rows = 400;
constexpr int samplesPerRow = 2000;

std::unique_ptr<Result> largeResult()
{
    store::ResultRecords records;
    records.attributeTables.push_back({L"function", {{L"name", L""}}, {{L"f"}}});
    store::SampleTableRecord samples{L"dd_sample", L"function", {}};
    samples.samples.reserve(rows * samplesPerRow);
    for (int r = 0; r < rows; ++r)
        for (int i = 0; i < samplesPerRow; ++i)
            samples.samples.push_back({r, std::uint64_t(i) * 10, std::uint64_t(i) * 10 + 7, 1, 0});
    records.sampleTables.push_back(std::move(samples));
    return ResultBuilder::build(std::move(records), ddb_2_2::string());
}

dd_overtime_query timeQuery()
{
    dd_overtime_query sub;
    sub.init(L"dd_thread", L"dd_sample", L"function");
    dd_overtime_query query;
    query += sub;
    query.set_data_width(0, samplesPerRow * 10, 100);
    query.set_axis_instance_and_attr(L"dd_thread", L"dd_band");
    return query;
}

/// Records the hooks; optionally holds the first progress report until released.
class RecordingProgress : public dd_progress_impl {
public:
    bool holdFirstReport = false;
    double startedWith = -1.0;
    int finishes = 0;

    void waitForFirstReport()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_changed.wait(lock, [this] { return m_reported; });
    }
    void release()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_released = true;
        m_changed.notify_all();
    }

protected:
    void onStart(double total) override { startedWith = total; }
    void onProgress(double) override
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_reported = true;
        m_changed.notify_all();
        if (holdFirstReport)
            m_changed.wait(lock, [this] { return m_released; });
    }
    void onFinish() override { ++finishes; }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_reported = false;
    bool m_released = false;
};

TEST(Progress, ReportsOneStepPerRowAndFinishesOnce)
{
    auto result = largeResult();
    RecordingProgress progress;
    Result::overtime_bucket bucket;
    Result::overtime_bucket::const_iterator it;
    ASSERT_TRUE(result->get_overtime_data(bucket, it, timeQuery(), ddb_2_2::index(0), &progress));
    EXPECT_EQ(progress.startedWith, rows);
    EXPECT_EQ(progress.get_steps_done(), rows);
    EXPECT_EQ(progress.finishes, 1);
    // Row 0: 7 of every 10 ticks, 200 ticks per bucket -> 140 per bucket.
    EXPECT_EQ(it->get_value(), 140u);

    // Later rows are looked up without computing again.
    ASSERT_TRUE(result->get_overtime_data(bucket, it, timeQuery(), ddb_2_2::index(399), &progress));
    EXPECT_EQ(progress.finishes, 1);
}

TEST(Progress, CancelFromAnotherThreadStopsTheRunningQuery)
{
    auto result = largeResult();
    RecordingProgress progress;
    progress.holdFirstReport = true;
    std::thread canceller([&] {
        progress.waitForFirstReport();
        progress.cancel();
        progress.release();
    });
    Result::overtime_bucket bucket;
    Result::overtime_bucket::const_iterator it;
    const bool answered = result->get_overtime_data(bucket, it, timeQuery(), ddb_2_2::index(0), &progress);
    canceller.join();
    EXPECT_FALSE(answered);
    EXPECT_FALSE(it.is_valid());
    EXPECT_TRUE(progress.is_canceled());
    EXPECT_LT(progress.get_steps_done(), rows);
    EXPECT_EQ(progress.finishes, 1);
}

TEST(Progress, AlreadyCancelledQueryComputesNothing)
{
    auto result = largeResult();
    RecordingProgress progress;
    progress.cancel();
    Result::overtime_bucket bucket;
    Result::overtime_bucket::const_iterator it;
    EXPECT_FALSE(result->get_overtime_data(bucket, it, timeQuery(), ddb_2_2::index(0), &progress));
    EXPECT_EQ(progress.get_steps_done(), 0.0);
}

TEST(Progress, CancelAndPollRaceCleanly)
{
    dd_progress_impl progress;
    std::thread poller([&] {
        while (!progress.is_canceled())
            progress.progressed(1.0);
    });
    std::thread canceller([&] { progress.cancel(); });
    canceller.join();
    poller.join();
    EXPECT_TRUE(progress.is_canceled());
}

}  // namespace
}  // namespace dd_sarvik_2_2
