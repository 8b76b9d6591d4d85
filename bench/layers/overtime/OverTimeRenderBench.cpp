// renderAll of one over-time layer: 1920 columns by 50 rows of 20 pixels, every sample non-zero
// and random, so no two neighbouring columns can be drawn as one: the worst case for batching.
// As bars and as a line. Items are samples drawn.
#include "FilingProvider.h"
#include "RowGraph.h"

#include "layers/OverTimeLayer.h"
#include "support/LayerCanvas.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

using overtime_test::FilingProvider;
using overtime_test::FilingProviderPtr;
using overtime_test::RowGraph;
using velmora_1_0::OverTimeLayer;

constexpr int WIDTH = 1920;
constexpr int ROWS = 50;

void renderAll(benchmark::State& state, int displayFormat)
{
    bench_support::LayerCanvas canvas(WIDTH * 1000 - 1, WIDTH, ROWS * RowGraph::ROW_HEIGHT);
    FilingProviderPtr provider(new FilingProvider(false));
    RowGraph graph(provider.get(), &canvas.ruler(), WIDTH, ROWS);
    OverTimeLayer layer;
    layer.attach(nullptr, &graph);
    layer.setParentSize(canvas.size());
    layer.setDisplayFormat(displayFormat);

    layer.requestData(false);
    const unsigned int id = provider->queued().back().requestId;
    std::mt19937 random(7);
    std::uniform_real_distribution<double> value(0.5, 100.0);
    for (int row = 0; row < ROWS; ++row) {
        std::vector<double> values(WIDTH);
        for (double& v : values)
            v = value(random);
        provider->file(FilingProvider::REQUEST_OVERTIME, overtime_test::record(&layer, row, id, values, 100.0));
    }
    layer.checkData();
    layer.updateData(canvas.dc(), false);

    for (auto _ : state)
        layer.renderAll(canvas.dc());
    state.SetItemsProcessed(state.iterations() * WIDTH * ROWS);
}

void BM_OverTimeRenderBars(benchmark::State& state)
{
    renderAll(state, 0);
}
BENCHMARK(BM_OverTimeRenderBars)->Unit(benchmark::kMillisecond);

void BM_OverTimeRenderLine(benchmark::State& state)
{
    renderAll(state, 1);
}
BENCHMARK(BM_OverTimeRenderLine)->Unit(benchmark::kMillisecond);

} // namespace
