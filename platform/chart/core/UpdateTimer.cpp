#include <tarquel_1_0/UpdateTimer.h>

#include <algorithm>

namespace tarquel_1_0 {

UpdateTimer::UpdateTimer(Tick tick, int intervalMs, int budgetMs)
    : m_tick(std::move(tick)), m_intervalMs(intervalMs), m_budget(std::chrono::milliseconds(budgetMs))
{
}

UpdateTimer::~UpdateTimer()
{
    Stop();
}

void UpdateTimer::request(GraphLayer* layer, bool on)
{
    const auto found = std::find(m_layers.begin(), m_layers.end(), layer);
    if (on && found == m_layers.end())
        m_layers.push_back(layer);
    else if (!on && found != m_layers.end())
        m_layers.erase(found);
    if (m_layers.empty())
        Stop();
    else if (!IsRunning())
        Start(m_intervalMs);
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

void UpdateTimer::Notify()
{
    const auto start = std::chrono::steady_clock::now();
    do
        tick();
    while (!m_layers.empty() && std::chrono::steady_clock::now() - start < m_budget);
}

} // namespace tarquel_1_0
