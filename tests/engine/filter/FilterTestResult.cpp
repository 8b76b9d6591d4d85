#include "FilterTestResult.h"

#include <dd_sarvik_2_2/store/ResultRecords.h>

#include <dd_sarvik_2_2/store/ResultWriter.h>

#include <string>

namespace filter_test {

using namespace dd_sarvik_2_2::store;

namespace {

ResultRecords records()
{
    ResultRecords r;
    r.name = L"filter test";
    r.duration = 300;
    AttributeTableRecord threads{L"dd_thread", {{L"name", L""}}, {}};
    const std::uint64_t lifetimes[3][2] = {{0, 100}, {50, 200}, {150, 300}};
    for (int i = 0; i < 3; ++i) {
        threads.instances.push_back({StoredValue(L"thread " + std::to_wstring(i))});
        r.lifetimes.push_back({L"dd_thread", i, lifetimes[i][0], lifetimes[i][1]});
    }
    r.attributeTables.push_back(threads);
    r.attributeTables.push_back({L"marker_kind", {{L"name", L""}}, {{StoredValue(L"a")}, {StoredValue(L"b")}}});

    BandTableRecord markers;
    markers.name = L"marker";
    markers.kind = BandTableKind::singleBand;
    markers.attributeTable = L"marker_kind";
    markers.keyName = L"marker";
    markers.objects = {{0, 10, 20, 0, 0, -1}, {0, 20, 30, 0, 1, -1}, {0, 60, 70, 0, 0, -1},
                       {2, 160, 170, 0, 1, -1}, {2, 250, 250, 0, 0, -1}};
    r.bandTables.push_back(markers);
    return r;
}

}  // namespace

FilterTestResult::FilterTestResult()
{
    const std::filesystem::path result = m_directory.path() / "result";
    if (!ResultWriter().write(result, records()).ok())
        return;
    m_engine.result_open(m_result, result.wstring(), L"", nullptr);
}

}  // namespace filter_test
