// Opening a row set through the provider on results with many threads (rows) and few samples,
// so the time goes to the per-row work: counting 10,000, 30,000 and 100,000 threads, then one
// over-time request of 1,920 pixel columns for every row, over 100,000 samples. The time per
// thread should stay flat as threads grow: per_row_growth is the processor time per thread at
// 30,000 over that at 10,000, per_thread_growth_100k the same at 100,000. Rows are signed 16-bit
// numbers in the records, so of 100,000 threads the first 32,767 are rows; the rest are still
// loaded and counted.
#include "provider/SarvikDataSource.h"
#include "provider/SarvikProvider.h"
#include "sarvik/ResultBuilder.h"
#include "support/PairedCpuTimes.h"
#include "support/SystemLoad.h"

#include <dd_sarvik_2_2/Sarvik.h>
#include <dd_sarvik_2_2/dd_overtime_query.h>
#include <dd_sarvik_2_2/store/ResultGenerator.h>
#include <tarquel_1_0/GraphLayer.h>

#include <benchmark/benchmark.h>

#include <wx/init.h>
#include <wx/utils.h>

#include <algorithm>
#include <chrono>
#include <climits>
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

// What every run shares. Members end in reverse: wx ends first, waiting for the workers of the
// deleted providers to leave, before the engine that holds the results they read goes; the other
// way round a worker still on its way out met a destroyed engine at the program's end.
struct Session {
    dd_sarvik_2_2::Sarvik engine;
    wxInitializer wx; // threads need the library initialised
    std::map<int, dd_sarvik_2_2::Result*> results; // adopted by the engine
};

Session& session()
{
    static Session shared;
    return shared;
}

dd_sarvik_2_2::Result* resultWithRows(int rows, std::uint64_t& end)
{
    auto& result = session().results[rows];
    dd_sarvik_2_2::store::GeneratorOptions options;
    options.threads = static_cast<std::uint32_t>(rows);
    options.samples = 100000;
    options.markers = 0;
    options.transitions = 0;
    options.globalMarkers = 0;
    end = options.duration;
    if (!result)
        result = session().engine.adopt(dd_sarvik_2_2::ResultBuilder::build(
            dd_sarvik_2_2::store::ResultGenerator(options).generate(), L""));
    return result;
}

// What opening a row set of `rows` threads costs: counting the rows, then one over-time request
// for every row until its records are taken.
struct OpenTime {
    double wall = 0;
    double cpu = 0; // every thread of the process
};

OpenTime openRows(int rows)
{
    std::uint64_t end = 0;
    dd_sarvik_2_2::Result* result = resultWithRows(rows, end);

    SarvikDataSource rowBy;
    rowBy.attributeTable = "dd_thread";
    rowBy.instanceTable = "dd_band";
    rowBy.attributeName = "name";
    SarvikDataSource source;
    source.instanceTable = "dd_sample";
    source.overTimeSource = dd_sarvik_2_2::dd_overtime_query::data_src_time;
    source.series.push_back({nullptr, "function", "dd_sample", "", "", ""});

    SourceLayer layer;
    layer.setDataSource(source.clone().release());
    std::vector<SarvikProvider::OverTimeData> records;
    const double cpuStart = bench_support::PairedCpuTimes::processSeconds();
    const auto start = std::chrono::steady_clock::now();
    std::unique_ptr<SarvikProvider, DeleteSelf> provider(new SarvikProvider);
    provider->setRowByDS(new SarvikDataSource(rowBy));
    provider->setResult(0, result, rowBy);
    provider->requestOverTimeData(&layer, 0, 0, end, PIXELS);
    const int shown = std::min(rows, SHRT_MAX);
    while (provider->consumeOverTimeDataArray(&layer, records) < shown)
        wxMicroSleep(200);
    return {std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
            bench_support::PairedCpuTimes::processSeconds() - cpuStart};
}

// The growth is taken from processor time: on a shared machine the wall time of either size
// depends on what else runs, the work done does not. Wall times and the load are reported beside.
void BM_ManyRows(benchmark::State& state)
{
    constexpr int kFew = 10000;
    constexpr int kMany = 30000;
    constexpr int kMost = 100000;
    OpenTime few;
    OpenTime many;
    OpenTime most;
    for (auto _ : state) {
        few = openRows(kFew);
        many = openRows(kMany);
        most = openRows(kMost);
    }
    state.counters["s_10k"] = few.wall;
    state.counters["s_30k"] = many.wall;
    state.counters["cpu_s_10k"] = few.cpu;
    state.counters["s_100k"] = most.wall;
    state.counters["cpu_s_30k"] = many.cpu;
    state.counters["cpu_s_100k"] = most.cpu;
    state.counters["cpu_us_per_row_10k"] = few.cpu / kFew * 1e6;
    state.counters["cpu_us_per_row_30k"] = many.cpu / kMany * 1e6;
    state.counters["cpu_us_per_row_100k"] = most.cpu / kMost * 1e6;
    state.counters["per_row_growth"] = (many.cpu / kMany) / (few.cpu / kFew);
    state.counters["per_thread_growth_100k"] = (most.cpu / kMost) / (few.cpu / kFew);
    state.counters["load"] = bench_support::systemLoad();
}
BENCHMARK(BM_ManyRows)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime()->Iterations(1);

} // namespace
