// One over-time request through the provider on results with many threads (rows) and few
// samples, so the time goes to the per-row work: 10,000 and 30,000 rows of 1,920 pixel columns
// over 100,000 samples. The time per row should stay flat as rows grow: per_row_growth is the
// time per row at 30,000 over that at 10,000. Rows are signed 16-bit numbers in the records, so
// a row set of more than 32,767 rows cannot be addressed and is not measured.
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

#include <chrono>
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

// Wall seconds of one over-time request for every row of a result of `rows` threads.
double requestSeconds(int rows)
{
    static wxInitializer wx; // threads need the library initialised
    static dd_sarvik_2_2::Sarvik engine;
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
    const auto start = std::chrono::steady_clock::now();
    provider->requestOverTimeData(&layer, 0, 0, end, PIXELS);
    while (provider->consumeOverTimeDataArray(&layer, records) < rows)
        wxMicroSleep(200);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_ManyRows(benchmark::State& state)
{
    constexpr int kFew = 10000;
    constexpr int kMany = 30000;
    double few = 0;
    double many = 0;
    for (auto _ : state) {
        few = requestSeconds(kFew);
        many = requestSeconds(kMany);
    }
    state.counters["s_10k"] = few;
    state.counters["s_30k"] = many;
    state.counters["us_per_row_10k"] = few / kFew * 1e6;
    state.counters["us_per_row_30k"] = many / kMany * 1e6;
    state.counters["per_row_growth"] = (many / kMany) / (few / kFew);
}
BENCHMARK(BM_ManyRows)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime()->Iterations(1);

} // namespace
