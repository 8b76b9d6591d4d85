#include "SmallResult.h"

#include "sarvik/ResultBuilder.h"

namespace dd_sarvik_2_2 {
namespace test {

using store::StoredValue;

namespace {
store::AttributeTableRecord table(std::wstring name, std::vector<store::AttributeColumn> columns,
                                  std::vector<std::vector<StoredValue>> instances)
{
    return {std::move(name), std::move(columns), std::move(instances)};
}
}  // namespace

store::ResultRecords smallRecords()
{
    store::ResultRecords r;
    r.name = L"small";
    r.timeOrigin = 1000;
    r.tickFrequency = 1000000000;
    r.duration = 100;
    r.attributeTables.push_back(table(L"process", {{L"name", L""}}, {{L"init"}, {L"worker"}}));
    r.attributeTables.push_back(table(L"dd_thread", {{L"name", L""}, {L"process", L"process"}},
                                      {{L"main", std::int64_t{0}}, {L"io", std::int64_t{1}}, {L"calc", std::int64_t{1}}}));
    r.attributeTables.push_back(table(L"module", {{L"name", L""}}, {{L"core"}, {L"libm"}}));
    r.attributeTables.push_back(table(L"function", {{L"name", L""}, {L"module", L"module"}},
                                      {{L"compute", std::int64_t{0}}, {L"read", std::int64_t{1}}, {L"sqrt", std::int64_t{1}}}));
    r.attributeTables.push_back(table(L"callsite", {{L"bottom_user_cs", L""}}, {{L"a.c:10"}, {L"b.c:20"}}));
    r.attributeTables.push_back(table(L"dd_wait", {{L"signal_cs", L"callsite"}, {L"wait_cs", L"callsite"}},
                                      {{std::int64_t{0}, std::int64_t{1}}}));
    r.attributeTables.push_back(table(L"counter", {{L"name", L""}, {L"limit", L""}}, {{L"load", 9.0}}));
    r.attributeTables.push_back(table(L"global_span", {{L"name", L""}}, {{L"phase"}}));

    r.lifetimes = {{L"dd_thread", 0, 1000, 1100}, {L"dd_thread", 1, 1010, 1090}, {L"dd_thread", 2, 1020, 1100}};

    store::SampleTableRecord samples{L"dd_sample", L"function", {}};
    samples.samples = {{0, 1000, 1030, 2, 0}, {0, 1040, 1045, 1, 1}, {0, 1050, 1050, 3, 0},
                       {1, 1010, 1060, 1, 2}, {2, 1020, 1025, 4, 0}, {2, 1095, 1100, 1, 1}};
    r.sampleTables.push_back(std::move(samples));

    r.bandTables.push_back({L"marker", store::BandTableKind::singleBand, L"function", L"marker", 7,
                            {{0, 1005, 1005, 1, 0, -1}, {0, 1010, 1020, 2, 1, -1}, {2, 1030, 1030, 3, 2, -1}}});
    r.bandTables.push_back({L"wait_state", store::BandTableKind::singleMultiBand, L"dd_wait", L"wait", 3,
                            {{1, 1010, 1040, 1, 0, 0}, {1, 1050, 1060, 2, 0, 1}, {2, 1020, 1030, 0, 0, 0}}});
    r.bandTables.push_back({L"global_event", store::BandTableKind::globalInstants, L"counter", L"global_event", 0,
                            {{0, 1005, 1005, 6, 0, -1}, {0, 1010, 1010, 5, 0, -1}}});
    r.bandTables.push_back({L"global_span", store::BandTableKind::globalDurations, L"counter", L"spans", 0,
                            {{0, 1000, 1050, 1, 0, -1}}});
    r.timedAttributes.push_back({L"counter", L"value", {{0, 1000, 1.0}, {0, 1030, 4.0}, {0, 1035, 2.0}, {0, 1080, 3.0}}});
    return r;
}

std::unique_ptr<Result> smallResult()
{
    return ResultBuilder::build(smallRecords(), ddb_2_2::string());
}

}  // namespace test
}  // namespace dd_sarvik_2_2
