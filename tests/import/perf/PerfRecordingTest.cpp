// Recordings of real programs, kept as perf script text under tests/data/perf, imported end to
// end and compared with the counts expected_counts.py read from the same text: threads, and per
// thread its CPU samples, markers, waits (its switches away) and the waits a wake-up ended.
#include "PerfImportFixture.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

namespace velmora_import {
namespace {

namespace fs = std::filesystem;

struct ThreadCounts {
    int samples = 0;
    int markers = 0;
    int waits = 0;
    int woken = 0;
    bool operator==(const ThreadCounts& other) const
    {
        return samples == other.samples && markers == other.markers && waits == other.waits && woken == other.woken;
    }
};

std::ostream& operator<<(std::ostream& out, const ThreadCounts& counts)
{
    return out << "samples " << counts.samples << " markers " << counts.markers << " waits " << counts.waits
               << " woken " << counts.woken;
}

fs::path dataDirectory()
{
    return fs::path(VELMORA_SOURCE_DIR) / "tests" / "data" / "perf";
}

class PerfRecordingTest : public PerfImportFixture, public ::testing::WithParamInterface<std::string> {
protected:
    // "thread KEY samples S markers M waits W woken K" lines of the counts file, by key.
    static std::map<std::string, ThreadCounts> expected(const fs::path& file, int& threads)
    {
        std::map<std::string, ThreadCounts> counts;
        std::ifstream in(file);
        std::string word;
        for (std::string line; std::getline(in, line);) {
            std::istringstream fields(line);
            fields >> word;
            if (word == "threads") {
                fields >> threads;
            } else if (word == "thread") {
                std::string key;
                ThreadCounts thread;
                fields >> key >> word >> thread.samples >> word >> thread.markers >> word >> thread.waits >> word >>
                    thread.woken;
                counts[key] = thread;
            }
        }
        return counts;
    }

    // The same counts from the imported records, keyed alike (thread id, or 0/CPU when idle).
    std::map<std::string, ThreadCounts> imported() const
    {
        const auto& threads = attributes(L"dd_thread").instances;
        std::vector<std::string> keys;
        for (std::size_t row = 0; row < threads.size(); ++row) {
            const auto tid = std::get<std::int64_t>(threads[row][3]);
            const std::wstring name = text(L"dd_thread", row);
            keys.push_back(tid != 0 ? std::to_string(tid)
                                    : "0/" + (name.find(L'/') == std::wstring::npos
                                                  ? std::string("?")
                                                  : fs::path(name.substr(name.find(L'/') + 1)).string()));
        }
        std::map<std::string, ThreadCounts> counts;
        for (const auto& key : keys)
            counts[key];
        for (const auto& sample : samples())
            ++counts[keys[static_cast<std::size_t>(sample.row)]].samples;
        for (const auto& marker : band(L"marker_instant").objects)
            ++counts[keys[static_cast<std::size_t>(marker.row)]].markers;
        for (const auto& state : band(L"wait_state").objects) {
            ThreadCounts& thread = counts[keys[static_cast<std::size_t>(state.row)]];
            if (state.sourceRow != state.row)
                ++thread.woken;
            else if (state.value == 0)
                ++thread.waits;
        }
        return counts;
    }
};

TEST_P(PerfRecordingTest, ImportShowsWhatTheTextHolds)
{
    const fs::path recording = dataDirectory() / (GetParam() + ".txt");
    ASSERT_LT(fs::file_size(recording), 2u << 20) << "recordings stay under 2 MB";
    ASSERT_TRUE(importFile(recording)) << m_error;
    int threads = 0;
    const auto want = expected(dataDirectory() / (GetParam() + ".counts"), threads);
    ASSERT_GT(threads, 1);
    EXPECT_EQ(attributes(L"dd_thread").instances.size(), static_cast<std::size_t>(threads));
    const auto got = imported();
    int woken = 0;
    for (const auto& [key, counts] : want) {
        const auto found = got.find(key);
        ASSERT_NE(found, got.end()) << "thread " << key;
        EXPECT_EQ(found->second, counts) << "thread " << key;
        woken += counts.woken;
    }
    EXPECT_GT(woken, 0) << "the recording has wake-ups between its threads";
    EXPECT_FALSE(samples().empty());
}

INSTANTIATE_TEST_SUITE_P(Recordings, PerfRecordingTest,
                         ::testing::Values("xz_threads", "zstd_threads", "gxx_compile"));

} // namespace
} // namespace velmora_import
