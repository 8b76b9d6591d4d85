// renderAll of an event marker layer holding one million markers over 100 visible rows, with the
// choice of markers to draw computed afresh (cold) and reused (warm), beside a plain loop that
// only computes every marker's two x positions (the floor that choosing cannot go below) and the
// choice alone, without drawing.
#include "MarkerGraph.h"
#include "MarkerProvider.h"

#include "layers/EventMarkerLayer.h"
#include "layers/MarkerDecimator.h"
#include "layers/MarkerList.h"

#include <tarquel_1_0/Ruler.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <random>

#include <wx/bitmap.h>
#include <wx/dcmemory.h>

namespace {

using marker_test::MarkerGraph;
using velmora_1_0::EventMarkerLayer;
using velmora_1_0::SarvikProvider;

constexpr int kRows = 100;
constexpr int kMarkersPerRow = 10000;
constexpr int kWidth = 1000;
constexpr std::uint64_t kDuration = 1000000000; // 1 s: 1 ms per pixel column

// The layer loaded through the provider path, and the same markers for the floor.
struct Scene {
    Scene()
        : provider(new marker_test::MarkerProvider), graph(provider.get(), &ruler, kRows, kWidth),
          canvas(kWidth, kRows * MarkerGraph::ROW_HEIGHT, 24)
    {
        ruler.setDuration(kDuration);
        ruler.setPixelWidth(kWidth);
        dc.SelectObject(canvas);
        layer.attach(nullptr, &graph);
        layer.setParentSize(canvas.GetSize());
        layer.requestData(false);

        std::mt19937_64 random(7);
        short row = 0;
        for (const auto& request : layer.m_requests) {
            std::vector<SarvikProvider::EventMarker> markers =
                marker_test::randomMarkers(row, kMarkersPerRow, kDuration, random);
            all.insert(all.end(), markers.begin(), markers.end());
            provider->file(&layer, request.first, row++, std::move(markers));
        }
        layer.checkData();
        layer.updateData(dc, false);
        std::sort(all.begin(), all.end(), EventMarkerLayer::markerSortFunc);
    }
    ~Scene() { dc.SelectObject(wxNullBitmap); }

    tarquel_1_0::Ruler ruler;
    marker_test::MarkerProviderPtr provider;
    MarkerGraph graph;
    wxBitmap canvas;
    wxMemoryDC dc;
    EventMarkerLayer layer;
    std::vector<SarvikProvider::EventMarker> all;
};

void BM_MarkerXPositions(benchmark::State& state)
{
    const Scene s; // built before the timed loop, as in every benchmark here
    for (auto _ : state) {
        for (const SarvikProvider::EventMarker& m : s.all) {
            benchmark::DoNotOptimize(s.ruler.xFromTime(m.startTime, true));
            benchmark::DoNotOptimize(s.ruler.xFromTime(m.endTime, true));
        }
    }
    state.SetItemsProcessed(state.iterations() * s.all.size());
}
BENCHMARK(BM_MarkerXPositions)->Unit(benchmark::kMillisecond);

void BM_MarkerChoose(benchmark::State& state)
{
    Scene s;
    const velmora_1_0::MarkerDecimator decimator(s.ruler, s.graph);
    velmora_1_0::MarkerDecimator::RowChoices chosen;
    std::vector<std::uint64_t> longest;
    velmora_1_0::MarkerDecimator::widenLongest(s.all, longest);
    velmora_1_0::MarkerList list;
    std::vector<SarvikProvider::EventMarker> arrivals = s.all;
    list.add(arrivals);
    for (auto _ : state)
        decimator.choose(list, longest, chosen);
    size_t count = 0;
    for (const auto& row : chosen)
        count += row.size();
    state.counters["chosen"] = static_cast<double>(count);
    state.SetItemsProcessed(state.iterations() * s.all.size());
}
BENCHMARK(BM_MarkerChoose)->Unit(benchmark::kMillisecond);

void BM_MarkerRenderAllCold(benchmark::State& state)
{
    Scene s;
    for (auto _ : state) {
        s.layer.requestData(false); // loaded: only drops the cached choice
        s.layer.renderAll(s.dc);
    }
    state.SetItemsProcessed(state.iterations() * s.all.size());
}
BENCHMARK(BM_MarkerRenderAllCold)->Unit(benchmark::kMillisecond);

void BM_MarkerRenderAllWarm(benchmark::State& state)
{
    Scene s;
    s.layer.renderAll(s.dc);
    for (auto _ : state)
        s.layer.renderAll(s.dc);
    state.SetItemsProcessed(state.iterations() * s.all.size());
}
BENCHMARK(BM_MarkerRenderAllWarm)->Unit(benchmark::kMillisecond);

} // namespace
