// A live recording: perf records the hand-off program of this suite (two threads passing a turn
// through a condition variable), and the import must show both threads with their samples and an
// arrow for the wake-ups between them that perf saw (how many depends on the machine: a notify
// that finds the other thread still running wakes nobody). Skipped, saying why, where perf is missing or may not
// record; the message naming the package when perf is missing is tested everywhere.
#include "PerfImportFixture.h"

#include "perf/PerfDataRecordReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace velmora_import {
namespace {

namespace fs = std::filesystem;

constexpr int ROUNDS = 100;

// sched_wakeup lines of `perf script` text in which a thread named `waker` wakes one named `woken`,
// counted from the text alone.
int wakeUpsIn(const std::string& text, const std::string& waker, const std::string& woken)
{
    std::istringstream lines(text);
    int count = 0;
    for (std::string line; std::getline(lines, line);) {
        const std::size_t first = line.find_first_not_of(" \t");
        if (first != std::string::npos && line.compare(first, waker.size() + 1, waker + " ") == 0 &&
            line.find("sched:sched_wakeup:") != std::string::npos &&
            line.find("comm=" + woken + " ") != std::string::npos)
            ++count;
    }
    return count;
}

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
    // The row of the thread whose name starts with `prefix`; -1 when there is none.
    int rowNamed(const std::wstring& prefix) const
    {
        const auto& threads = attributes(L"dd_thread").instances;
        for (std::size_t row = 0; row < threads.size(); ++row)
            if (text(L"dd_thread", row).rfind(prefix, 0) == 0)
                return static_cast<int>(row);
        return -1;
    }
    // The rows' names ("comm tid", "swapper/CPU" for the idle thread of a CPU), in row order.
    std::vector<std::wstring> rowNames() const
    {
        std::vector<std::wstring> names;
        for (std::size_t row = 0; row < attributes(L"dd_thread").instances.size(); ++row)
            names.push_back(text(L"dd_thread", row));
        return names;
    }
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
    const int ping = rowNamed(L"ping ");
    const int pong = rowNamed(L"pong ");
    ASSERT_GE(ping, 0);
    ASSERT_GE(pong, 0);
    EXPECT_EQ(text(L"dd_thread", static_cast<std::size_t>(ping), 1),
              text(L"dd_thread", static_cast<std::size_t>(pong), 1))
        << "both threads are rows of the one process";
    EXPECT_GT(samplesOn(ping), 0);
    EXPECT_GT(samplesOn(pong), 0);
    // The same recording as the text perf script writes by default imports alike.
    const int pingSamples = samplesOn(ping);
    const int pongSamples = samplesOn(pong);
    const std::size_t sampleCount = samples().size();
    std::vector<std::wstring> names = rowNames();
    const fs::path text = scratch("hand_off.txt");
    ASSERT_EQ(std::system(("perf script -i " + data.string() + " > " + text.string() + " 2>/dev/null").c_str()), 0);
    // Each wake-up perf saw becomes an arrow, but for one whose thread never ran again before
    // the recording ended.
    const std::string script = contentOf(text);
    EXPECT_GE(transitions(ping, pong), wakeUpsIn(script, "ping", "pong") - 1);
    EXPECT_LE(transitions(ping, pong), wakeUpsIn(script, "ping", "pong"));
    EXPECT_GE(transitions(pong, ping), wakeUpsIn(script, "pong", "ping") - 1);
    EXPECT_LE(transitions(pong, ping), wakeUpsIn(script, "pong", "ping"));
    ASSERT_TRUE(importFile(text)) << m_error;
    // The same threads, the idle ones each on their CPU: the text has no process ids, so only
    // the order of the rows may differ.
    std::vector<std::wstring> textNames = rowNames();
    std::sort(names.begin(), names.end());
    std::sort(textNames.begin(), textNames.end());
    EXPECT_EQ(textNames, names);
    EXPECT_EQ(samplesOn(rowNamed(L"ping ")), pingSamples);
    EXPECT_EQ(samplesOn(rowNamed(L"pong ")), pongSamples);
    EXPECT_EQ(samples().size(), sampleCount);
}

} // namespace
} // namespace velmora_import
