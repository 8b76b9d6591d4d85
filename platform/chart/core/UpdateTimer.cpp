#include <tarquel_1_0/UpdateTimer.h>

#include <algorithm>

#include <wx/app.h>

namespace tarquel_1_0 {

UpdateTimer::UpdateTimer(Tick tick, int budgetMs)
    : m_tick(std::move(tick)), m_budget(std::chrono::milliseconds(budgetMs))
{
}

UpdateTimer::~UpdateTimer()
{
    setRunning(false);
}

void UpdateTimer::request(GraphLayer* layer, bool on)
{
    const auto found = std::find(m_layers.begin(), m_layers.end(), layer);
    if (on && found == m_layers.end())
        m_layers.push_back(layer);
    else if (!on && found != m_layers.end())
        m_layers.erase(found);
    setRunning(!m_layers.empty());
}

bool UpdateTimer::isTicking(const GraphLayer* layer) const
{
    return std::find(m_layers.begin(), m_layers.end(), layer) != m_layers.end();
}

void UpdateTimer::tick()
{
    // A tick may stop its own layer's ticks (or another's): walk a copy, skip those gone.
    const std::vector<GraphLayer*> layers = m_layers;
    for (GraphLayer* layer : layers)
        if (isTicking(layer))
            m_tick(*layer);
}

void UpdateTimer::setRunning(bool running)
{
    if (running == m_running || !wxTheApp)
        return;
    m_running = running;
    if (running) {
        wxTheApp->Bind(wxEVT_IDLE, &UpdateTimer::onIdle, this);
        wxWakeUpIdle(); // a loop asleep on no events would otherwise not go idle again
    } else {
        wxTheApp->Unbind(wxEVT_IDLE, &UpdateTimer::onIdle, this);
    }
}

void UpdateTimer::onIdle(wxIdleEvent& event)
{
    event.Skip(); // other handlers of idle time still get it
    const auto start = std::chrono::steady_clock::now();
    do
        tick();
    while (!m_layers.empty() && std::chrono::steady_clock::now() - start < m_budget);
    if (!m_layers.empty())
        event.RequestMore();
}

} // namespace tarquel_1_0
