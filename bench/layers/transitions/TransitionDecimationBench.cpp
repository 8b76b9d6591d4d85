// A million transitions between random rows at random times, all inside the view of a
// 1920 x 1080 graph of 54 rows: the cost of one timer batch of 300, of a whole decimation, and of
// the image -> bitmap -> image round trip of both hit-test images that every batch pays.
#include "TransitionGraph.h"
#include "TransitionProvider.h"

#include "layers/TransitionLayer.h"

#include <tarquel_1_0/Ruler.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <random>

#include <wx/app.h>
#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/image.h>

namespace {

using namespace transition_test;

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kRowHeight = 20;
constexpr int kRows = kHeight / kRowHeight;
constexpr std::uint64_t kDuration = 1000000000;
constexpr size_t kTransitions = 1000000;

class BenchLayer : public velmora_1_0::TransitionLayer {
public:
    using TransitionLayer::m_decimationIndex;
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
    Scene()
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
        all.reserve(kTransitions);
        for (size_t i = 0; i < kTransitions; ++i) {
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

std::unique_ptr<Scene> g_scene;

Scene& scene()
{
    if (!g_scene)
        g_scene = std::make_unique<Scene>();
    return *g_scene;
}

void BM_TransitionDecimationBatch(benchmark::State& state)
{
    Scene& s = scene();
    s.layer.restart();
    for (auto _ : state) {
        if (!s.layer.performDecimation()) {
            state.PauseTiming();
            s.layer.restart();
            state.ResumeTiming();
        }
    }
    state.SetItemsProcessed(state.iterations() * velmora_1_0::TransitionLayer::kBatchSize);
}
BENCHMARK(BM_TransitionDecimationBatch)->Unit(benchmark::kMillisecond)->MinTime(5.0);

void BM_TransitionDecimationTotal(benchmark::State& state)
{
    Scene& s = scene();
    for (auto _ : state) {
        s.layer.restart();
        while (s.graph.m_timerOn)
            s.layer.updateData(s.dc, true);
    }
    state.counters["lines"] = static_cast<double>(s.layer.m_visibleTransitions.size());
    state.SetItemsProcessed(state.iterations() * kTransitions);
}
BENCHMARK(BM_TransitionDecimationTotal)->Unit(benchmark::kMillisecond)->Iterations(1);

// What one batch spends on conversions: both images to bitmaps and back.
void BM_TransitionHittestImageRoundTrip(benchmark::State& state)
{
    wxImage low(kWidth, kHeight, true);
    wxImage high(kWidth, kHeight, true);
    for (auto _ : state) {
        wxBitmap lowBitmap(low);
        wxBitmap highBitmap(high);
        low = lowBitmap.ConvertToImage();
        high = highBitmap.ConvertToImage();
        benchmark::DoNotOptimize(low.GetData());
    }
}
BENCHMARK(BM_TransitionHittestImageRoundTrip)->Unit(benchmark::kMillisecond);

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
    g_scene.reset();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return 0;
}
