#include "ProbeProvider.h"

#include "TestResults.h"
#include "WxTestMain.h"

#include "provider/ProgressObj.h"
#include "provider/SarvikDataSource.h"

namespace provider_test {

void RequestHook::close()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_closed = true;
}

void RequestHook::open()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_closed = false;
    }
    m_opened.notify_all();
}

bool RequestHook::waitForArrival()
{
    return chart_test::pumpUntil([this] {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_waiting;
    });
}

void RequestHook::failNextWith(std::exception_ptr failure)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_failures.push_back(std::move(failure));
}

void RequestHook::enter()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_waiting = m_closed;
    m_opened.wait(lock, [this] { return !m_closed; });
    m_waiting = false;
    if (m_failures.empty())
        return;
    const std::exception_ptr failure = m_failures.front();
    m_failures.pop_front();
    std::rethrow_exception(failure);
}

bool ProbeProvider::handleCustomRequest()
{
    if (m_hook)
        m_hook->enter();
    return SarvikProvider::handleCustomRequest();
}

bool ProbeProvider::overTimeQueryRunning()
{
    wxCriticalSectionLocker lock(m_progressLock);
    return m_overTimeProgress != nullptr;
}

void ProbeProvider::pretendFilterBandRunning()
{
    wxCriticalSectionLocker lock(m_progressLock);
    m_filterProgress = std::make_unique<velmora_1_0::ProgressObj>(this, nullptr);
}

bool ProbeProvider::filterBandCanceled()
{
    wxCriticalSectionLocker lock(m_progressLock);
    return m_filterProgress && m_filterProgress->is_canceled();
}

ProbeProvider::~ProbeProvider()
{
    if (m_destroyed)
        *m_destroyed = true;
}

ProviderPtr makeAreaProvider(dd_sarvik_2_2::Result* result, std::shared_ptr<std::atomic<bool>> destroyed,
                             std::shared_ptr<RequestHook> hook)
{
    ProviderPtr provider(new ProbeProvider(std::move(destroyed)));
    provider->setHook(std::move(hook));
    const velmora_1_0::SarvikDataSource rows = threadRows();
    provider->setRowByDS(new velmora_1_0::SarvikDataSource(rows));
    provider->setResult(0, result, rows);
    return provider;
}

SourceLayer::SourceLayer(const velmora_1_0::SarvikDataSource& source)
{
    setDataSource(source.clone().release()); // the layer owns its source
}

} // namespace provider_test
