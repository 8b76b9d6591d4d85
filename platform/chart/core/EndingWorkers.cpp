#include "EndingWorkers.h"

#include <chrono>

#include <wx/module.h>

namespace tarquel_1_0 {

EndingWorkers& EndingWorkers::instance()
{
    static EndingWorkers workers;
    return workers;
}

void EndingWorkers::add()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    ++m_count;
}

void EndingWorkers::remove()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (--m_count == 0)
        m_none.notify_all();
}

bool EndingWorkers::waitUntilNone(int timeoutMs)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_none.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return m_count == 0; });
}

namespace {

// Ends before wx's thread support: by then every ending worker has passed the provider's
// destructor, after which wx itself waits for the rest of the thread's exit.
class EndingWorkersModule : public wxModule {
public:
    EndingWorkersModule() { AddDependency("wxThreadModule"); }
    bool OnInit() override { return true; }
    // A worker stuck in a query that never polls for cancellation must not hang the exit forever.
    void OnExit() override { EndingWorkers::instance().waitUntilNone(30000); }

private:
    wxDECLARE_DYNAMIC_CLASS(EndingWorkersModule);
};

wxIMPLEMENT_DYNAMIC_CLASS(EndingWorkersModule, wxModule);

} // namespace

} // namespace tarquel_1_0
