// A live recording: perf records the hand-off program of this suite (two threads passing a turn
// through a condition variable), and the import must show both threads with their samples and
// about one wake-up per turn each way. Skipped, saying why, where perf is missing or may not
// record; the message naming the package when perf is missing is tested everywhere.
#include "PerfImportFixture.h"

#include "perf/PerfDataRecordReader.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace velmora_import {
namespace {

namespace fs = std::filesystem;

constexpr int ROUNDS = 100;

std::string contentOf(const fs::path& file)
{
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class PerfLiveRecordingTest : public PerfImportFixture {
protected:
    int transitions(int from, int to) const { return static_cast<int>(objectsOn(L"wait_state", to, from).size()); }
    int samplesOn(int row) const
    {
        int count = 0;
        for (const auto& sample : samples())
            count += sample.row == row;
        return count;
    }
};

TEST_F(PerfLiveRecordingTest, MissingPerfIsNamedWithItsPackage)
{
    const fs::path file = scratch("perf.data");
    std::ofstream(file, std::ios::binary) << "PERFILE2 and not much else";
    dd_sarvik_2_2::store::ResultRecords records;
    std::vector<std::string> notes;
    std::string error;
    EXPECT_FALSE(PerfDataRecordReader("velmora-no-such-perf").read(file, {}, records, notes, error));
    EXPECT_NE(error.find("linux-perf"), std::string::npos) << error;
    EXPECT_EQ(error.rfind(file.string(), 0), 0u) << error;
}

TEST_F(PerfLiveRecordingTest, HandOffProgramShowsItsThreadsAndWakeUps)
{
    if (std::system("perf --version > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "perf is not installed (Debian package linux-perf): no live recording here";
    const fs::path data = scratch("hand_off.data");
    const fs::path log = scratch("record.log");
    const std::string record = "perf record -q -o " + data.string() +
                               " -e sched:sched_switch -e sched:sched_wakeup -e cpu-clock -g -- " HAND_OFF_PROGRAM " " +
                               std::to_string(ROUNDS) + " 300 > " + log.string() + " 2>&1";
    if (std::system(record.c_str()) != 0)
        GTEST_SKIP() << "perf may not record scheduler events here: " << contentOf(log);

    ASSERT_TRUE(importFile(data)) << m_error;
    int ping = -1;
    int pong = -1;
    const auto& threads = attributes(L"dd_thread").instances;
    for (std::size_t row = 0; row < threads.size(); ++row) {
        const std::wstring name = text(L"dd_thread", row);
        if (name.rfind(L"ping ", 0) == 0)
            ping = static_cast<int>(row);
        else if (name.rfind(L"pong ", 0) == 0)
            pong = static_cast<int>(row);
    }
    ASSERT_GE(ping, 0);
    ASSERT_GE(pong, 0);
    EXPECT_EQ(text(L"dd_thread", static_cast<std::size_t>(ping), 1),
              text(L"dd_thread", static_cast<std::size_t>(pong), 1))
        << "both threads are rows of the one process";
    EXPECT_GT(samplesOn(ping), 0);
    EXPECT_GT(samplesOn(pong), 0);
    // Every turn ends with a notify to the thread waiting for it, though on a busy machine some
    // find it preempted before it went to sleep (no wake-up then); the woken thread may wait
    // once more, for the mutex the notifying one still holds.
    EXPECT_GE(transitions(ping, pong), ROUNDS / 2);
    EXPECT_LE(transitions(ping, pong), 2 * ROUNDS + 2);
    EXPECT_GE(transitions(pong, ping), ROUNDS / 2);
    EXPECT_LE(transitions(pong, ping), 2 * ROUNDS + 2);

    // The same recording as the text perf script writes by default imports alike.
    const std::size_t rows = threads.size();
    const std::size_t sampleCount = samples().size();
    const fs::path text = scratch("hand_off.txt");
    ASSERT_EQ(std::system(("perf script -i " + data.string() + " > " + text.string() + " 2>/dev/null").c_str()), 0);
    ASSERT_TRUE(importFile(text)) << m_error;
    EXPECT_EQ(attributes(L"dd_thread").instances.size(), rows);
    EXPECT_EQ(samples().size(), sampleCount);
}

} // namespace
} // namespace velmora_import
