#include "TestResults.h"

#include <tarquel_1_0/DataProvider.h>

#include <gtest/gtest.h>

#include "sarvik/ResultBuilder.h"
#include <dd_sarvik_2_2/store/ResultRecords.h>

#include <dd_sarvik_2_2/store/ResultGenerator.h>

namespace provider_test {

using namespace dd_sarvik_2_2::store;

namespace {

AttributeTableRecord names(const std::wstring& table, std::initializer_list<const wchar_t*> values)
{
    AttributeTableRecord record{table, {{L"name", L""}}, {}};
    for (const wchar_t* value : values)
        record.instances.push_back({std::wstring(value)});
    return record;
}

} // namespace

ResultRecords smallRecords()
{
    ResultRecords r;
    r.name = L"small";
    r.timeOrigin = 1000;
    r.duration = 100;
    r.attributeTables = {names(L"dd_thread", {L"main", L"io", L"calc"}), names(L"function", {L"compute", L"read"}),
                         names(L"marker", {L"m0", L"m1"}),       names(L"dd_wait", {L"w0", L"w1", L"w2"}),
                         names(L"event", {L"e0"}),               names(L"task", {L"t0"})};
    AttributeTableRecord counter{L"counter", {{L"name", L""}, {L"value", L""}}, {{std::wstring(L"c0"), 7.0}}};
    r.attributeTables.push_back(counter);
    r.lifetimes = {{L"dd_thread", 0, 1000, 1100}, {L"dd_thread", 1, 1010, 1090}, {L"dd_thread", 2, 1020, 1100}};
    r.sampleTables = {{L"dd_sample", L"function", {{0, 1000, 1000, 5, 0}, {0, 1060, 1060, 4, 1}, {1, 1010, 1020, 10, 0}}}};
    r.bandTables = {
        {L"marker_band", BandTableKind::singleBand, L"marker", L"marker", 7,
         {{0, 1000, 1000, 1, 0, -1}, {0, 1010, 1030, 2, 1, -1}, {2, 1050, 1050, 3, 0, -1}}},
        {L"wait_state", BandTableKind::singleMultiBand, L"dd_wait", L"wait", 0,
         {{1, 1005, 1010, 1, 0, 0}, {1, 1020, 1030, 0, 1, 1}, {2, 1040, 1050, 1, 2, 0}}},
        {L"global_event", BandTableKind::globalInstants, L"event", L"event_key", 0,
         {{-1, 1030, 1030, 5, 0, -1}, {-1, 1070, 1070, 6, 0, -1}}},
        {L"global_task", BandTableKind::globalDurations, L"task", L"task_key", 0, {{-1, 1010, 1040, 9, 0, -1}}}};
    r.timedAttributes = {{L"counter", L"value", {{0, 1000, 1.0}, {0, 1030, 4.0}, {0, 1035, 2.0}, {0, 1080, 3.0}}}};
    return r;
}

ResultHolder::ResultHolder(ResultRecords records, const ddb_2_2::string& pageDirectory)
    : m_result(m_engine.adopt(dd_sarvik_2_2::ResultBuilder::build(std::move(records), pageDirectory)))
{
}

ResultHolder::ResultHolder(const GeneratorOptions& options) : ResultHolder(ResultGenerator(options).generate()) {}

ResultHolder::~ResultHolder()
{
    EXPECT_TRUE(tarquel_1_0::DataProvider::waitForEndingWorkers(30000));
}

velmora_1_0::SarvikDataSource threadRows()
{
    velmora_1_0::SarvikDataSource rows;
    rows.attributeTable = "dd_thread";
    rows.instanceTable = "dd_band";
    rows.attributeName = "name";
    rows.queryKind = 1;
    return rows;
}

velmora_1_0::SarvikDataSource sampleSource(dd_sarvik_2_2::dd_overtime_query::data_src source)
{
    velmora_1_0::SarvikDataSource ds;
    ds.attributeTable = "function";
    ds.instanceTable = "dd_sample";
    ds.queryKind = 3;
    ds.overTimeSource = source;
    ds.series.push_back({nullptr, "function", "dd_sample", "", "", "function"});
    return ds;
}

velmora_1_0::SarvikDataSource bandSource(const wxString& table, const wxString& key)
{
    velmora_1_0::SarvikDataSource ds;
    ds.instanceTable = table;
    ds.attributeTable = key;
    ds.queryKind = 2;
    return ds;
}

} // namespace provider_test
