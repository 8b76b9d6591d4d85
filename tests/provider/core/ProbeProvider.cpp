#include "ProbeProvider.h"

#include "TestResults.h"

#include "provider/ProgressObj.h"
#include "provider/SarvikDataSource.h"

namespace provider_test {

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

ProviderPtr makeAreaProvider(dd_sarvik_2_2::Result* result, std::shared_ptr<std::atomic<bool>> destroyed)
{
    ProviderPtr provider(new ProbeProvider(std::move(destroyed)));
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
