// One frame of a timeline 1,920 columns wide showing 100 thread rows, each with the three layers a
// thread view stacks: over-time bars (every column a random non-zero sample), states (1,000
// intervals per row, running and waiting in turn) and event and duration markers (a million in
// all). Measured as a repaint of the same view, and as the first frame after a zoom, where the
// markers to draw are chosen afresh for the new range.
#include "FilingProvider.h"
#include "MarkerGraph.h"
#include "MarkerProvider.h"
#include "NoticeSink.h"
#include "RowGraph.h"
#include "TestGraph.h"
#include "TestProvider.h"

#include "layers/EventMarkerLayer.h"
#include "layers/OverTimeLayer.h"
#include "support/EventPump.h"
#include "support/LayerCanvas.h"

#include <tarquel_1_0/SMBDataLayer.h>

#include <benchmark/benchmark.h>

#include <random>

namespace {

using velmora_1_0::SarvikProvider;

constexpr int kWidth = 1920;
constexpr int kRows = 100;
constexpr int kMarkersPerRow = 10000;
constexpr int kStatesPerRow = 1000;
constexpr std::uint64_t kDuration = 1920000000; // 1 ms per column when zoomed out

// The three layers loaded with their data, over one canvas and one ruler.
class FrameScene {
public:
    FrameScene()
        : m_canvas(kDuration, kWidth, kRows * overtime_test::RowGraph::ROW_HEIGHT),
          m_barProvider(new overtime_test::FilingProvider(false)),
          m_barGraph(m_barProvider.get(), &m_canvas.ruler(), kWidth, kRows),
          m_stateProvider(new chart_test::TestProvider(kRows, kDuration)),
          m_stateGraph(m_stateProvider.get(), &m_canvas.ruler(), kWidth),
          m_markerProvider(new marker_test::MarkerProvider),
          m_markerGraph(m_markerProvider.get(), &m_canvas.ruler(), kRows, kWidth)
    {
        std::mt19937_64 random(7);
        loadBars(random);
        loadStates();
        loadMarkers(random);
    }
    FrameScene(const FrameScene&) = delete;
    FrameScene& operator=(const FrameScene&) = delete;

    void render()
    {
        m_bars.renderAll(m_canvas.dc());
        m_states.renderAll(m_canvas.dc());
        m_markers.renderAll(m_canvas.dc());
    }
    // Shows [start, end], as a zoom does: the markers are chosen again on the next frame. The
    // bars keep their samples (same column count), standing in for the answer to the new range.
    void zoom(std::uint64_t start, std::uint64_t end)
    {
        m_canvas.ruler().setVisibleRange(start, end, false);
        m_markers.requestData(false);
    }
    bool ready() const { return m_ready; }

private:
    void loadBars(std::mt19937_64& random)
    {
        m_bars.attach(nullptr, &m_barGraph);
        m_bars.setParentSize(m_canvas.size());
        m_bars.setDisplayFormat(0);
        m_bars.requestData(false);
        const unsigned int id = m_barProvider->queued().back().requestId;
        std::uniform_real_distribution<double> value(0.5, 100.0);
        for (int row = 0; row < kRows; ++row) {
            std::vector<double> values(kWidth);
            for (double& v : values)
                v = value(random);
            m_barProvider->file(overtime_test::FilingProvider::REQUEST_OVERTIME,
                                overtime_test::record(&m_bars, row, id, values, 100.0));
        }
        m_bars.checkData();
        m_bars.updateData(m_canvas.dc(), false);
    }

    void loadStates()
    {
        const std::uint64_t step = kDuration / kStatesPerRow;
        for (int row = 0; row < kRows; ++row) {
            std::vector<tarquel_1_0::DataProvider::SMBInterval> states;
            for (std::uint64_t i = 0; i < kStatesPerRow; ++i)
                states.push_back({i * step, i * step + step * 2 / 3, static_cast<std::uint32_t>(i % 2), 0});
            m_stateProvider->setStates(row, std::move(states));
        }
        m_stateProvider->setNotificationSink(&m_sink);
        m_states.attach(nullptr, &m_stateGraph);
        m_states.setParentSize(m_canvas.size());
        m_stateProvider->start();
        m_states.requestData(false);
        m_ready = bench_support::pumpEventsUntil([&] { return m_sink.dataReadyFor(&m_states) >= kRows; });
        m_states.checkData();
        m_states.updateData(m_canvas.dc(), false);
    }

    void loadMarkers(std::mt19937_64& random)
    {
        m_markers.attach(nullptr, &m_markerGraph);
        m_markers.setParentSize(m_canvas.size());
        m_markers.requestData(false);
        short row = 0;
        for (const auto& request : m_markers.m_requests) {
            m_markerProvider->file(&m_markers, request.first, row,
                                   marker_test::randomMarkers(row, kMarkersPerRow, kDuration, random));
            ++row;
        }
        m_markers.checkData();
        m_markers.updateData(m_canvas.dc(), false);
    }

    bench_support::LayerCanvas m_canvas;
    overtime_test::FilingProviderPtr m_barProvider;
    overtime_test::RowGraph m_barGraph;
    velmora_1_0::OverTimeLayer m_bars;
    chart_test::NoticeSink m_sink;
    chart_test::TestProviderPtr m_stateProvider;
    chart_test::TestGraph m_stateGraph;
    tarquel_1_0::SMBDataLayer m_states;
    marker_test::MarkerProviderPtr m_markerProvider;
    marker_test::MarkerGraph m_markerGraph;
    velmora_1_0::EventMarkerLayer m_markers;
    bool m_ready = false;
};

void BM_FrameRepaint(benchmark::State& state)
{
    FrameScene scene;
    if (!scene.ready()) {
        state.SkipWithError("the states never arrived");
        return;
    }
    scene.render();
    for (auto _ : state)
        scene.render();
    state.SetLabel("1,920 px x 100 rows: bars, states, 1M markers");
}
BENCHMARK(BM_FrameRepaint)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

// Zooms in and out by a factor of two around the middle, a frame after each.
void BM_FrameAfterZoom(benchmark::State& state)
{
    FrameScene scene;
    if (!scene.ready()) {
        state.SkipWithError("the states never arrived");
        return;
    }
    bool in = false;
    for (auto _ : state) {
        in = !in;
        scene.zoom(in ? kDuration / 4 : 0, in ? kDuration / 4 * 3 : kDuration);
        scene.render();
    }
    state.SetLabel("1,920 px x 100 rows: bars, states, 1M markers");
}
BENCHMARK(BM_FrameAfterZoom)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

} // namespace
