// Costs on the paths a repaint and a data hand-off take: one request through the worker and back
// to the UI thread, drawing the state strips of 200 rows at 1920 columns, mapping rows under a
// sort order.
#include "NoticeSink.h"
#include "TestGraph.h"
#include "TestProvider.h"

#include "support/EventPump.h"
#include "support/LayerCanvas.h"

#include <tarquel_1_0/RowMapping.h>
#include <tarquel_1_0/SMBDataLayer.h>

#include <benchmark/benchmark.h>

using namespace tarquel_1_0;
using namespace chart_test;
using bench_support::pumpEventsUntil;

namespace {

const int kWidth = 1920;
const int kRows = 200;

// Requests one record per row and pumps events until the data-ready notice is handled.
void BM_ProviderRoundTrip(benchmark::State& state)
{
    NoticeSink sink;
    TestProviderPtr provider(new TestProvider(static_cast<int>(state.range(0)), 1000000, nullptr));
    provider->setNotificationSink(&sink);
    provider->start();
    int expected = 0;
    std::vector<TestProvider::Record> records;
    for (auto _ : state) {
        provider->requestValues(nullptr, kWidth);
        ++expected;
        if (!pumpEventsUntil([&] { return sink.dataReadyFor(nullptr) >= expected; })) {
            state.SkipWithError("no data-ready notice");
            break;
        }
        records.clear();
        provider->consumeValues(nullptr, records);
        benchmark::DoNotOptimize(records.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ProviderRoundTrip)->Arg(1)->Arg(kRows)->UseRealTime();

// renderAll of a state layer whose rows hold `range(0)` intervals each, alternating states.
void BM_StateLayerRender(benchmark::State& state)
{
    const std::uint64_t duration = 10000000000ull;
    const auto perRow = static_cast<std::uint64_t>(state.range(0));
    NoticeSink sink;
    bench_support::LayerCanvas canvas(duration, kWidth, kRows * TestGraph::ROW_HEIGHT);
    TestProviderPtr provider(new TestProvider(kRows, duration, nullptr));
    for (int row = 0; row < kRows; ++row) {
        std::vector<DataProvider::SMBInterval> states;
        const std::uint64_t step = duration / perRow;
        for (std::uint64_t i = 0; i < perRow; ++i)
            states.push_back({i * step, i * step + step - 1, static_cast<std::uint32_t>(i % 2), 0});
        provider->setStates(row, std::move(states));
    }
    provider->setNotificationSink(&sink);
    TestGraph graph(provider.get(), &canvas.ruler(), kWidth);
    SMBDataLayer layer;
    layer.attach(nullptr, &graph);
    layer.setParentSize(canvas.size());
    provider->start();
    layer.requestData(false);
    if (!pumpEventsUntil([&] { return sink.dataReadyFor(&layer) >= kRows; })) {
        state.SkipWithError("the rows' data never arrived");
        return;
    }
    layer.checkData();
    layer.updateData(canvas.dc(), false);
    for (auto _ : state)
        layer.renderAll(canvas.dc());
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_StateLayerRender)->Arg(10)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_RowMappingSort(benchmark::State& state)
{
    std::vector<DataProvider::SummaryInfo> rows(static_cast<size_t>(state.range(0)));
    for (size_t i = 0; i < rows.size(); ++i) {
        rows[i].name = wxString::Format("thread %zu", (i * 7919) % rows.size());
        rows[i].start = (i * 104729) % 1000;
    }
    RowMapping mapping;
    mapping.setRows(rows);
    int order = 0;
    for (auto _ : state) {
        mapping.setSortOrder(static_cast<DataProvider::SortOrder>(1 + order++ % 4));
        benchmark::DoNotOptimize(mapping.getDataRow(0));
    }
}
BENCHMARK(BM_RowMappingSort)->Arg(kRows)->Arg(10000)->Unit(benchmark::kMicrosecond);

} // namespace
