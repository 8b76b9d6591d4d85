#pragma once
// A SarvikProvider whose worker-side operations and progress state tests can reach, and a layer
// that only carries a data source. Providers end through deleteSelf (ProviderPtr).
#include "provider/SarvikProvider.h"

#include <tarquel_1_0/GraphLayer.h>

#include <atomic>
#include <memory>

namespace provider_test {

class ProbeProvider : public velmora_1_0::SarvikProvider {
public:
    // `destroyed` turns true once the provider is gone.
    explicit ProbeProvider(std::shared_ptr<std::atomic<bool>> destroyed = nullptr) : m_destroyed(std::move(destroyed)) {}
    using SarvikProvider::getAttrOverTimeData;
    using SarvikProvider::getDerivedOverTimeData;
    using SarvikProvider::getEventMarkerData;
    using SarvikProvider::getGlobalEventMarkerData;
    using SarvikProvider::getOverTimeData;
    using SarvikProvider::getSBFilterData;
    using SarvikProvider::getSMBData;
    using SarvikProvider::getSliceData;
    using SarvikProvider::getTransitionData;
    using SarvikProvider::getVisibleRows;
    using SarvikProvider::layerSortInfoMatches;
    using SarvikProvider::updateSBFilterData;

    // True while an over-time query sits in the engine with its progress object.
    bool overTimeQueryRunning();
    std::uint32_t nextTransitionId() const { return m_nextTransitionId; }
    // Stands in for a filter-band computation in progress; tells whether it was cancelled.
    void pretendFilterBandRunning();
    bool filterBandCanceled();

protected:
    ~ProbeProvider() override;

private:
    std::shared_ptr<std::atomic<bool>> m_destroyed;
};

struct DeleteSelf {
    void operator()(tarquel_1_0::DataProvider* provider) const { provider->deleteSelf(); }
};
using ProviderPtr = std::unique_ptr<ProbeProvider, DeleteSelf>;

// An area provider over `result` with the thread rows (worker running).
ProviderPtr makeAreaProvider(dd_sarvik_2_2::Result* result,
                             std::shared_ptr<std::atomic<bool>> destroyed = nullptr);

class SourceLayer : public tarquel_1_0::GraphLayer {
public:
    explicit SourceLayer(const velmora_1_0::SarvikDataSource& source);
    void renderAll(wxMemoryDC&) override {}
};

} // namespace provider_test
