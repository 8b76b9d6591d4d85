// Trace import in-process: a trace read back from the written result, malformed and incomplete
// input named by line and column, skipped kinds, and nothing left behind on failure.
#include "TraceImporter.h"

#include "ViewerProgram.h"

#include "store/ResultReader.h"
#include <dd_sarvik_2_2/store/ResultRecords.h>

#include <dd_sarvik_2_2/Sarvik.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

namespace velmora_viewer {
namespace {

namespace fs = std::filesystem;
namespace store = dd_sarvik_2_2::store;

class TraceImportTest : public ::testing::Test {
protected:
    // Imports `json` into a fresh directory; false with m_error on failure.
    bool import(const std::string& json)
    {
        static int count = 0;
        const fs::path base = viewer_test::scratchDirectory() / ("import_" + std::to_string(++count));
        m_trace = base.string() + ".json";
        m_output = base / "result";
        std::ofstream(m_trace) << json;
        velmora_import::TraceImporter importer;
        const bool imported = importer.importTo(m_trace, m_output, m_error);
        m_notes = importer.notes();
        return imported && store::ResultReader().read(m_output, m_records).ok();
    }

    void expectRefused(const std::string& json, const std::string& message)
    {
        EXPECT_FALSE(import(json)) << json;
        EXPECT_NE(m_error.find(message), std::string::npos) << m_error;
        EXPECT_EQ(m_error.rfind(m_trace.string(), 0), 0u) << "the file is named first: " << m_error;
        EXPECT_FALSE(fs::exists(m_output)) << json;
        EXPECT_TRUE(fs::is_empty(m_output.parent_path())) << "nothing left behind for " << json;
    }

    const store::AttributeTableRecord& attributes(const wchar_t* name) const
    {
        const auto& tables = m_records.attributeTables;
        return *std::find_if(tables.begin(), tables.end(), [name](const auto& t) { return t.name == name; });
    }
    const store::BandTableRecord& band(const wchar_t* name) const
    {
        const auto& tables = m_records.bandTables;
        return *std::find_if(tables.begin(), tables.end(), [name](const auto& t) { return t.name == name; });
    }
    std::wstring text(const wchar_t* table, std::size_t instance, std::size_t column = 0) const
    {
        return std::get<std::wstring>(attributes(table).instances.at(instance).at(column));
    }

    fs::path m_trace;
    fs::path m_output;
    std::string m_error;
    std::vector<std::string> m_notes;
    store::ResultRecords m_records;
};

struct Span {
    std::int32_t row;
    std::uint64_t start;
    std::uint64_t end;
    std::wstring name;
    bool operator==(const Span& other) const
    {
        return std::tie(row, start, end, name) == std::tie(other.row, other.start, other.end, other.name);
    }
};

std::ostream& operator<<(std::ostream& out, const Span& span)
{
    return out << span.row << " [" << span.start << ", " << span.end << "] " << fs::path(span.name).string();
}

// Two processes; members the importer does not read are nested anywhere; "main" (pid 7, tid 2) nests slices and has a slice that outlasts its parent;
// tid 1 uses begin/end pairs; pid 3 only has a counter and an instant. Times in microseconds,
// the earliest at 1000 (tick 0).
const char* const GOOD_TRACE = R"({"displayTimeUnit": "ms", "metadata": {"hosts": [{"name": "a"}]}, "traceEvents": [
  {"ph": "M", "pid": 7, "tid": 0, "name": "process_name", "args": {"name": "server"}},
  {"ph": "M", "pid": 7, "tid": 2, "name": "thread_name", "args": {"name": "main"}},
  {"ph": "X", "pid": 7, "tid": 2, "ts": 1000, "dur": 10, "name": "outer", "cat": "app"},
  {"ph": "X", "pid": 7, "tid": 2, "ts": 1002, "dur": 3, "name": "inner", "cat": "app", "stack": [1, [2]],
   "args": {"detail": {"name": "not the event's", "ts": [5]}}, "bind": null, "hot": true},
  {"ph": "X", "pid": 7, "tid": 2, "ts": 1008, "dur": 5, "name": "spill", "cat": "app"},
  {"ph": "B", "pid": 7, "tid": 1, "ts": 1001.5, "name": "load", "cat": "io", "args": {"file": "a"}},
  {"ph": "E", "pid": 7, "tid": 1, "ts": 1004},
  {"ph": "E", "pid": 7, "tid": 1, "ts": 1005},
  {"ph": "i", "pid": 7, "tid": 1, "ts": 1003, "name": "tick", "cat": "io", "s": "t"},
  {"ph": "i", "pid": 3, "tid": 9, "ts": 1006, "name": "reload", "s": "g"},
  {"ph": "C", "pid": 3, "tid": 9, "ts": 1004, "name": "queue", "args": {"depth": 4, "bytes": 64}},
  {"ph": "C", "pid": 3, "tid": 9, "ts": 1002, "name": "queue", "args": {"depth": 2}},
  {"ph": "s", "pid": 7, "tid": 2, "ts": 1003, "name": "flow", "id": 1},
  {"ph": "B", "pid": 7, "tid": 1, "ts": 1006, "name": "save", "cat": "io"},
  {"ph": "i", "pid": 7, "tid": 1, "ts": 1007, "name": "tick", "cat": "io"},
]})";

TEST_F(TraceImportTest, GoodTraceReadsBackWithRowsNamesSlicesMarkersAndCounters)
{
    ASSERT_TRUE(import(GOOD_TRACE)) << m_error;
    dd_sarvik_2_2::Sarvik engine;
    dd_sarvik_2_2::Result* result = nullptr;
    EXPECT_EQ(engine.result_open(result, m_output.wstring(), L"", nullptr).code, 0);

    EXPECT_EQ(m_records.tickFrequency, 1000000000u);
    EXPECT_EQ(m_records.duration, 13000u) << "from the first event to the end of \"spill\"";
    // Rows in (pid, tid) order; unnamed threads and processes are named by their ids.
    ASSERT_EQ(attributes(L"dd_thread").instances.size(), 2u);
    EXPECT_EQ(text(L"dd_thread", 0), L"thread 1");
    EXPECT_EQ(text(L"dd_thread", 1), L"main");
    EXPECT_EQ(text(L"dd_thread", 1, 1), L"server");
    ASSERT_EQ(m_records.lifetimes.size(), 2u);
    EXPECT_EQ(m_records.lifetimes[0].start, 1500u);
    EXPECT_EQ(m_records.lifetimes[0].end, 7000u);

    std::vector<Span> slices;
    for (const auto& object : band(L"marker_duration").objects)
        slices.push_back({object.row, object.start, object.end, text(L"marker", object.instanceIndex)});
    // The unbalanced "E" at 1005 is skipped; "save" never ends and stops at its thread's last event.
    const std::vector<Span> expectedSlices = {{0, 1500, 4000, L"load"}, {0, 6000, 7000, L"save"},
                                              {1, 0, 10000, L"outer"}, {1, 2000, 5000, L"inner"},
                                              {1, 8000, 13000, L"spill"}};
    EXPECT_EQ(slices, expectedSlices);

    // Samples follow the innermost slice; "spill" is cut where "outer" ends.
    std::vector<Span> stretches;
    for (const auto& sample : m_records.sampleTables.at(0).samples)
        stretches.push_back({sample.row, sample.start, sample.end, text(L"function", sample.instanceIndex)});
    const std::vector<Span> expectedStretches = {{0, 1500, 4000, L"load"},  {0, 6000, 7000, L"save"},
                                                 {1, 0, 2000, L"outer"},    {1, 2000, 5000, L"inner"},
                                                 {1, 5000, 8000, L"outer"}, {1, 8000, 10000, L"spill"}};
    EXPECT_EQ(stretches, expectedStretches);

    std::vector<Span> instants;
    for (const auto& object : band(L"marker_instant").objects)
        instants.push_back({object.row, object.start, object.end, text(L"marker", object.instanceIndex)});
    const std::vector<Span> expectedInstants = {{0, 3000, 3000, L"tick"}, {0, 7000, 7000, L"tick"}};
    EXPECT_EQ(instants, expectedInstants);
    ASSERT_EQ(band(L"global_event").objects.size(), 1u);
    EXPECT_EQ(band(L"global_event").objects[0].start, 6000u);
    EXPECT_EQ(text(L"global_event", 0), L"reload");

    // One counter per series, values in time order whatever the file's order.
    EXPECT_EQ(text(L"counter", 0), L"queue.depth");
    EXPECT_EQ(text(L"counter", 1), L"queue.bytes");
    const auto& values = m_records.timedAttributes.at(0).values;
    ASSERT_EQ(values.size(), 3u);
    EXPECT_EQ(std::make_tuple(values[0].instanceIndex, values[0].tick, values[0].value), std::make_tuple(0, 2000ull, 2.0));
    EXPECT_EQ(std::make_tuple(values[1].instanceIndex, values[1].tick, values[1].value), std::make_tuple(0, 4000ull, 4.0));
    EXPECT_EQ(values[2].instanceIndex, 1);

    const std::vector<std::string> notes = {
        "1 begin event(s) (\"B\") had no end; they end at their thread's last event",
        "1 end event(s) (\"E\") had no begin and were skipped",
        "1 event(s) of kind \"s\" were skipped: the viewer does not show them"};
    EXPECT_EQ(m_notes, notes);
}

TEST_F(TraceImportTest, AnArrayOfEventsIsATraceToo)
{
    ASSERT_TRUE(import(R"([{"ph": "X", "pid": 1, "tid": 1, "ts": 5, "dur": 1, "name": "a"}])")) << m_error;
    EXPECT_EQ(band(L"marker_duration").objects.size(), 1u);
}

TEST_F(TraceImportTest, MalformedJsonIsNamedByLineAndColumn)
{
    expectRefused("{\"traceEvents\": [\n  {\"ph\": \"X\" \"ts\": 1}\n]}", ":2:14: Missing a comma or '}'");
    expectRefused("[\n  {\"ph\": \"i\", \"ts\": 1, \"name\": \"a\"},\n  {\"ph\": ", ":3:10: Invalid value.");
    expectRefused("[{\"ph\": \"i\", \"name\": \"\xff\"}]", ":1:23: Invalid encoding in string.");
    expectRefused("{\"events\": []}", "is not a trace: expected an array of events or an object with");
    expectRefused("", ":1:1: The document is empty.");
}

TEST_F(TraceImportTest, MissingOrMistypedFieldsAreNamedAtTheirEvent)
{
    expectRefused("[\n {\"ph\": \"i\", \"ts\": 1},\n {\"ph\": \"X\", \"ts\": 2,\n  \"name\": \"a\"}\n]",
                  ":3:2: a complete event (\"X\") needs \"dur\"");
    expectRefused("[{\"ph\": \"B\", \"name\": \"a\"}]", ":1:2: an event of kind \"B\" needs \"ts\"");
    expectRefused("[{\"ts\": 3, \"name\": \"a\"}]", ":1:2: an event needs \"ph\", its kind");
    expectRefused("[{\"ph\": \"X\", \"ts\": \"12\", \"dur\": 1}]", ":1:23: \"ts\" must be a number");
    expectRefused("[{\"ph\": \"X\", \"ts\": 1, \"dur\": -4}]", "\"dur\" must be a duration in microseconds");
    expectRefused("[{\"ph\": \"complete\", \"ts\": 1}]", "\"ph\" must be one letter, not \"complete\"");
}

TEST_F(TraceImportTest, TracesWithoutTimedEventsAreRefused)
{
    const std::string message = "the trace holds no events with a time that the viewer shows";
    expectRefused(R"({"traceEvents": []})", message);
    expectRefused(R"([{"ph": "M", "pid": 1, "tid": 1, "name": "thread_name", "args": {"name": "t"}},
                      {"ph": "f", "ts": 4, "id": 2}])",
                  message);
}

TEST_F(TraceImportTest, AnExistingResultIsNeverReplaced)
{
    ASSERT_TRUE(import(R"([{"ph": "i", "ts": 1, "name": "a"}])"));
    std::string error;
    const fs::path other = m_trace.parent_path() / "other.json";
    std::ofstream(other) << R"([{"ph": "i", "ts": 1, "name": "b"}, {"ph": "i", "ts": 2, "name": "b"}])";
    EXPECT_FALSE(velmora_import::TraceImporter().importTo(other, m_output, error));
    EXPECT_NE(error.find("cannot place the result at"), std::string::npos) << error;
    store::ResultRecords kept;
    ASSERT_TRUE(store::ResultReader().read(m_output, kept).ok());
    EXPECT_EQ(band(L"marker_instant").objects.size(), 1u);
    EXPECT_EQ(std::distance(fs::directory_iterator(m_output.parent_path()), fs::directory_iterator()), 1)
        << "no staging directory is left beside the result";
}

} // namespace
} // namespace velmora_viewer
