// A full repaint of a 1920x1080 timeline: 200 rows in one area (as many as fit are in view),
// one line per row, the ruler and the legend; every layer draws into its memory bitmap and the
// windows are painted on the screen. Needs a display (run under Xvfb).
#include "ChartTestDoubles.h"
#include "support/EventPump.h"

#include <tarquel_1_0/GraphArea.h>
#include <tarquel_1_0/GraphLayerParent.h>
#include <tarquel_1_0/Timeline.h>

#include <benchmark/benchmark.h>

#include <wx/app.h>
#include <wx/frame.h>
#include <wx/sizer.h>

using namespace tarquel_1_0;
using chart_test::LineLayer;
using chart_test::TestProvider;

namespace {

// A shown 1920x1080 timeline whose layers hold their data.
class RepaintScene {
public:
    explicit RepaintScene(int rows)
        : m_frame(new wxFrame(nullptr, wxID_ANY, "repaint", wxPoint(0, 0), wxSize(1920, 1080))),
          m_timeline(new Timeline(m_frame))
    {
        auto* sizer = new wxBoxSizer(wxVERTICAL);
        sizer->Add(m_timeline, 1, wxEXPAND);
        m_frame->SetSizer(sizer);
        m_timeline->addPane("Threads");
        auto* layer = new LineLayer("Lines", wxColour(200, 30, 30));
        m_timeline->addLayer(0, layer, 0);
        m_timeline->setDataProvider(0, new TestProvider(rows, 1000000000, "thread"), true);
        auto* global = new LineLayer("Global", wxColour(30, 30, 200));
        m_timeline->addGlobalLayer(global);
        m_timeline->setGlobalDataProvider(new TestProvider(1, 1000000000, "global"));
        m_frame->Show();
        m_timeline->finalize(true);
        m_ready = bench_support::pumpEventsUntil(
            [&] { return layer->m_dataLoaded && global->m_dataLoaded && m_frame->IsShownOnScreen(); },
            bench_support::PumpedEvents::QueuedAndWindow);
    }
    ~RepaintScene()
    {
        m_frame->Destroy();
        wxTheApp->ProcessPendingEvents();
    }
    RepaintScene(const RepaintScene&) = delete;
    RepaintScene& operator=(const RepaintScene&) = delete;

    // Whether the window was shown and every layer got its data in time.
    bool ready() const { return m_ready; }
    Timeline& timeline() { return *m_timeline; }
    int rowsInView()
    {
        int first = -1;
        int last = -1;
        m_timeline->getGraph(0)->getVisibleRowRange(first, last);
        return last - first + 1;
    }

private:
    wxFrame* m_frame;
    Timeline* m_timeline;
    bool m_ready = false;
};

// The layers draw every graph into its memory bitmap.
void BM_TimelineRender(benchmark::State& state)
{
    RepaintScene scene(static_cast<int>(state.range(0)));
    if (!scene.ready()) {
        state.SkipWithError("the timeline never showed its data");
        return;
    }
    for (auto _ : state)
        scene.timeline().getGraphArea()->renderAllGraphs();
    state.counters["rows_in_view"] = scene.rowsInView();
}

// The same, then every window painted on the screen (the X server's work included).
void BM_TimelineRepaint(benchmark::State& state)
{
    RepaintScene scene(static_cast<int>(state.range(0)));
    if (!scene.ready()) {
        state.SkipWithError("the timeline never showed its data");
        return;
    }
    for (auto _ : state) {
        scene.timeline().getGraphArea()->renderAllGraphs();
        scene.timeline().Update();
    }
    state.counters["rows_in_view"] = scene.rowsInView();
}

} // namespace

BENCHMARK(BM_TimelineRender)->Arg(200)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TimelineRepaint)->Arg(200)->Unit(benchmark::kMillisecond)->UseRealTime();
