// One over-time request through the provider on results with many threads (rows) and few
// samples, so the time goes to the per-row work: 10,000, 30,000 and 100,000 rows of 1,920
// pixel columns over 100,000 samples. The time per row should stay flat as rows grow.
#include "provider/SarvikDataSource.h"
#include "provider/SarvikProvider.h"
#include "sarvik/ResultBuilder.h"

#include <dd_sarvik_2_2/Sarvik.h>
#include <dd_sarvik_2_2/dd_overtime_query.h>
#include <dd_sarvik_2_2/store/ResultGenerator.h>
#include <tarquel_1_0/GraphLayer.h>

#include <benchmark/benchmark.h>

#include <wx/init.h>
#include <wx/utils.h>

#include <map>
#include <memory>

namespace {

using namespace velmora_1_0;

constexpr int PIXELS = 1920;

class SourceLayer : public tarquel_1_0::GraphLayer {
public:
    void renderAll(wxMemoryDC&) override {}
};

struct DeleteSelf {
    void operator()(SarvikProvider* provider) const { provider->deleteSelf(); }
};

dd_sarvik_2_2::Result* resultWithRows(dd_sarvik_2_2::Sarvik& engine, int rows, std::uint64_t& end)
{
    static std::map<int, dd_sarvik_2_2::Result*> results;
    auto& result = results[rows];
    dd_sarvik_2_2::store::GeneratorOptions options;
    options.threads = static_cast<std::uint32_t>(rows);
    options.samples = 100000;
    options.markers = 0;
    options.transitions = 0;
    options.globalMarkers = 0;
    end = options.duration;
    if (!result)
        result = engine.adopt(dd_sarvik_2_2::ResultBuilder::build(
            dd_sarvik_2_2::store::ResultGenerator(options).generate(), L""));
    return result;
}

void manyRowsRequest(benchmark::State& state)
{
    static wxInitializer wx; // threads need the library initialised
    static dd_sarvik_2_2::Sarvik engine;
    const int rows = static_cast<int>(state.range(0));
    std::uint64_t end = 0;
    dd_sarvik_2_2::Result* result = resultWithRows(engine, rows, end);

    SarvikDataSource rowBy;
    rowBy.attributeTable = "dd_thread";
    rowBy.instanceTable = "dd_band";
    rowBy.attributeName = "name";
    SarvikDataSource source;
    source.instanceTable = "dd_sample";
    source.overTimeSource = dd_sarvik_2_2::dd_overtime_query::data_src_time;
    source.series.push_back({nullptr, "function", "dd_sample", "", "", ""});

    std::unique_ptr<SarvikProvider, DeleteSelf> provider(new SarvikProvider);
    provider->setRowByDS(new SarvikDataSource(rowBy));
    provider->setResult(0, result, rowBy);
    SourceLayer layer;
    layer.setDataSource(source.clone().release());
    std::vector<SarvikProvider::OverTimeData> records;
    for (auto _ : state) {
        records.clear();
        provider->requestOverTimeData(&layer, 0, 0, end, PIXELS);
        while (provider->consumeOverTimeDataArray(&layer, records) < rows)
            wxMicroSleep(200);
    }
    state.counters["rows"] = static_cast<double>(records.size());
    state.counters["us_per_row"] = benchmark::Counter(rows * 1e-6, benchmark::Counter::kIsIterationInvariantRate |
                                                                       benchmark::Counter::kInvert);
}
BENCHMARK(manyRowsRequest)
    ->Arg(10000)
    ->Arg(30000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Iterations(1);

} // namespace
