#include <dd_sarvik_2_2/dd_progress_impl.h>

namespace dd_sarvik_2_2 {

void dd_progress_impl::start(double totalSteps)
{
    std::lock_guard<std::mutex> lock(m_hookLock);
    m_totalSteps = totalSteps;
    m_stepsDone = 0.0;
    onStart(totalSteps);
}

void dd_progress_impl::progressed(double steps)
{
    std::lock_guard<std::mutex> lock(m_hookLock);
    m_stepsDone = m_stepsDone + steps;
    onProgress(steps);
}

void dd_progress_impl::message(const std::wstring& text)
{
    std::lock_guard<std::mutex> lock(m_hookLock);
    onMessage(text);
}

void dd_progress_impl::finish()
{
    std::lock_guard<std::mutex> lock(m_hookLock);
    onFinish();
}

void dd_progress_impl::cancel()
{
    m_canceled = true;
}

bool dd_progress_impl::is_canceled() const
{
    return m_canceled;
}

double dd_progress_impl::get_total_steps() const
{
    return m_totalSteps;
}

double dd_progress_impl::get_steps_done() const
{
    return m_stepsDone;
}

dd_progress_impl::~dd_progress_impl() = default;

void dd_progress_impl::onStart(double) {}
void dd_progress_impl::onMessage(const std::wstring&) {}
void dd_progress_impl::onProgress(double) {}
void dd_progress_impl::onFinish() {}

}  // namespace dd_sarvik_2_2
