// Opening a result on a worker: the session and the progress arrive on the owner's thread, a
// failure comes back as the error, and destroying the job at any moment stops the engine's load
// and silences its callbacks.
#include "ResultOpenJob.h"
#include "ViewerSession.h"

#include "ViewerProgram.h"
#include "WxTestMain.h"

#include <dd_sarvik_2_2/Result.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

namespace velmora_viewer {
namespace {

namespace fs = std::filesystem;

class ResultOpenJobTest : public ::testing::Test {
protected:
    std::unique_ptr<ResultOpenJob> start(const fs::path& result, const std::string& viewpoint = "default")
    {
        return std::make_unique<ResultOpenJob>(
            m_owner, result, viewpoint,
            [this](int percent) {
                m_percents.push_back(percent);
                m_progressThread = std::this_thread::get_id();
            },
            [this](std::unique_ptr<ViewerSession> session, const std::string& error) {
                m_session = std::move(session);
                m_error = error;
                m_doneThread = std::this_thread::get_id();
                m_done = true;
            });
    }

    wxEvtHandler m_owner;
    std::vector<int> m_percents;
    std::unique_ptr<ViewerSession> m_session;
    std::string m_error;
    bool m_done = false;
    std::thread::id m_progressThread;
    std::thread::id m_doneThread;
};

TEST_F(ResultOpenJobTest, SessionAndRisingProgressArriveOnTheOwnersThread)
{
    const auto job = start(viewer_test::largeResult());
    ASSERT_TRUE(chart_test::pumpUntil([this] { return m_done; }, 60000));
    ASSERT_NE(m_session, nullptr) << m_error;
    ASSERT_NE(m_session->result(), nullptr);
    EXPECT_EQ(m_session->resultDirectory(), viewer_test::largeResult());
    EXPECT_EQ(m_session->viewpointName(), "default");
    EXPECT_EQ(m_doneThread, std::this_thread::get_id());
    ASSERT_FALSE(m_percents.empty());
    EXPECT_EQ(m_progressThread, std::this_thread::get_id());
    EXPECT_TRUE(std::is_sorted(m_percents.begin(), m_percents.end()));
    EXPECT_EQ(std::adjacent_find(m_percents.begin(), m_percents.end()), m_percents.end()) << "a step told twice";
    EXPECT_GE(m_percents.front(), 0);
    EXPECT_LE(m_percents.back(), 100);
}

TEST_F(ResultOpenJobTest, FailureComesBackAsTheError)
{
    const auto missing = start(viewer_test::scratchDirectory() / "no_such_result");
    ASSERT_TRUE(chart_test::pumpUntil([this] { return m_done; }));
    EXPECT_EQ(m_session, nullptr);
    EXPECT_NE(m_error.find("no result directory at"), std::string::npos) << m_error;

    m_done = false;
    const auto unknown = start(viewer_test::largeResult(), "no_such_viewpoint");
    ASSERT_TRUE(chart_test::pumpUntil([this] { return m_done; }));
    EXPECT_EQ(m_session, nullptr);
    EXPECT_NE(m_error.find("unknown viewpoint \"no_such_viewpoint\""), std::string::npos) << m_error;
}

TEST_F(ResultOpenJobTest, JobDestroyedMidLoadStopsAndNeverCallsBack)
{
    auto job = start(viewer_test::largeResult());
    ASSERT_TRUE(chart_test::pumpUntil([this] { return !m_percents.empty() || m_done; }, 60000));
    ASSERT_FALSE(m_done) << "the load ended before the test could cancel it";
    job.reset();
    const std::size_t told = m_percents.size();
    chart_test::pumpPending();
    EXPECT_FALSE(m_done);
    EXPECT_EQ(m_percents.size(), told);
}

// Destroyed while the worker is anywhere in the load (reading the viewpoint, the result, the
// query library, handing over), again and again, with queued calls left pending.
TEST_F(ResultOpenJobTest, JobDestroyedAtAnyMomentEndsCleanly)
{
    const fs::path result = viewer_test::sampleResult();
    for (int round = 0; round < 12; ++round) {
        auto job = start(result);
        std::this_thread::sleep_for(std::chrono::milliseconds(round * 5)); // where the worker is, not a wait for it
        job.reset();
    }
    chart_test::pumpPending();
    EXPECT_FALSE(m_done);
    EXPECT_TRUE(m_percents.empty());
}

} // namespace
} // namespace velmora_viewer
