#pragma once
// Repeated updateData(dc, true) calls for the layers of one graph that asked for them
// (GraphLayerParent::requestUpdateTimer): a layer that works through its data in batches asks for
// ticks and stops them when it is done. The graph owns one, passes what a tick does (draw the
// layer into its memory DC and show it), and forwards requestUpdateTimer to request. Ticks run
// while at least one layer asked. UI thread only.
#include <chart_export.h>

#include <chrono>
#include <functional>
#include <vector>

#include <wx/event.h>

namespace tarquel_1_0 {

class GraphLayer;

class TARQUEL_API UpdateTimer : private wxEvtHandler {
public:
    using Tick = std::function<void(GraphLayer& layer)>;

    // A batch takes well under a millisecond. Whenever the event loop falls idle, rounds of ticks
    // run back to back for up to `budgetMs` (most of a frame): the loop handles the user's input
    // and repaints before it goes idle, so they keep their turn, and long work never waits on a
    // clock between batches.
    explicit UpdateTimer(Tick tick, int budgetMs = 12);
    ~UpdateTimer() override;
    UpdateTimer(const UpdateTimer&) = delete;
    UpdateTimer& operator=(const UpdateTimer&) = delete;

    void request(GraphLayer* layer, bool on);
    // Stops the ticks of a layer that leaves the graph.
    void forget(GraphLayer* layer) { request(layer, false); }
    bool isTicking(const GraphLayer* layer) const;
    bool isRunning() const { return m_running; }
    // One round of ticks, in the order the layers asked (idle time runs rounds).
    void tick();

private:
    void setRunning(bool running);
    void onIdle(wxIdleEvent& event);

    Tick m_tick;
    std::chrono::steady_clock::duration m_budget;
    std::vector<GraphLayer*> m_layers;
    bool m_running = false;
};

} // namespace tarquel_1_0
