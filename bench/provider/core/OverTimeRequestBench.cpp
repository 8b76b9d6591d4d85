// One over-time request end to end (request on the UI side, the worker's engine query and
// conversion, consume) against the engine query alone, on the same generated result: 64 rows,
// 2000 pixel columns, 10 million samples.
#include "pagestore/OverTimeBucket.h"
#include "provider/OverTimeReader.h"
#include "provider/SarvikDataSource.h"
#include "provider/SarvikProvider.h"
#include "sarvik/ResultBuilder.h"
#include <dd_sarvik_2_2/store/ResultRecords.h>

#include <dd_sarvik_2_2/Sarvik.h>
#include <dd_sarvik_2_2/dd_overtime_query.h>
#include <dd_sarvik_2_2/store/ResultGenerator.h>
#include <tarquel_1_0/GraphLayer.h>

#include <benchmark/benchmark.h>

#include <tbb/task_arena.h>

#include <wx/init.h>
#include <wx/utils.h>

namespace {

using namespace velmora_1_0;

constexpr int ROWS = 64;
constexpr int PIXELS = 2000;

struct Fixture {
    Fixture()
    {
        dd_sarvik_2_2::store::GeneratorOptions options;
        options.threads = ROWS;
        options.samples = 10000000;
        result = engine.adopt(dd_sarvik_2_2::ResultBuilder::build(
            dd_sarvik_2_2::store::ResultGenerator(options).generate(), L""));
        rows.attributeTable = "dd_thread";
        rows.instanceTable = "dd_band";
        rows.attributeName = "name";
        source.instanceTable = "dd_sample";
        source.overTimeSource = dd_sarvik_2_2::dd_overtime_query::data_src_time;
        source.series.push_back({nullptr, "function", "dd_sample", "", "", ""});
        end = options.duration; // ticks at 1e9 per second are nanoseconds
    }

    wxInitializer wx; // threads need the library initialised
    dd_sarvik_2_2::Sarvik engine;
    dd_sarvik_2_2::Result* result = nullptr;
    SarvikDataSource rows;
    SarvikDataSource source;
    std::uint64_t end = 0;
};

Fixture& fixture()
{
    static Fixture instance;
    return instance;
}

class SourceLayer : public tarquel_1_0::GraphLayer {
public:
    void renderAll(wxMemoryDC&) override {}
};

// The engine calls of one request, as the provider makes them.
void runEngineQuery(Fixture& f, const dd_sarvik_2_2::dd_overtime_query& query)
{
    OverTimeBucket bucket(f.result->get_database());
    for (int row = 0; row < ROWS; ++row) {
        dd_sarvik_2_2::Result::overtime_bucket::const_iterator it;
        f.result->get_overtime_data(bucket, it, query, ddb_2_2::index(row), nullptr);
        benchmark::DoNotOptimize(it);
    }
}

void engineQueryAlone(benchmark::State& state)
{
    Fixture& f = fixture();
    const OverTimeReader reader(*f.result, &f.rows, TickClock(f.result->get_time_origin(), f.result->get_tick_frequency()));
    dd_sarvik_2_2::dd_overtime_query query;
    bool isPercent = false;
    reader.buildQuery(f.source, 0, f.end, PIXELS, query, isPercent);
    // state.range(0): 1 runs each query in a task arena of its own, as the provider does.
    for (auto _ : state) {
        if (state.range(0) == 0) {
            runEngineQuery(f, query);
        } else {
            tbb::task_arena arena(tbb::task_arena::automatic);
            arena.execute([&] { runEngineQuery(f, query); });
        }
    }
}
BENCHMARK(engineQueryAlone)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

struct DeleteSelf {
    void operator()(SarvikProvider* provider) const { provider->deleteSelf(); }
};

void requestEndToEnd(benchmark::State& state)
{
    Fixture& f = fixture();
    std::unique_ptr<SarvikProvider, DeleteSelf> provider(new SarvikProvider);
    provider->setRowByDS(new SarvikDataSource(f.rows));
    provider->setResult(0, f.result, f.rows);
    SourceLayer layer;
    layer.setDataSource(f.source.clone().release());
    std::vector<SarvikProvider::OverTimeData> records;
    for (auto _ : state) {
        records.clear();
        provider->requestOverTimeData(&layer, 0, 0, f.end, PIXELS);
        while (provider->consumeOverTimeDataArray(&layer, records) < ROWS)
            wxMicroSleep(50);
    }
    state.counters["rows"] = static_cast<double>(records.size());
}
BENCHMARK(requestEndToEnd)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
