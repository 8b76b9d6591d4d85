// JSON trace events in-process: what producers really write (ids and times in quotes, missing
// "dur", a killed tracer's open array, a byte order mark, gzip), every kind of event on its row
// with its depth, rows grouped and named by process, notes kept with the result, and malformed
// input named by line and column with nothing left behind.
#include "ImportFixture.h"

#include <zlib.h>

#include <algorithm>
#include <fstream>

namespace velmora_import_test {
namespace {

namespace fs = std::filesystem;

struct Span {
    std::int32_t row;
    std::uint64_t start;
    std::uint64_t end;
    std::int32_t depth;
    std::wstring name;
    bool operator==(const Span& o) const
    {
        return std::tie(row, start, end, depth, name) == std::tie(o.row, o.start, o.end, o.depth, o.name);
    }
};

std::ostream& operator<<(std::ostream& out, const Span& s)
{
    return out << s.row << " [" << s.start << ", " << s.end << "] d" << s.depth << " " << fs::path(s.name).string();
}

class JsonImportTest : public ImportFixture {
protected:
    std::vector<Span> spans(const wchar_t* table) const
    {
        std::vector<Span> result;
        for (const auto& o : band(table).objects)
            result.push_back({o.row, o.start, o.end, o.value, text(L"marker", o.instanceIndex)});
        return result;
    }
    std::wstring rowName(std::size_t row) const { return text(L"dd_thread", row); }
};

// Two processes, the second sorted first; a string pid that is not a number; "X" events nested
// and written in end order (as build tracers do); "B"/"E" pairs; times in quotes and fractional.
const char* const PRODUCER_TRACE = R"({"displayTimeUnit": "ns", "traceEvents": [
  {"ph": "M", "pid": 7, "tid": 0, "name": "process_name", "args": {"name": "server"}},
  {"ph": "M", "pid": 7, "tid": 2, "name": "thread_name", "args": {"name": "main"}},
  {"ph": "M", "pid": 9, "name": "process_sort_index", "args": {"sort_index": -5}},
  {"ph": "X", "pid": 7, "tid": 2, "ts": 1002, "dur": 3, "name": "inner", "cat": "app", "args": {"n": [1, {"k": "v"}]}},
  {"ph": "X", "pid": 7, "tid": 2, "ts": 1000, "dur": 10, "name": "outer", "cat": "app"},
  {"ph": "X", "pid": "7", "tid": "2", "ts": "1008.5", "name": "no length"},
  {"ph": "B", "pid": 9, "tid": 1, "ts": 1001.25, "name": "load"},
  {"ph": "E", "pid": 9, "tid": 1, "ts": 1004},
  {"ph": "E", "pid": 9, "tid": 1, "ts": 1005},
  {"ph": "X", "pid": "Spans", "tid": "Test trace", "ts": 1000, "dur": 1, "name": "span"},
  {"ph": "i", "pid": 7, "tid": 2, "ts": 1003, "name": "tick", "s": "p"},
  {"ph": "I", "pid": 7, "tid": 2, "ts": 1006, "name": "reload", "s": "g"}
]})";

TEST_F(JsonImportTest, ProducersWaysOfWritingAreReadAndRowsAreGroupedByProcess)
{
    ASSERT_TRUE(import(PRODUCER_TRACE)) << m_error;
    // pid 9 sorts first (index -5); then pid 7 with its process row before its thread; the
    // named process "Spans" last.
    ASSERT_EQ(attributes(L"dd_thread").instances.size(), 4u);
    EXPECT_EQ(rowName(0), L"process 9 / thread 1");
    EXPECT_EQ(rowName(1), L"server 7");
    EXPECT_EQ(rowName(2), L"server 7 / main 2");
    EXPECT_EQ(rowName(3), L"Spans / Test trace");

    const std::vector<Span> expectedSlices = {{0, 1250, 4000, 0, L"load"},
                                              {2, 0, 10000, 0, L"outer"},
                                              {2, 2000, 5000, 1, L"inner"},
                                              {3, 0, 1000, 0, L"span"}};
    EXPECT_EQ(spans(L"marker_duration"), expectedSlices);
    const std::vector<Span> expectedInstants = {{1, 3000, 3000, 0, L"tick"}, {2, 8500, 8500, 0, L"no length"}};
    EXPECT_EQ(spans(L"marker_instant"), expectedInstants);
    ASSERT_EQ(band(L"global_event").objects.size(), 1u);
    EXPECT_EQ(text(L"global_event", 0), L"reload");
    // args are kept for tooltips, nested values rendered.
    const auto inner = band(L"marker_duration").objects[2].instanceIndex;
    EXPECT_EQ(text(L"marker", inner, 1), L"app");
    EXPECT_EQ(text(L"marker", inner, 2), L"n: [1, {k: \"v\"}]");

    const std::vector<std::string> notes = {
        "1 complete events (\"X\") without \"dur\" or \"tdur\" were shown as instants",
        "1 end events (\"E\") had no begin and were skipped"};
    EXPECT_EQ(m_notes, notes);
    // The notes are stored with the result.
    const auto& stored = attributes(L"import_note");
    ASSERT_EQ(stored.instances.size(), 2u);
    EXPECT_EQ(text(L"import_note", 1), L"1 end events (\"E\") had no begin and were skipped");
}

TEST_F(JsonImportTest, AsyncTracksFlowsCountersAndSamplesKeepWhatTheFileHolds)
{
    ASSERT_TRUE(import(R"([
  {"ph": "b", "pid": 1, "tid": 1, "ts": 10, "cat": "net", "name": "fetch", "id": "0x1"},
  {"ph": "b", "pid": 1, "tid": 2, "ts": 11, "cat": "net", "name": "dns", "id": "0x1"},
  {"ph": "b", "pid": 1, "tid": 1, "ts": 12, "cat": "net", "name": "fetch", "id": "0x2"},
  {"ph": "e", "pid": 1, "tid": 2, "ts": 13, "cat": "net", "id": "0x1"},
  {"ph": "e", "pid": 1, "tid": 1, "ts": 15, "cat": "net", "id": "0x1"},
  {"ph": "S", "pid": 1, "tid": 1, "ts": 10, "name": "legacy", "id": 5},
  {"ph": "F", "pid": 1, "tid": 1, "ts": 14, "name": "legacy", "id": 5},
  {"ph": "X", "pid": 1, "tid": 1, "ts": 10, "dur": 2, "name": "send", "bind_id": "0xa", "flow_out": true},
  {"ph": "X", "pid": 1, "tid": 2, "ts": 16, "dur": 2, "name": "recv", "bind_id": "0xa", "flow_in": true},
  {"ph": "s", "pid": 1, "tid": 1, "ts": 11, "name": "hop", "cat": "c", "id": 3},
  {"ph": "t", "pid": 1, "tid": 2, "ts": 12, "name": "hop", "cat": "c", "id": 3},
  {"ph": "f", "pid": 1, "tid": 1, "ts": 13, "name": "hop", "cat": "c", "id": 3},
  {"ph": "C", "pid": 1, "ts": 10, "name": "mem", "id": "a", "args": {"used": 4, "free": "6"}},
  {"ph": "C", "pid": 1, "ts": 10, "name": "mem", "id": "b", "args": {"used": 1}},
  {"ph": "P", "pid": 1, "tid": 2, "ts": 20, "sf": 7},
  {"ph": "P", "pid": 1, "tid": 2, "ts": 21, "sf": 7}
])")) << m_error;
    // Rows: the async tracks of process 1 after its threads, by category and name.
    ASSERT_EQ(attributes(L"dd_thread").instances.size(), 4u);
    EXPECT_EQ(rowName(2), L"process 1 / legacy");
    EXPECT_EQ(rowName(3), L"process 1 / net fetch");
    // "dns" nests inside "fetch" 0x1 on its row; "fetch" 0x2 never ends (at the trace's end).
    std::vector<Span> async;
    for (const Span& s : spans(L"marker_duration"))
        if (s.row == 3)
            async.push_back(s);
    const std::vector<Span> expectedAsync = {
        {3, 0, 5000, 0, L"fetch"}, {3, 1000, 3000, 1, L"dns"}, {3, 2000, 11000, 2, L"fetch"}};
    EXPECT_EQ(async, expectedAsync);
    // Flows: the bound pair and two hops, each from its source row.
    std::vector<std::tuple<std::int32_t, std::int32_t, std::uint64_t, std::uint64_t>> flows;
    for (const auto& o : band(L"wait_state").objects)
        flows.emplace_back(o.sourceRow, o.row, o.start, o.end);
    std::sort(flows.begin(), flows.end());
    const decltype(flows) expectedFlows = {{0, 1, 0, 6000}, {0, 1, 1000, 2000}, {1, 0, 2000, 3000}};
    EXPECT_EQ(flows, expectedFlows);
    // One series per (name, id, argument), numbers in quotes included.
    ASSERT_EQ(attributes(L"counter").instances.size(), 3u);
    EXPECT_EQ(text(L"counter", 0), L"mem[a].used");
    EXPECT_EQ(text(L"counter", 1), L"mem[a].free");
    EXPECT_EQ(text(L"counter", 2), L"mem[b].used");
    // Samples stand for the time to the next one of their thread.
    const auto& samples = m_records.sampleTables.at(0).samples;
    const auto sampled = std::count_if(samples.begin(), samples.end(), [&](const auto& s) {
        return text(L"function", s.instanceIndex) == L"frame 7";
    });
    EXPECT_EQ(sampled, 2);
}

std::string gzipped(const std::string& bytes)
{
    uLongf size = compressBound(bytes.size()) + 32;
    std::string out(size, '\0');
    z_stream stream{};
    deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY);
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    stream.avail_in = static_cast<uInt>(bytes.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(size);
    deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

TEST_F(JsonImportTest, ByteOrderMarkGzipAndAKilledTracersOpenArrayAreRead)
{
    const std::string events = "[\n{\"ph\": \"X\", \"pid\": 1, \"tid\": 1, \"ts\": 1, \"dur\": 1, \"name\": \"a\"},\n"
                               "{\"ph\": \"X\", \"pid\": 1, \"tid\": 1, \"ts\": 3, \"dur\": 1, \"name\": \"b\"},\n";
    ASSERT_TRUE(import("\xEF\xBB\xBF" + events + "]")) << m_error;
    EXPECT_TRUE(m_notes.empty());
    ASSERT_TRUE(import(gzipped(events + "]"), ".json.gz")) << m_error;
    EXPECT_EQ(band(L"marker_duration").objects.size(), 2u);
    // Cut inside the third event: the two complete ones are kept, with a note of where.
    ASSERT_TRUE(import(events + "{\"ph\": \"X\", \"ts\"")) << m_error;
    EXPECT_EQ(band(L"marker_duration").objects.size(), 2u);
    ASSERT_EQ(m_notes.size(), 1u);
    EXPECT_EQ(m_notes[0].rfind("the file breaks off at 4:", 0), 0u) << m_notes[0];
    ASSERT_TRUE(import(events + "] trailing garbage")) << m_error;
    EXPECT_EQ(m_notes.size(), 1u);
    // A compressed file cut short (no trailer): what decompresses is kept, and the note says why.
    const std::string compressed = gzipped(events + "]");
    ASSERT_TRUE(import(compressed.substr(0, compressed.size() - 6), ".json.gz")) << m_error;
    EXPECT_EQ(band(L"marker_duration").objects.size(), 2u);
    ASSERT_EQ(m_notes.size(), 1u);
    EXPECT_NE(m_notes[0].find("the compressed data is damaged"), std::string::npos) << m_notes[0];
}

TEST_F(JsonImportTest, MalformedInputIsNamedByLineAndColumnAndLeavesNothing)
{
    expectRefused("{\"traceEvents\": [\n  {\"ph\": \"X\" \"ts\": 1}\n]}", ":2:14: Missing a comma or '}'");
    expectRefused("[\n  {\"ph\": ", ":2:10: Invalid value.");
    expectRefused("{\"events\": []}", "is not a trace: expected an array of events or an object with");
    expectRefused("", "not a trace file of a known kind");
    expectRefused("\x1f\x8b garbage", "not a trace file of a known kind");
    expectRefused(std::string(100000, '[') + std::string(100000, ']'), "the trace holds no events");
    expectRefused(R"({"traceEvents": []})", "the trace holds no events with a time");
}

TEST_F(JsonImportTest, OddEventsAreSkippedWithNotesNotTheWholeFile)
{
    ASSERT_TRUE(import("[{\"ph\": \"X\", \"ts\": true, \"dur\": 1, \"name\": \"a\"},"
                       " {\"ph\": \"i\", \"ts\": 8.9e18, \"name\": \"far\"}, {\"ph\": \"i\", \"ts\": -8.9e15, \"name\": \"early\"},"
                       " {\"ph\": \"i\", \"ts\": 8.9e15, \"name\": \"late\"},"
                       " {\"ph\": \"complete\", \"ts\": 1}, {\"ts\": 3, \"name\": \"a\"}, {\"ph\": \"B\", \"name\": \"a\"},"
                       " {\"ph\": \"i\", \"ts\": 2, \"name\": \"\xff\xfe\"},"
                       " {\"ph\": \"i\", \"ts\": 2, \"name\": \"" + std::string(1 << 20, 'n') + "\"}]"))
        << m_error;
    const std::vector<std::string> notes = {
        "1 events with a field of the wrong type were skipped (e.g. \"ts\" is true)",
        "1 events with a \"ts\" beyond \u00b19.2e15 \u00b5s were skipped",
        "1 events with a field of the wrong type were skipped (e.g. \"ph\" is not one letter)",
        "1 events without \"ph\" (their kind) were skipped",
        "1 events of kind \"B\" without \"ts\" were skipped"};
    EXPECT_EQ(m_notes, notes);
    // The far apart instants both fit: ticks from the earliest, without overflow.
    const auto& instants = band(L"marker_instant").objects;
    ASSERT_EQ(instants.size(), 4u);
    EXPECT_EQ(instants.back().start, 17800000000000000000ull);
    EXPECT_EQ(text(L"marker", instants[1].instanceIndex), L"\ufffd\ufffd") << "names that are not UTF-8 are kept";
    EXPECT_EQ(text(L"marker", instants[2].instanceIndex).size(), 4097u) << "a megabyte name is cut";
}

TEST_F(JsonImportTest, AnExistingResultIsNeverReplaced)
{
    ASSERT_TRUE(import(R"([{"ph": "i", "ts": 1, "name": "a"}])"));
    std::string error;
    const fs::path other = scratch() / "other.json";
    std::ofstream(other) << R"([{"ph": "i", "ts": 1, "name": "b"}, {"ph": "i", "ts": 2, "name": "b"}])";
    EXPECT_FALSE(velmora_import::TraceImporter().importTo(other, m_output, error));
    EXPECT_NE(error.find("cannot place the result at"), std::string::npos) << error;
    EXPECT_EQ(std::distance(fs::directory_iterator(m_output.parent_path()), fs::directory_iterator()), 1)
        << "no staging directory is left beside the result";
}

TEST_F(JsonImportTest, ACanceledImportLeavesNothing)
{
    std::string events = "[";
    for (int i = 0; i < 200000; ++i)
        events += "{\"ph\": \"X\", \"pid\": 1, \"tid\": 1, \"ts\": " + std::to_string(i) + ", \"dur\": 1, \"name\": \"a\"},";
    m_trace = scratch() / "big.json";
    std::ofstream(m_trace) << events << "]";
    m_output = scratch() / "canceled" / "result";
    fs::create_directories(m_output.parent_path());
    velmora_import::TraceImporter importer([](int) { return false; });
    EXPECT_FALSE(importer.importTo(m_trace, m_output, m_error));
    EXPECT_NE(m_error.find("canceled"), std::string::npos) << m_error;
    EXPECT_TRUE(fs::is_empty(m_output.parent_path()));
}

} // namespace
} // namespace velmora_import_test
