// The viewer on generated results, measured as a user meets it: the real window opened on a
// million transitions until every one is decimated and drawn; a wheel zoom on the large result
// until every layer has drawn the new view; and the program end to end (start, load, draw, write
// the screenshot, exit) as a separate process. Wall time is what the user waits; CPU time is
// reported beside it because the machine may be shared.
#include "GeneratedResult.h"

#include "ViewerApp.h"
#include "ViewerFrame.h"
#include "ViewerSession.h"
#include "support/EventPump.h"
#include "support/TempDirectory.h"

#include <tarquel_1_0/Directory.h>
#include <tarquel_1_0/GraphLayer.h>
#include <tarquel_1_0/GraphLayerParent.h>
#include <tarquel_1_0/Ruler.h>
#include <tarquel_1_0/Timeline.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <wx/app.h>
#include <wx/event.h>

extern char** environ;

namespace {

using bench_support::PumpedEvents;
using bench_support::pumpEventsUntil;
using viewer_bench::GeneratedResult;
using velmora_viewer::ViewerFrame;

constexpr long kOpenTimeoutMs = 120000;

// The viewer's window on a result, closed again at the end of the benchmark.
class OpenViewer {
public:
    explicit OpenViewer(const GeneratedResult& result)
    {
        auto session = std::make_unique<velmora_viewer::ViewerSession>();
        std::string error;
        if (result.path().empty() || !session->open(result.path(), "default", error))
            return;
        m_frame = velmora_viewer::ViewerApp::showWindow(std::move(session), nullptr);
    }
    ~OpenViewer()
    {
        if (!m_frame)
            return;
        wxWindow* const closed = m_frame;
        m_frame->Destroy();
        pumpEventsUntil([closed] { return !wxTopLevelWindows.Find(closed); }, PumpedEvents::QueuedAndWindow,
                        kOpenTimeoutMs);
    }
    OpenViewer(const OpenViewer&) = delete;
    OpenViewer& operator=(const OpenViewer&) = delete;

    ViewerFrame* frame() const { return m_frame; }

    // Pumps until no layer loads or decimates and the window has painted what they drew.
    bool waitUntilDrawn() const
    {
        if (!pumpEventsUntil([this] { return m_frame->isComplete(); }, PumpedEvents::QueuedAndWindow, kOpenTimeoutMs))
            return false;
        m_frame->Update();
        return true;
    }

    // The graph holding the most layers: the threads' area.
    wxWindow* mainGraph() const
    {
        std::vector<std::pair<wxWindow*, int>> graphs;
        for (tarquel_1_0::GraphLayer* layer : m_frame->timeline().getDirectory().getLayers()) {
            if (!layer->m_parent)
                continue;
            wxWindow* window = layer->m_parent->getWindow();
            auto found = std::find_if(graphs.begin(), graphs.end(), [window](const auto& g) { return g.first == window; });
            if (found == graphs.end())
                graphs.emplace_back(window, 1);
            else
                ++found->second;
        }
        const auto most = std::max_element(graphs.begin(), graphs.end(),
                                           [](const auto& a, const auto& b) { return a.second < b.second; });
        return most == graphs.end() ? nullptr : most->first;
    }

private:
    ViewerFrame* m_frame = nullptr;
};

// Open to a complete picture of a million transitions in view: load, decimate in timer-paced
// batches, draw.
void BM_ViewerMillionTransitions(benchmark::State& state)
{
    const GeneratedResult& result = GeneratedResult::manyTransitions();
    for (auto _ : state) {
        auto viewer = std::make_unique<OpenViewer>(result);
        const bool drawn = viewer->frame() && viewer->waitUntilDrawn();
        state.PauseTiming(); // closing is not part of what the user waits for
        viewer.reset();
        state.ResumeTiming();
        if (!drawn) {
            state.SkipWithError("the window did not open or finish drawing");
            return;
        }
    }
}
BENCHMARK(BM_ViewerMillionTransitions)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime()->Iterations(1);

// A wheel turn over the middle of the threads' graph of the large result, alternately in and out
// so every turn shows a view of the same span, until every layer has drawn the new view.
void BM_ViewerWheelZoom(benchmark::State& state)
{
    OpenViewer viewer(GeneratedResult::large());
    wxWindow* graph = viewer.frame() && viewer.waitUntilDrawn() ? viewer.mainGraph() : nullptr;
    if (!graph) {
        state.SkipWithError("the window did not open or finish drawing");
        return;
    }
    const tarquel_1_0::Ruler& ruler = *viewer.frame()->timeline().getRuler();
    bool zoomIn = true;
    for (auto _ : state) {
        const wxULongLong start = ruler.getStart();
        const wxULongLong end = ruler.getEnd();
        auto* wheel = new wxMouseEvent(wxEVT_MOUSEWHEEL);
        wheel->SetEventObject(graph);
        wheel->SetPosition(wxPoint(graph->GetClientSize().x / 2, graph->GetClientSize().y / 2));
        wheel->m_wheelRotation = zoomIn ? 120 : -120;
        wheel->m_wheelDelta = 120;
        wheel->m_wheelAxis = wxMOUSE_WHEEL_VERTICAL;
        graph->GetEventHandler()->QueueEvent(wheel); // the handler owns it
        const bool zoomed = pumpEventsUntil(
            [&] { return ruler.getStart() != start || ruler.getEnd() != end; }, PumpedEvents::QueuedAndWindow, 5000);
        if (!zoomed || !viewer.waitUntilDrawn()) {
            state.SkipWithError("the wheel did not zoom or the layers did not finish drawing");
            return;
        }
        zoomIn = !zoomIn;
    }
}
BENCHMARK(BM_ViewerWheelZoom)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime()->Iterations(6);

// The program on the large result: start, open, load, draw, write the screenshot, exit.
void BM_ViewerScreenshotEndToEnd(benchmark::State& state)
{
    const GeneratedResult& result = GeneratedResult::large();
    const bench_support::TempDirectory scratch("velmora_bench_shot");
    const std::string shot = (scratch.path() / "shot.png").string();
    std::vector<std::string> words{VELMORA_VIEWER_PATH, "view", result.path().string(), "--screenshot", shot};
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    double cpuSeconds = 0;
    long peakKilobytes = 0;
    for (auto _ : state) {
        pid_t child = 0;
        int status = 0;
        rusage usage{};
        if (posix_spawn(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0 ||
            wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("the viewer did not write the screenshot");
            return;
        }
        cpuSeconds += usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
                      1e-6 * (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec);
        peakKilobytes = std::max(peakKilobytes, usage.ru_maxrss);
    }
    state.counters["cpu_s"] = benchmark::Counter(cpuSeconds, benchmark::Counter::kAvgIterations);
    state.counters["peak_MB"] = static_cast<double>(peakKilobytes) / 1024;
}
BENCHMARK(BM_ViewerScreenshotEndToEnd)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

} // namespace
