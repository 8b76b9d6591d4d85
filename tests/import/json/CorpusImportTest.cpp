// Real trace files of several producers (tests/data/traces, see its README), each imported and
// compared with what an independent script (read_counts.py) read from the same JSON: threads,
// slices per nesting depth, thread instants, counter series, async tracks and slices, flows.
#include "ImportFixture.h"

#include <rapidjson/document.h>
#include <rapidjson/istreamwrapper.h>

#include <fstream>
#include <map>

namespace velmora_import_test {
namespace {

namespace fs = std::filesystem;

const fs::path CORPUS = fs::path(VELMORA_SOURCE_DIR) / "tests" / "data" / "traces";

struct Counts {
    std::size_t threads = 0;
    std::map<std::string, std::size_t> slicesPerDepth;
    std::size_t threadInstants = 0;
    std::size_t counterSeries = 0;
    std::size_t asyncTracks = 0;
    std::size_t asyncSlices = 0;
    std::size_t flows = 0;

    bool operator==(const Counts& o) const
    {
        return std::tie(threads, slicesPerDepth, threadInstants, counterSeries, asyncTracks, asyncSlices, flows) ==
               std::tie(o.threads, o.slicesPerDepth, o.threadInstants, o.counterSeries, o.asyncTracks, o.asyncSlices,
                        o.flows);
    }
};

std::ostream& operator<<(std::ostream& out, const Counts& c)
{
    out << "threads " << c.threads << ", slices per depth {";
    for (const auto& [depth, count] : c.slicesPerDepth)
        out << depth << ": " << count << " ";
    return out << "}, thread instants " << c.threadInstants << ", counter series " << c.counterSeries
               << ", async tracks " << c.asyncTracks << ", async slices " << c.asyncSlices << ", flows " << c.flows;
}

Counts expectedOf(const rapidjson::Value& reading)
{
    Counts counts;
    counts.threads = reading["threads"].GetUint();
    for (const auto& member : reading["slices_per_depth"].GetObject())
        counts.slicesPerDepth[member.name.GetString()] = member.value.GetUint();
    counts.threadInstants = reading["thread_instants"].GetUint();
    counts.counterSeries = reading["counter_series"].GetUint();
    counts.asyncTracks = reading["async_tracks"].GetUint();
    counts.asyncSlices = reading["async_slices"].GetUint();
    counts.flows = reading["flows"].GetUint();
    return counts;
}

class CorpusImportTest : public ImportFixture {
protected:
    Counts imported() const
    {
        Counts counts;
        const std::vector<bool> threads = threadRows();
        counts.threads = static_cast<std::size_t>(std::count(threads.begin(), threads.end(), true));
        std::vector<bool> asyncRow(threads.size(), false);
        for (const auto& slice : band(L"marker_duration").objects) {
            if (threads.at(static_cast<std::size_t>(slice.row))) {
                ++counts.slicesPerDepth[std::to_string(slice.value)];
            } else {
                ++counts.asyncSlices;
                asyncRow[static_cast<std::size_t>(slice.row)] = true;
            }
        }
        counts.asyncTracks = static_cast<std::size_t>(std::count(asyncRow.begin(), asyncRow.end(), true));
        for (const auto& instant : band(L"marker_instant").objects)
            counts.threadInstants += threads.at(static_cast<std::size_t>(instant.row)) ? 1 : 0;
        counts.counterSeries = attributes(L"counter").instances.size();
        counts.flows = band(L"wait_state").objects.size();
        return counts;
    }
};

TEST_F(CorpusImportTest, EveryFileImportsAsItsIndependentReadingSays)
{
    std::ifstream in(CORPUS / "expected_counts.json");
    rapidjson::IStreamWrapper stream(in);
    rapidjson::Document readings;
    readings.ParseStream(stream);
    ASSERT_TRUE(readings.IsObject()) << "run read_counts.py in " << CORPUS.string();
    ASSERT_GE(readings.MemberCount(), 15u);
    for (const auto& reading : readings.GetObject()) {
        const std::string name = reading.name.GetString();
        SCOPED_TRACE(name);
        ASSERT_TRUE(importFile(CORPUS / name)) << m_error;
        EXPECT_EQ(imported(), expectedOf(reading.value));
        // Every row is labelled with its process.
        for (const auto& row : attributes(L"dd_thread").instances)
            EXPECT_FALSE(std::get<std::wstring>(row.at(1)).empty());
    }
}

} // namespace
} // namespace velmora_import_test
