// Real trace files of several producers (tests/data/traces, see its README), each imported and
// compared with what an independent script (read_counts.py) read from the same JSON: threads,
// slices per nesting depth, thread instants, counter series, async tracks and slices, flows.
// Damaged copies of corpus files read as the script says they do: a file cut mid-event keeps its
// complete events, text after a whole trace is ignored, a fault before any whole event is
// refused at the script's line and column, leaving nothing behind.
#include "ImportFixture.h"

#include "../../engine/store/RecordsEquality.h"

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
    bool hasNote(const std::string& part) const
    {
        return std::any_of(m_notes.begin(), m_notes.end(),
                           [&part](const std::string& note) { return note.find(part) != std::string::npos; });
    }
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
        const std::string outcome = reading.value["outcome"].GetString();
        SCOPED_TRACE(name + " (" + outcome + ")");
        if (outcome == "error") {
            EXPECT_FALSE(importFile(CORPUS / name));
            const std::string place = (CORPUS / name).string() + ":" + reading.value["error_at"].GetString() + ": ";
            EXPECT_EQ(m_error.rfind(place, 0), 0u) << m_error;
            EXPECT_FALSE(fs::exists(m_output));
            EXPECT_TRUE(fs::is_empty(m_output.parent_path())) << "nothing left behind";
            continue;
        }
        ASSERT_TRUE(importFile(CORPUS / name)) << m_error;
        EXPECT_EQ(imported(), expectedOf(reading.value));
        if (outcome == "breaks off")
            EXPECT_TRUE(hasNote("complete events before it were read")) << "a cut file says so";
        else if (outcome == "trailing text")
            EXPECT_TRUE(hasNote("the text after the end of the trace")) << "ignored text is mentioned";
        else
            EXPECT_FALSE(hasNote("the file breaks off")) << "a whole file has no such note";
        // Every row is labelled with its process.
        for (const auto& row : attributes(L"dd_thread").instances)
            EXPECT_FALSE(std::get<std::wstring>(row.at(1)).empty());
    }
}

TEST_F(CorpusImportTest, CompressedFileImportsExactlyLikeThePlainOne)
{
    ASSERT_TRUE(importFile(CORPUS / "viztracer_multithread.json")) << m_error;
    dd_sarvik_2_2::store::ResultRecords plain = std::move(m_records);
    ASSERT_TRUE(importFile(CORPUS / "viztracer_multithread.json.gz")) << m_error;
    EXPECT_EQ(m_records.name, L"viztracer_multithread.json.gz");
    plain.name = m_records.name;
    EXPECT_TRUE(m_records == plain);
    EXPECT_GT(band(L"marker_duration").objects.size(), 500u);
}

} // namespace
} // namespace velmora_import_test
