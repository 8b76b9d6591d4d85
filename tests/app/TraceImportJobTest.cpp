// The trace import on a worker: its outcome arrives on the owner's thread, and destroying the
// job, however early, stops the worker and silences its callbacks.
#include "SampleResult.h"
#include "TraceImportJob.h"

#include "ViewerProgram.h"
#include "WxTestMain.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace velmora_viewer {
namespace {

namespace fs = std::filesystem;

class TraceImportJobTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_cache = viewer_test::scratchDirectory() / ("job_cache_" + std::to_string(++s_runs));
        ::setenv("XDG_CACHE_HOME", m_cache.c_str(), 1);
    }

    // A trace of `events` complete events on four threads.
    fs::path writeTrace(const std::string& name, int events) const
    {
        const fs::path file = viewer_test::scratchDirectory() / name;
        std::ofstream out(file);
        out << "[\n";
        for (int i = 0; i < events; ++i)
            out << (i ? ",\n" : "") << R"({"ph": "X", "pid": 1, "tid": )" << i % 4 << R"(, "ts": )" << i * 10
                << R"(, "dur": 8, "name": "step", "cat": "work", "args": {"index": )" << i << "}}";
        out << "\n]\n";
        return file;
    }

    // Staging directories left in the cache after the job ended.
    int leftovers() const
    {
        int count = 0;
        std::error_code code;
        for (const auto& entry : fs::recursive_directory_iterator(m_cache / "velmora", code))
            count += entry.path().filename().string().find(".partial-") != std::string::npos ? 1 : 0;
        return count;
    }

    static inline int s_runs = 0;
    fs::path m_cache;
    wxEvtHandler m_owner;
    fs::path m_result;
    std::string m_error;
    bool m_done = false;
    int m_progressCalls = 0;
};

TEST_F(TraceImportJobTest, OutcomeArrivesOnTheOwnersThread)
{
    const std::thread::id mainThread = std::this_thread::get_id();
    std::thread::id doneThread;
    TraceImportJob job(m_owner, writeTrace("small.json", 20), [](int) {},
                       [&](const fs::path& result, const std::string& error) {
                           m_result = result;
                           m_error = error;
                           doneThread = std::this_thread::get_id();
                           m_done = true;
                       });
    ASSERT_TRUE(chart_test::pumpUntil([&] { return m_done; }));
    EXPECT_EQ(doneThread, mainThread);
    EXPECT_TRUE(m_error.empty()) << m_error;
    EXPECT_TRUE(fs::exists(m_result / "result.sqlite"));
    EXPECT_EQ(m_result.parent_path(), SampleResult::cacheDirectory());
    EXPECT_EQ(m_result.parent_path().parent_path(), m_cache / "velmora");
}

TEST_F(TraceImportJobTest, DestroyedJobCancelsAndNeverCallsBack)
{
    const fs::path big = writeTrace("big.json", 100000); // some 10 MB: more than one progress report
    {
        TraceImportJob job(m_owner, big, [&](int) { ++m_progressCalls; },
                           [&](const fs::path&, const std::string&) { m_done = true; });
        ASSERT_TRUE(chart_test::pumpUntil([&] { return m_progressCalls > 0 || m_done; }));
    }
    const int progressCalls = m_progressCalls;
    chart_test::pumpPending();
    EXPECT_FALSE(m_done);
    EXPECT_EQ(m_progressCalls, progressCalls);
    EXPECT_EQ(leftovers(), 0);
    fs::remove(big);
}

// Destroyed at once, before the worker got anywhere, again and again.
TEST_F(TraceImportJobTest, JobDestroyedRightAwayEndsCleanly)
{
    const fs::path trace = writeTrace("race.json", 2000);
    for (int round = 0; round < 20; ++round) {
        TraceImportJob job(m_owner, trace, [&](int) { ++m_progressCalls; },
                           [&](const fs::path&, const std::string&) { m_done = true; });
    }
    chart_test::pumpPending();
    EXPECT_FALSE(m_done);
    EXPECT_EQ(m_progressCalls, 0);
    EXPECT_EQ(leftovers(), 0);
}

} // namespace
} // namespace velmora_viewer
