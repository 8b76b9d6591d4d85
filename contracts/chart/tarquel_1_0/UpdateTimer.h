#pragma once
// Periodic updateData(dc, true) calls for the layers of one graph that asked for them
// (GraphLayerParent::requestUpdateTimer): a layer that works through its data in batches asks for
// ticks and stops them when it is done. The graph owns one, passes what a tick does (draw the
// layer into its memory DC and show it), and forwards requestUpdateTimer to request. The timer
// runs while at least one layer asked. UI thread only.
#include <chart_export.h>

#include <chrono>
#include <functional>
#include <vector>

#include <wx/timer.h>

namespace tarquel_1_0 {

class GraphLayer;

class TARQUEL_API UpdateTimer : private wxTimer {
public:
    using Tick = std::function<void(GraphLayer& layer)>;

    // A batch takes well under a millisecond: on each expiry rounds of ticks run back to back
    // for up to `budgetMs` (most of a frame), so long work moves at the speed of its batches.
    // The `intervalMs` between expiries is only there to give the user's events and repaints
    // their turn: a millisecond does that, and a longer one would leave the work waiting.
    explicit UpdateTimer(Tick tick, int intervalMs = 1, int budgetMs = 12);
    ~UpdateTimer() override;

    void request(GraphLayer* layer, bool on);
    // Stops the ticks of a layer that leaves the graph.
    void forget(GraphLayer* layer) { request(layer, false); }
    bool isTicking(const GraphLayer* layer) const;
    bool isRunning() const { return IsRunning(); }
    // One round of ticks, in the order the layers asked (the timer runs rounds on expiry).
    void tick();

private:
    void Notify() override;

    Tick m_tick;
    int m_intervalMs;
    std::chrono::steady_clock::duration m_budget;
    std::vector<GraphLayer*> m_layers;
};

} // namespace tarquel_1_0
