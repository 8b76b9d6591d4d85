// renderAll of one over-time layer: 1920 columns by 50 rows of 20 pixels, every sample non-zero,
// as bars and as a line. Items are samples drawn.
#include "FilingProvider.h"
#include "RowGraph.h"

#include "layers/OverTimeLayer.h"

#include <tarquel_1_0/Ruler.h>

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

#include <wx/app.h>
#include <wx/bitmap.h>
#include <wx/dcmemory.h>

namespace {

using overtime_test::FilingProvider;
using overtime_test::FilingProviderPtr;
using overtime_test::RowGraph;
using velmora_1_0::OverTimeLayer;

constexpr int WIDTH = 1920;
constexpr int ROWS = 50;

void renderAll(benchmark::State& state, int displayFormat)
{
    tarquel_1_0::Ruler ruler;
    ruler.setDuration(WIDTH * 1000 - 1);
    ruler.setPixelWidth(WIDTH);
    FilingProviderPtr provider(new FilingProvider(false));
    RowGraph graph(provider.get(), &ruler, WIDTH, ROWS);
    OverTimeLayer layer;
    layer.attach(nullptr, &graph);
    layer.setParentSize(wxSize(WIDTH, ROWS * RowGraph::ROW_HEIGHT));
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
    wxBitmap bitmap(WIDTH, ROWS * RowGraph::ROW_HEIGHT, 24);
    wxMemoryDC dc(bitmap);
    layer.checkData();
    layer.updateData(dc, false);

    for (auto _ : state)
        layer.renderAll(dc);
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

class BenchApp : public wxApp {
public:
    bool OnInit() override { return true; }
};

} // namespace

int main(int argc, char** argv)
{
    wxApp::SetInstance(new BenchApp); // wx owns the application object
    if (!wxEntryStart(argc, argv))
        return 2;
    wxTheApp->CallOnInit();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return 0;
}
