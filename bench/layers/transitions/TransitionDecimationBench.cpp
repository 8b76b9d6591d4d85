// Transitions between random rows at random times, all inside the view of a 1920 x 1080 graph of
// 54 rows: the cost of one timer batch of 300 and of a whole timer-driven decimation (batches and
// the drawing of each tick), for a million transitions and for 200,000. Hit-test lines are
// plotted straight into the images, so no batch converts between images and bitmaps. A repaint
// after decimation draws every kept line again.
#include "TransitionGraph.h"
#include "TransitionProvider.h"

#include "layers/TransitionLayer.h"

#include <tarquel_1_0/Ruler.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <utility>
#include <vector>

#include <wx/bitmap.h>
#include <wx/dcmemory.h>

namespace {

using namespace transition_test;

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kRowHeight = 20;
constexpr int kRows = kHeight / kRowHeight;
constexpr std::uint64_t kDuration = 1000000000;
constexpr size_t kMillion = 1000000;

class BenchLayer : public velmora_1_0::TransitionLayer {
public:
    using TransitionLayer::m_visibleTransitions;
    using TransitionLayer::performDecimation;
    using TransitionLayer::startDecimation;

    void restart()
    {
        m_needsDecimation = true;
        startDecimation();
    }
};

struct Scene {
    explicit Scene(size_t count)
        : provider(new TransitionProvider), graph(provider.get(), &ruler, kRows, kWidth, kRowHeight),
          canvas(kWidth, kHeight, 24)
    {
        ruler.setDuration(kDuration - 1);
        ruler.setPixelWidth(kWidth);
        dc.SelectObject(canvas);
        std::mt19937_64 random(42);
        std::uniform_int_distribution<std::uint64_t> time(0, kDuration - 1);
        std::uniform_int_distribution<int> row(0, kRows - 1);
        std::vector<velmora_1_0::SarvikProvider::Transition> all;
        all.reserve(count);
        for (size_t i = 0; i < count; ++i) {
            const std::uint64_t start = time(random);
            all.push_back(transition(static_cast<short>(row(random)), static_cast<short>(row(random)), start,
                                     std::min(kDuration - 1, start + time(random) / 1000)));
        }
        layer.attach(nullptr, &graph);
        layer.setParentSize(wxSize(kWidth, kHeight));
        layer.requestData(false);
        bool first = true;
        for (const auto& request : layer.m_requests) {
            provider->file(&layer, request.first,
                           first ? std::move(all) : std::vector<velmora_1_0::SarvikProvider::Transition>());
            first = false;
        }
        layer.checkData();
        layer.updateData(dc, false); // starts the batched decimation
    }
    ~Scene() { dc.SelectObject(wxNullBitmap); }

    tarquel_1_0::Ruler ruler;
    TransitionProviderPtr provider;
    TransitionGraph graph;
    wxBitmap canvas;
    wxMemoryDC dc;
    BenchLayer layer;
};

// Every batch of one decimation of a million transitions but the last, so the average covers the
// key map from empty to full.
void BM_TransitionDecimationBatch(benchmark::State& state)
{
    Scene s(kMillion); // built before the timed loop
    s.layer.restart();
    for (auto _ : state)
        benchmark::DoNotOptimize(s.layer.performDecimation());
    state.SetItemsProcessed(state.iterations() * velmora_1_0::TransitionLayer::kBatchSize);
}
BENCHMARK(BM_TransitionDecimationBatch)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(kMillion / velmora_1_0::TransitionLayer::kBatchSize);

// A whole decimation as the timer runs it: every tick decimates a batch and draws its new lines.
void BM_TransitionDecimationTotal(benchmark::State& state)
{
    const auto count = static_cast<size_t>(state.range(0));
    Scene s(count);
    int ticks = 0;
    for (auto _ : state) {
        s.layer.restart();
        for (ticks = 0; s.graph.m_timerOn; ++ticks)
            s.layer.updateData(s.dc, true);
    }
    state.counters["lines"] = static_cast<double>(s.layer.m_visibleTransitions.size());
    state.counters["ticks"] = ticks;
    state.SetItemsProcessed(state.iterations() * static_cast<long long>(count));
}
BENCHMARK(BM_TransitionDecimationTotal)->Unit(benchmark::kMillisecond)->Iterations(1)->Arg(200000)->Arg(kMillion);

// Repainting the graph once decimation is done (a scroll, another layer's data): every line
// decimation kept is drawn again.
void BM_TransitionRepaint(benchmark::State& state)
{
    Scene s(static_cast<size_t>(state.range(0)));
    s.layer.restart();
    while (s.layer.performDecimation()) {
    }
    for (auto _ : state)
        s.layer.renderAll(s.dc);
    state.counters["lines"] = static_cast<double>(s.layer.m_visibleTransitions.size());
}
BENCHMARK(BM_TransitionRepaint)->Unit(benchmark::kMillisecond)->Arg(20000)->Arg(200000);

} // namespace
